#include "cli/points_csv.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

namespace slopekit::cli {
namespace {

// Far beyond ten numbers; a longer line is not a line of points.
constexpr std::size_t MaxLine = 4096;

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string_view> fields(std::string_view line)
{
    std::vector<std::string_view> result;
    for (;;) {
        const auto comma = line.find(',');
        result.push_back(trimmed(line.substr(0, comma)));
        if (comma == std::string_view::npos)
            return result;
        line.remove_prefix(comma + 1);
    }
}

std::optional<double> number(std::string_view text)
{
    if (text.starts_with('+'))
        text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool sameName(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) { return std::tolower(static_cast<unsigned char>(x)) ==
                                                                std::tolower(static_cast<unsigned char>(y)); });
}

std::string nameList(const std::vector<std::string>& names)
{
    std::string list;
    for (const std::string& name : names)
        list += (list.empty() ? "" : ", ") + name;
    return list;
}

std::string lineText(long line) { return "Line " + std::to_string(line) + " of the points file"; }

// The variable of each column, from a header line.
std::vector<std::size_t> columnsFromHeader(const std::vector<std::string_view>& header,
                                           const std::vector<std::string>& names, long line)
{
    std::vector<std::size_t> columns;
    for (std::string_view field : header) {
        const auto found = std::ranges::find_if(names, [&](const std::string& n) { return sameName(n, field); });
        if (found == names.end())
            throw BadPoints(lineText(line) + " names \"" + std::string(field) +
                            "\", which is not a variable of the problem (" + nameList(names) + ").");
        const auto index = static_cast<std::size_t>(found - names.begin());
        if (std::ranges::find(columns, index) != columns.end())
            throw BadPoints(lineText(line) + " names " + *found + " twice.");
        columns.push_back(index);
    }
    if (columns.size() != names.size())
        throw BadPoints(lineText(line) + " names " + std::to_string(columns.size()) + " variables; the problem has " +
                        std::to_string(names.size()) + " (" + nameList(names) + ").");
    return columns;
}

}  // namespace

void readPoints(std::istream& in, const std::vector<std::string>& names,
                const std::function<void(const std::vector<double>&)>& visit)
{
    std::vector<std::size_t> columns;
    for (std::size_t k = 0; k < names.size(); ++k)
        columns.push_back(k);
    std::vector<double> point(names.size());
    std::string buffer(MaxLine + 2, '\0');
    bool first = true;
    bool anyPoint = false;
    for (long line = 1;; ++line) {
        in.getline(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        if (in.bad())
            throw BadPoints("The points file cannot be read.");
        const bool ended = in.eof();
        if (in.fail() && !ended)
            throw BadPoints(lineText(line) + " is too long.");
        const auto got = static_cast<std::size_t>(in.gcount());
        if (got == 0 && ended)
            break;
        std::string_view text(buffer.data(), got - (ended ? 0 : 1));  // without the line feed
        if (text.ends_with('\r'))
            text.remove_suffix(1);
        if (trimmed(text).empty())
            continue;
        const std::vector<std::string_view> values = fields(text);
        if (first && std::ranges::none_of(values, [](std::string_view v) { return number(v).has_value(); })) {
            first = false;
            columns = columnsFromHeader(values, names, line);
            continue;
        }
        first = false;
        if (values.size() != names.size())
            throw BadPoints(lineText(line) + " has " + std::to_string(values.size()) + " values; it needs " +
                            std::to_string(names.size()) + " (" + nameList(names) + ").");
        for (std::size_t c = 0; c < values.size(); ++c) {
            const auto value = number(values[c]);
            if (!value)
                throw BadPoints(lineText(line) + ": \"" + std::string(values[c]) + "\" is not a number.");
            point[columns[c]] = *value;
        }
        anyPoint = true;
        visit(point);
    }
    if (!anyPoint)
        throw BadPoints("The points file holds no points.");
}

}  // namespace slopekit::cli
