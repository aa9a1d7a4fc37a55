#include "problem/entry_checks.h"

#include "ascii/ascii.h"
#include "errors/run_error.h"
#include "numbers/number_text.h"
#include "problem/dimension.h"

#include <algorithm>
#include <cmath>

namespace slopekit {
namespace {

std::string quoted(std::string_view name) { return "\"" + std::string(name) + "\""; }

}  // namespace

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

std::string functionTooLongText()
{
    return "The function is too long: a function may be at most 65,536 characters long.";
}

std::optional<std::string> nameFault(std::string_view name, const ReservedName& reserved)
{
    if (name.empty())
        return "A name is missing.";
    if (!isLetter(name.front()) ||
        !std::all_of(name.begin() + 1, name.end(), [](char c) { return isLetter(c) || isDigit(c); }))
        return quoted(name) + " is not a name: a name starts with a letter and has only letters and digits.";
    if (reserved(name))
        return quoted(name) + " cannot be a name: the expression language uses it.";
    return std::nullopt;
}

std::optional<std::string> variableNameFault(const std::vector<std::string>& names, const ReservedName& reserved)
{
    const std::string& name = names.back();
    if (auto fault = nameFault(name, reserved))
        return fault;
    if (std::any_of(names.begin(), names.end() - 1,
                    [&](const std::string& earlier) { return sameName(earlier, name); }))
        return quoted(name) + " is given twice: names that differ only in case are the same name.";
    return std::nullopt;
}

NamesCheck namesCheck(std::string_view text, int order, const ReservedName& reserved)
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
    if (check.parts.size() != static_cast<std::size_t>(order)) {
        check.fault = "Give " + std::to_string(order) + (order == 1 ? " name." : " names, separated by commas.");
        return check;
    }
    std::vector<std::string> earlier;
    for (const std::string& part : check.parts) {
        earlier.push_back(part);
        if (auto fault = variableNameFault(earlier, reserved)) {
            check.fault = std::move(*fault);
            return check;
        }
        ++check.labelled;
    }
    check.accepted = true;
    return check;
}

std::string countHint() { return "Enter a whole number from 1 to 10."; }

std::string namesHint(int order)
{
    if (order == 1)
        return "Enter one name.";
    return "Enter " + std::to_string(order) + " names separated by commas, none of them empty.";
}

}  // namespace slopekit
