#pragma once

#include "derivatives/compute_derivatives.h"
#include "derivatives/computed_results.h"
#include "derivatives/progress.h"
#include "derivatives/refined_derivatives.h"
#include "errors/refused_input.h"
#include "errors/run_error.h"
#include "problem/dimension.h"
#include "problem/exact_derivatives.h"

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace slopekit {

// What the Compute command needs of the expression engine (the engine binding in the
// program, fakes in tests).
struct ComputeHooks {
    std::function<void()> registerConstants;  // throws RunError
    EvaluateAtVarx evaluateFunction;          // throws RunError
    // True when the engine's Error event has already shown the failure to the user.
    std::function<bool(const RunError&)> announcedByErrorEvent;
    // The computation's own message text for a failure that nobody has shown yet.
    std::function<std::string(const RunError&)> messageText;
    // Hears of every evaluation and may stop the computation; none by default.
    ProgressHook progress = nullptr;
    // Silences the engine's Error event (true) and lets it speak again (false); may be empty.
    std::function<void(bool muted)> muteErrorEvent;
    // The exact derivatives at Varx (throws RunError); may be empty, and then a
    // computation has no exact results.
    std::function<ExactDerivatives()> evaluateExact;
};

// Silences the engine's Error event while it lives: trial points that fail (in the
// refinement, the analysis, a plot) are gaps or unreliable entries, not messages. Takes
// ComputeHooks::muteErrorEvent, which may be empty.
class MutedErrorEvent {
public:
    explicit MutedErrorEvent(std::function<void(bool muted)> mute);
    ~MutedErrorEvent();
    MutedErrorEvent(const MutedErrorEvent&) = delete;
    MutedErrorEvent& operator=(const MutedErrorEvent&) = delete;

private:
    std::function<void(bool muted)> m_mute;
};

// The texts of one point box each, in variable order.
using PointTexts = std::vector<std::string>;

// A point box whose text the locale reading cannot take as a number.
class UnreadablePoint : public RefusedInput {
public:
    UnreadablePoint(const std::string& name, const std::string& text);
};

// A point text as Compute reads it: a number that the locale reading accepts, whose value
// the leading-number reading gives. Throws RunError (13: no number; 6: beyond the range).
double pointCoordinate(std::string_view text);

// Hands the user constants to the engine, takes the function text into Equation and reads
// each point text into Varx under the number locale. Throws RunError (a constant the
// engine rejects) or RefusedInput (a constant that reads the point, an UnreadablePoint);
// Varx is changed only when every text is readable.
void CollectInputs(Dimension& dim, const ComputeHooks& hooks, const std::string& equation,
                   const PointTexts& pointTexts);

struct ComputeMessage {
    std::string title;
    std::string text;  // lines separated by CR
};

struct ComputeOutcome {
    std::vector<std::string> lines;         // the results list; empty after a failure
    std::optional<ComputeMessage> message;  // the one message a failure shows, if any
    // The refined results after a successful computation; none after a failure, or when
    // the function failed at the point itself during the refinement.
    std::optional<RefinedDerivatives> refined;
    // The exact results after a successful computation; none after a failure, when the
    // function fails at the point in its exact evaluation, or when no evaluator is given.
    std::optional<ExactDerivatives> exact;
    // Every result of a successful computation in one table, which the outputs read.
    std::optional<ComputedResults> results;
};

// The one message for a failure, or none when the engine's Error event has shown it.
std::optional<ComputeMessage> failureMessage(const ComputeHooks& hooks, const RunError& error);

// The Compute command after ClearResults: CollectInputs, the point read again with the
// leading-number reading, BuildLabels, ComputeDerivatives, and after a success the
// refinement, with the Error event muted, so a failing trial point shows nothing. Every failure ends the command
// with no lines, ResultsShown false, Varx at the point (or unchanged when it was never
// read) and exactly one message: none of ours when the Error event has shown one. A
// computation that the progress hook stops ends the same way, without a message.
ComputeOutcome runCompute(Dimension& dim, const ComputeHooks& hooks, const std::string& equation,
                          const PointTexts& pointTexts);

}  // namespace slopekit
