#pragma once

#include "derivatives/computed_results.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace slopekit {

// Which results the list shows: the classic ones (as always), the refined ones with their
// error estimates, or the exact ones.
enum class ResultView { Classic, Refined, Exact };

// The view's name where it is remembered ("classic", "refined", "exact"), and back;
// nothing for a name that is none of them.
std::string viewKey(ResultView view);
std::optional<ResultView> viewFromKey(std::string_view key);

// "v ± e": the error with its two significant digits, the value only to the digits the
// error supports (0 ± 1.7E-18 rather than -7.94093388050907E-24 ± 1.7E-18); an error of
// zero leaves the value whole.
std::string refinedText(double value, double error);

// One line of a view taken apart: the label, the value (or what stands instead of a
// value: "no derivative: …") and the error estimate, empty where the view has none.
struct LineCells {
    std::string label;
    std::string value;
    std::string error;
    bool hasValue = true;  // false where the value cell says why there is no value
};

// The cells of an entry's line in a view. The function line and every line of the
// classic view are the classic lines; a view whose results are missing altogether shows
// the classic lines too (refined) or why (exact).
LineCells viewCells(const ComputedResults& results, const ResultEntry& entry, ResultView view);

// label + " = " + value, and " ± " + error where there is one.
std::string lineText(const LineCells& cells);

// The list's lines in a view.
std::vector<std::string> viewLines(const ComputedResults& results, ResultView view);

// Whether an entry's line is marked in a view, and its tooltip there: the classic view
// marks the classic warnings, the refined one the unreliable refined values, the exact
// one nothing.
bool markedInView(const ComputedResults& results, const ResultEntry& entry, ResultView view);
std::string viewTip(const ResultEntry& entry, ResultView view);

}  // namespace slopekit
