#include "derivatives/compute_command.h"

#include "derivatives/derivative_labels.h"
#include "messages/product_texts.h"
#include "numbers/number_text.h"

namespace slopekit {
namespace {

// Every point text read with one reading; a text it cannot take names its variable.
std::vector<double> readPoint(const Dimension& dim, const PointTexts& texts, double (*read)(std::string_view))
{
    std::vector<double> point(static_cast<std::size_t>(dim.Order));
    for (int k = 0; k < dim.Order; ++k) {
        const std::string& text = texts.at(static_cast<std::size_t>(k));
        try {
            point[k] = read(text);
        } catch (const RunError&) {
            throw UnreadablePoint(dim.VarNams[k], text);
        }
    }
    return point;
}

// The refinement after a successful classic computation. Its trial points may fail where
// the user's point does not; those failures are its own business and show no message.
std::optional<RefinedDerivatives> refine(Dimension& dim, const ComputeHooks& hooks, const EvaluateAtVarx& evaluate)
{
    const MutedErrorEvent muted(hooks.muteErrorEvent);
    try {
        return RefineDerivatives(dim, evaluate);
    } catch (const RunError&) {
        return std::nullopt;
    }
}

// The exact results after a successful classic computation, at the same point: a failure
// of their own shows no message and leaves the listed results as they are.
std::optional<ExactDerivatives> exactResults(const ComputeHooks& hooks)
{
    if (!hooks.evaluateExact)
        return std::nullopt;
    const MutedErrorEvent muted(hooks.muteErrorEvent);
    try {
        return hooks.evaluateExact();
    } catch (const RunError&) {
        return std::nullopt;
    }
}

}  // namespace

MutedErrorEvent::MutedErrorEvent(std::function<void(bool muted)> mute) : m_mute(std::move(mute))
{
    if (m_mute)
        m_mute(true);
}

MutedErrorEvent::~MutedErrorEvent()
{
    if (m_mute)
        m_mute(false);
}

UnreadablePoint::UnreadablePoint(const std::string& name, const std::string& text)
    : RefusedInput("The value \"" + text + "\" given for " + name + " cannot be read as a number.")
{
}

double pointCoordinate(std::string_view text)
{
    localeNumber(text);
    return pointNumber(text);
}

void CollectInputs(Dimension& dim, const ComputeHooks& hooks, const std::string& equation, const PointTexts& pointTexts)
{
    hooks.registerConstants();
    dim.Equation = equation;
    dim.Varx = readPoint(dim, pointTexts, localeNumber);
}

std::optional<ComputeMessage> failureMessage(const ComputeHooks& hooks, const RunError& error)
{
    if (hooks.announcedByErrorEvent(error))
        return std::nullopt;
    return ComputeMessage{error.source(), hooks.messageText(error)};
}

ComputeOutcome runCompute(Dimension& dim, const ComputeHooks& hooks, const std::string& equation,
                          const PointTexts& pointTexts)
{
    dim.ResultsShown = false;
    try {
        CollectInputs(dim, hooks, equation, pointTexts);
        // The leading-number reading has the last word, whatever the locale accepted, and
        // refuses what it would have cut off: '1,000' is no 1.
        dim.Varx = readPoint(dim, pointTexts, pointNumber);
        BuildLabels(dim);
        // One count over the classic and the refined evaluations.
        const EvaluateAtVarx evaluate = withProgress(
            hooks.evaluateFunction, classicEvaluations(dim.Order) + refinedEvaluations(dim.Order), hooks.progress);
        std::vector<std::string> lines = ComputeDerivatives(dim, evaluate);
        std::optional<RefinedDerivatives> refined = refine(dim, hooks, evaluate);
        std::optional<ExactDerivatives> exact = exactResults(hooks);
        ComputedResults results = tabulateResults(dim, lines, refined, exact);
        return {std::move(lines), std::nullopt, std::move(refined), std::move(exact), std::move(results)};
    } catch (const ComputationCancelled&) {
        dim.ResultsShown = false;  // stopped during the refinement: nothing half-done stays
        return {};
    } catch (const RefusedInput& error) {
        return {{}, ComputeMessage{product::Title, error.what()}, std::nullopt, std::nullopt, std::nullopt};
    } catch (const RunError& error) {
        return {{}, failureMessage(hooks, error), std::nullopt, std::nullopt, std::nullopt};
    }
}

}  // namespace slopekit
