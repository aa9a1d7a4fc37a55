#include "derivatives/result_table.h"

#include <string_view>

namespace slopekit {
namespace {

// Every result line is a label, " = " and a value; a refined value adds " ± " and its error.
constexpr std::string_view Equals = " = ";
constexpr std::string_view PlusMinus = " \u00b1 ";

std::string tableRow(const std::string& line)
{
    const auto equals = line.find(Equals);
    if (equals == std::string::npos)
        return line;
    std::string row = line.substr(0, equals) + '\t';
    const std::string value = line.substr(equals + Equals.size());
    const auto error = value.find(PlusMinus);
    if (error == std::string::npos)
        return row + value;
    return row + value.substr(0, error) + '\t' + value.substr(error + PlusMinus.size());
}

}  // namespace

std::string resultTable(const std::vector<std::string>& lines)
{
    std::string table;
    for (const std::string& line : lines)
        table += tableRow(line) + '\n';
    return table;
}

std::string resultText(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + '\n';
    return text;
}

}  // namespace slopekit
