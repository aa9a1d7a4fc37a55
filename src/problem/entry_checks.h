#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace slopekit {

// The count check of the number-of-variables box: the text read by the leading-number
// reading must lie above 0.5 and at most 10; the count is that value rounded half to
// even (2.5 gives 2, 3.5 gives 4). 10.4 is refused although it would round to 10, and
// 0 < v <= 0.5 is refused because it would round to no variables at all.
// Returns the accepted count, or nothing when the text is refused.
std::optional<int> countCheck(std::string_view text);

// Answers whether the expression language keeps a name (in any case) for itself, so that
// it cannot hold a value of the user's: a keyword, a function, or a name the engine sets.
using ReservedName = std::function<bool(std::string_view name)>;

// Why a text cannot name a variable or a constant, or nothing when it can: a letter, then
// letters and digits (ASCII), and no name the language keeps.
std::optional<std::string> nameFault(std::string_view name, const ReservedName& reserved);

// Why the last of these names cannot name a variable, or nothing when it can: the rules of
// nameFault, and no earlier name may be the same when case is ignored, since the language
// does not tell "X" from "x".
std::optional<std::string> variableNameFault(const std::vector<std::string>& names, const ReservedName& reserved);

// The outcome of the names check.
struct NamesCheck {
    std::vector<std::string> parts;  // the text split at every ",", nothing trimmed
    bool accepted = false;
    // How many leading parts are usable as labels: all of them when accepted; those
    // before the first faulty part when the count matched; none when it did not.
    std::size_t labelled = 0;
    std::string fault;  // why the text was refused; empty when accepted
};

// The names check: exactly `order` comma-separated parts, each a name that variableNameFault
// accepts. An empty text has no parts.
NamesCheck namesCheck(std::string_view text, int order, const ReservedName& reserved);

// The longest function, in bytes of its UTF-8 text: the longest text the expression
// language takes.
inline constexpr std::size_t MaxFunctionBytes = 64 * 1024;

// What a function longer than that is refused with.
std::string functionTooLongText();

// One line that tells what a refused count or names list needs.
std::string countHint();
std::string namesHint(int order);

}  // namespace slopekit
