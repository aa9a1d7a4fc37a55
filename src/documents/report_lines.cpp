#include "documents/report_lines.h"

#include "derivatives/result_warnings.h"
#include "numbers/number_text.h"
#include "problem/dimension.h"

namespace slopekit {

std::vector<std::string> reportLines(const Dimension& dim, const std::string& functionText,
                                     const std::vector<std::string>& constants,
                                     const std::function<double()>& evaluate, const RefinedDerivatives* refined)
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
    if (refined) {
        const std::vector<std::string> derivatives = refinedLines(dim, *refined);
        lines.insert(lines.end(), derivatives.begin() + 1, derivatives.end());
        lines.push_back("");
        return lines;
    }
    for (std::size_t k = 0; k < n; ++k)
        lines.push_back(dim.Der1Label[k] + "= " + displayForm(dim.Der1Val[k]));
    for (std::size_t k = 0; k < n; ++k)
        lines.push_back(dim.Der2Label[k][k] + "= " + displayForm(dim.Der2Val[k][k]));
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = i + 1; j < n; ++j)
            lines.push_back(dim.Der2Label[i][j] + "= " + displayForm(dim.Der2Val[i][j]));
    lines.push_back("");
    return lines;
}

}  // namespace slopekit
