#pragma once

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

// The outcome of the names check.
struct NamesCheck {
    std::vector<std::string> parts;  // the text split at every ",", nothing trimmed
    bool accepted = false;
    // How many leading parts are usable as labels: all of them when accepted; those
    // before the first empty part when the count matched but a part was empty; none
    // when the count did not match.
    std::size_t labelled = 0;
};

// The names check: exactly `order` comma-separated parts, none of them empty. Nothing
// else about a name is checked; an empty text has no parts.
NamesCheck namesCheck(std::string_view text, int order);

// One line that tells what a refused count or names list needs.
std::string countHint();
std::string namesHint(int order);

}  // namespace slopekit
