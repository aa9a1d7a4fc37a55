// Runs the Compute command on arbitrary function texts (and one arbitrary constant) through
// the engine binding. A computation either lists every derivative as a finite number after
// exactly 8n^2 + n + 1 evaluations and the refinement's own, showing no message, or ends
// with no lines, the point in place and exactly one message: ours or the Error event's.
// A computation that lists its results also has exact ones, whose value is the function's at
// the point bit for bit, and each of whose entries is a finite number or a reason, alike on
// both sides of the Hessian's diagonal.
//
// Input: one byte for the number of variables and the point, then the function text,
// optionally followed by NUL and a constant text.
#include "derivatives/compute_command.h"
#include "engine/engine_binding.h"
#include "fuzz_check.h"
#include "numbers/number_text.h"
#include "problem/dimension.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace {

using namespace slopekit;
using fuzz::check;

const std::array<const char*, 8> Coordinates = {"0.5", "-1.25", "3", "1E-3", "100", "0", "-7.5e2", "2.5"};

bool allFinite(const Dimension& dim)
{
    for (int i = 0; i < dim.Order; ++i) {
        if (!std::isfinite(dim.Der1Val[i]))
            return false;
        for (int j = i; j < dim.Order; ++j)
            if (!std::isfinite(dim.Der2Val[i][j]))
                return false;
    }
    return true;
}

// Every exact entry is a finite number or, without one, a reason; the Hessian is symmetric.
bool wellFormed(const ExactDerivatives& exact, int n)
{
    const auto entryOk = [](const ExactEntry& e) {
        return e.value ? std::isfinite(*e.value) && e.reason.empty() : !e.reason.empty();
    };
    for (int i = 0; i < n; ++i) {
        if (!entryOk(exact.gradient[i]))
            return false;
        for (int j = 0; j < n; ++j) {
            const ExactEntry& a = exact.hessian[i][j];
            const ExactEntry& b = exact.hessian[j][i];
            if (!entryOk(a) || a.value != b.value || a.reason != b.reason)
                return false;
        }
    }
    return true;
}

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const int n = 1 + data[0] % 3;
    const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    const auto split = std::min(rest.find('\0'), rest.size());
    const std::string function(rest.substr(0, split));
    const std::string constant(split < rest.size() ? rest.substr(split + 1) : std::string_view());

    Dimension dim;
    EngineBinding binding(dim);
    int events = 0;
    binding.setErrorEventHandler([&](const std::string&) { ++events; });
    binding.setUp();
    dim.redimension(n);
    PointTexts texts;
    for (int k = 0; k < n; ++k) {
        dim.VarNams[k] = std::string(1, "xyz"[k]);
        texts.push_back(Coordinates[(data[0] / 3 + 3 * k) % Coordinates.size()]);
    }
    if (!constant.empty()) {
        dim.Cons[0] = constant;
        dim.NumCons = 1;
    }

    int evaluations = 0;
    const ComputeHooks hooks{
        [&] { binding.RegisterConstants(); },
        [&] {
            ++evaluations;
            return binding.EvaluateFunction();
        },
        announcedByErrorEvent,
        runErrorMessage,
        nullptr,
        [&](bool muted) { binding.setErrorEventMuted(muted); },
        [&] { return binding.EvaluateExact(); },
    };
    const ComputeOutcome outcome = runCompute(dim, hooks, function, texts);

    std::vector<double> point;
    for (const std::string& text : texts)
        point.push_back(leadingNumber(text));
    if (!outcome.lines.empty()) {
        const long refined = outcome.refined ? outcome.refined->evaluations : 0;
        check(evaluations == 8 * n * n + n + 1 + refined, "a computation made the wrong number of evaluations");
        check(outcome.lines.size() == static_cast<std::size_t>(1 + 2 * n + n * (n - 1) / 2), "lines missing");
        check(dim.ResultsShown && !outcome.message && events == 0, "a computation that succeeded reported a failure");
        check(allFinite(dim), "a derivative is not a finite number");
        check(outcome.exact.has_value(), "a computation that succeeded has no exact results");
        check(wellFormed(*outcome.exact, n), "an exact entry is neither a finite number nor a reason");
        check(sameBits(outcome.exact->value, binding.EvaluateFunction()), "the exact value is not the function's");
    } else {
        check(!dim.ResultsShown, "a failed computation marked its results as shown");
        check(events + (outcome.message ? 1 : 0) == 1, "a failure did not show exactly one message");
        check(evaluations <= 8 * n * n + n + 1, "a failed computation went on evaluating");
        check(!outcome.refined, "a failed computation was refined");
        check(!outcome.exact, "a failed computation has exact results");
    }
    if (evaluations > 0)
        check(dim.Varx == point, "the point was not put back");
    return 0;
}
