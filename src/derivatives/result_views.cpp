#include "derivatives/result_views.h"

#include "derivatives/result_warnings.h"
#include "numbers/number_text.h"

#include <cmath>
#include <utility>

namespace slopekit {
namespace {

constexpr std::string_view Equals = " = ";
const char* const NoRefinedValue = "no value: the function fails at every trial step";

LineCells classicCells(const ResultEntry& e)
{
    const auto equals = e.classicLine.find(Equals);
    return {e.label, e.classicLine.substr(equals + Equals.size()), "", true};
}

// The value and the error as a refined line shows them.
std::pair<std::string, std::string> refinedParts(double value, double error)
{
    return {displayFormToError(value, error), displayForm(twoSignificantDigits(error))};
}

}  // namespace

std::string viewKey(ResultView view)
{
    switch (view) {
    case ResultView::Refined: return "refined";
    case ResultView::Exact: return "exact";
    default: return "classic";
    }
}

std::optional<ResultView> viewFromKey(std::string_view key)
{
    for (ResultView view : {ResultView::Classic, ResultView::Refined, ResultView::Exact})
        if (viewKey(view) == key)
            return view;
    return std::nullopt;
}

std::string refinedText(double value, double error)
{
    const auto [shownValue, shownError] = refinedParts(value, error);
    return shownValue + " ± " + shownError;
}

LineCells viewCells(const ComputedResults& results, const ResultEntry& e, ResultView view)
{
    if (e.at.i < 0 || view == ResultView::Classic || (view == ResultView::Refined && !results.refinedKnown))
        return classicCells(e);
    if (view == ResultView::Exact) {
        if (e.exact.value)
            return {e.label, displayForm(*e.exact.value), "", true};
        return {e.label, e.exact.reason, "", false};
    }
    if (!std::isfinite(e.refined))
        return {e.label, NoRefinedValue, "", false};
    auto [value, error] = refinedParts(e.refined, e.refinedError);
    return {e.label, std::move(value), std::move(error), true};
}

std::string lineText(const LineCells& cells)
{
    std::string line = cells.label + std::string(Equals) + cells.value;
    if (!cells.error.empty())
        line += " ± " + cells.error;
    return line;
}

std::vector<std::string> viewLines(const ComputedResults& results, ResultView view)
{
    std::vector<std::string> lines;
    for (const ResultEntry& e : results.entries)
        lines.push_back(lineText(viewCells(results, e, view)));
    return lines;
}

bool markedInView(const ComputedResults& results, const ResultEntry& e, ResultView view)
{
    switch (view) {
    case ResultView::Classic: return e.marked;
    case ResultView::Refined: return results.refinedKnown && e.at.i >= 0 && e.refinedUnreliable;
    default: return false;
    }
}

std::string viewTip(const ResultEntry& e, ResultView view)
{
    return view == ResultView::Refined ? unreliableTip(e) : warningTip(e);
}

}  // namespace slopekit
