#include "cli/points_csv.h"

#include "ascii/ascii.h"
#include "derivatives/compute_command.h"
#include "errors/run_error.h"
#include "problem/entry_checks.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string_view>

namespace slopekit::cli {
namespace {

// Far beyond ten numbers; a longer line is not a line of points.
constexpr std::size_t MaxLine = 4096;
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string lineText(long line) { return "Line " + std::to_string(line) + " of the points file"; }

// The fields of a line, separated by commas, blanks around them dropped; a field in double
// quotes is its contents, a doubled quote standing for one.
std::vector<std::string> fields(std::string_view line, long lineNumber)
{
    std::vector<std::string> result;
    for (std::size_t pos = 0;;) {
        const auto start = line.find_first_not_of(" \t", pos);
        std::string field;
        if (start != std::string_view::npos && line[start] == '"') {
            std::size_t k = start + 1;
            for (; k < line.size() && !(line[k] == '"' && (k + 1 == line.size() || line[k + 1] != '"')); ++k)
                field += line[k] == '"' ? line[++k] : line[k];
            if (k >= line.size())
                throw BadPoints(lineText(lineNumber) + " has a quoted field without its closing quote.");
            pos = line.find(',', k);
            if (!trimmed(line.substr(k + 1, pos - k - 1)).empty())
                throw BadPoints(lineText(lineNumber) + " has text after a quoted field.");
        } else {
            const auto comma = line.find(',', pos);
            field = trimmed(line.substr(pos, comma - pos));
            pos = comma;
        }
        result.push_back(std::move(field));
        if (pos == std::string_view::npos)
            return result;
        ++pos;
    }
}

// A field as a message shows it: control characters (a NUL among them) written as \xNN,
// so that nothing in the file can cut or garble the message.
std::string shown(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned>(static_cast<unsigned char>(c)));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out;
}

// Whether a first-line field is meant as a number, so that the line is data: it starts as
// a number does, or spells a value that is no number (NaN, inf), unless it names a variable.
bool meantAsNumber(std::string_view field, const std::vector<std::string>& names)
{
    if (std::ranges::any_of(names, [&](const std::string& n) { return sameName(n, field); }))
        return false;
    if (field.empty())
        return false;
    const char c = field.front();
    if (isDigit(c) || c == '+' || c == '-' || c == '.' || c == '&')
        return true;
    for (const char* word : {"nan", "inf", "infinity"})
        if (sameName(field, word))
            return true;
    return false;
}

std::string nameList(const std::vector<std::string>& names)
{
    std::string list;
    for (const std::string& name : names)
        list += (list.empty() ? "" : ", ") + name;
    return list;
}

// The variable of each column, from a header line.
std::vector<std::size_t> columnsFromHeader(const std::vector<std::string>& header,
                                           const std::vector<std::string>& names, long line)
{
    std::vector<std::size_t> columns;
    for (const std::string& field : header) {
        const auto found = std::ranges::find_if(names, [&](const std::string& n) { return sameName(n, field); });
        if (found == names.end())
            throw BadPoints(lineText(line) + " names \"" + shown(field) +
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

double coordinate(const std::string& field, long line)
{
    try {
        return pointCoordinate(field);
    } catch (const RunError& error) {
        throw BadPoints(lineText(line) + ": \"" + shown(field) + "\" is " +
                        (error.number() == errnum::Overflow ? "beyond the number range." : "not a number."));
    }
}

// The next line without its end (LF, CR LF or a lone CR); false at the end of the input.
bool nextLine(std::istream& in, std::string& line, long number)
{
    line.clear();
    std::streambuf& buffer = *in.rdbuf();
    for (;;) {
        const int c = buffer.sbumpc();
        if (c == std::char_traits<char>::eof())
            return !line.empty();
        if (c == '\n')
            return true;
        if (c == '\r') {
            if (buffer.sgetc() == '\n')
                buffer.sbumpc();
            return true;
        }
        if (line.size() >= MaxLine)
            throw BadPoints(lineText(number) + " is too long.");
        line += static_cast<char>(c);
    }
}

}  // namespace

void readPoints(std::istream& in, const std::vector<std::string>& names,
                const std::function<void(const std::vector<double>&)>& visit)
{
    std::vector<std::size_t> columns;
    for (std::size_t k = 0; k < names.size(); ++k)
        columns.push_back(k);
    std::vector<double> point(names.size());
    std::string text;
    bool first = true;
    bool anyPoint = false;
    for (long line = 1; nextLine(in, text, line); ++line) {
        std::string_view content = text;
        if (line == 1 && content.starts_with(ByteOrderMark))
            content.remove_prefix(ByteOrderMark.size());
        if (trimmed(content).empty())
            continue;
        const std::vector<std::string> values = fields(content, line);
        if (first && std::ranges::none_of(values, [&](const std::string& v) { return meantAsNumber(v, names); })) {
            first = false;
            columns = columnsFromHeader(values, names, line);
            continue;
        }
        first = false;
        if (values.size() != names.size())
            throw BadPoints(lineText(line) + " has " + std::to_string(values.size()) + " values; it needs " +
                            std::to_string(names.size()) + " (" + nameList(names) + ").");
        for (std::size_t c = 0; c < values.size(); ++c)
            point[columns[c]] = coordinate(values[c], line);
        anyPoint = true;
        visit(point);
    }
    if (!anyPoint)
        throw BadPoints("The points file holds no points.");
}

}  // namespace slopekit::cli
