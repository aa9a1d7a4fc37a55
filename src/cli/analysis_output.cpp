#include "cli/analysis_output.h"

#include "numbers/number_text.h"

namespace slopekit::cli {
namespace {

std::string list(const std::vector<double>& values)
{
    std::string text;
    for (double v : values)
        text += (text.empty() ? "" : ", ") + displayForm(v);
    return text;
}

}  // namespace

std::vector<std::string> analysisLines(const HessianAnalysis& analysis)
{
    std::vector<std::string> lines{"Eigenvalues = " + list(analysis.eigenvalues),
                                   std::string("Classification = ") + classificationName(analysis.classification)};
    if (!analysis.ascent.empty())
        lines.push_back("Steepest ascent = " + list(analysis.ascent));
    lines.push_back(analysis.basis);
    return lines;
}

}  // namespace slopekit::cli
