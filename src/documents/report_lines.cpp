#include "documents/report_lines.h"

#include "numbers/number_text.h"
#include "problem/dimension.h"

namespace slopekit {

std::vector<std::string> reportLines(const Dimension& dim, const std::string& functionText,
                                     const std::vector<std::string>& constants, const std::function<double()>& evaluate,
                                     const std::vector<std::string>& listLines)
{
    const auto n = static_cast<std::size_t>(dim.Order);
    std::vector<std::string> lines;
    lines.push_back("    ORDER:" + reportNumber(dim.Order));
    std::string variables = "VARIABLES: ";
    for (std::size_t k = 0; k < n; ++k)
        variables += (k ? "," : "") + dim.VarNams[k];
    lines.push_back(variables);
    lines.insert(lines.end(), {"", "FUNCTION:", functionText, ""});
    if (!constants.empty()) {
        lines.push_back("CONSTANTS:");
        lines.insert(lines.end(), constants.begin(), constants.end());
        lines.push_back("");
    }
    lines.push_back("EVALUATION POINT:");
    for (std::size_t k = 0; k < n; ++k)
        lines.push_back(dim.VarNams[k] + " =" + reportNumber(dim.Varx[k]));
    lines.push_back("");
    lines.push_back("FUNCTION =" + reportNumber(evaluate()));
    lines.push_back("");
    lines.insert(lines.end(), listLines.begin() + 1, listLines.end());
    lines.push_back("");
    return lines;
}

}  // namespace slopekit
