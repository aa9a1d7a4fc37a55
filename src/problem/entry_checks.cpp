#include "problem/entry_checks.h"

#include "errors/run_error.h"
#include "numbers/number_text.h"
#include "problem/dimension.h"

#include <cmath>

namespace slopekit {

std::optional<int> countCheck(std::string_view text)
{
    double v = 0;
    try {
        v = leadingNumber(text);
    } catch (const RunError&) {  // a magnitude beyond the double range is no count either
        return std::nullopt;
    }
    if (!(v > 0.5) || v > Dimension::MaxOrder)
        return std::nullopt;
    return static_cast<int>(std::nearbyint(v));  // the default rounding: half to even
}

NamesCheck namesCheck(std::string_view text, int order)
{
    NamesCheck check;
    if (!text.empty()) {
        for (std::size_t start = 0;;) {
            const auto comma = text.find(',', start);
            check.parts.emplace_back(text.substr(start, comma - start));
            if (comma == std::string_view::npos)
                break;
            start = comma + 1;
        }
    }
    if (check.parts.size() != static_cast<std::size_t>(order))
        return check;
    while (check.labelled < check.parts.size() && !check.parts[check.labelled].empty())
        ++check.labelled;
    check.accepted = check.labelled == check.parts.size();
    return check;
}

std::string countHint()
{
    return "Enter a whole number from 1 to 10.";
}

std::string namesHint(int order)
{
    if (order == 1)
        return "Enter one name.";
    return "Enter " + std::to_string(order) + " names separated by commas, none of them empty.";
}

}  // namespace slopekit
