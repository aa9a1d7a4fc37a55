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

// Without a whole Hessian there are no eigenvalues to show.
const char* const NoEigenvalues = "the Hessian has entries without a reliable value, so it has no eigenvalues.";

}  // namespace

std::vector<std::string> analysisLines(const HessianAnalysis& analysis)
{
    if (analysis.eigenvalues.empty() && analysis.classification == Classification::Inconclusive)
        return {std::string("No analysis: ") + NoEigenvalues, analysis.basis};
    std::vector<std::string> lines{analysis.eigenvalues.empty() ? std::string("Eigenvalues: none; ") + NoEigenvalues
                                                                : "Eigenvalues = " + list(analysis.eigenvalues),
                                   std::string("Classification = ") + classificationName(analysis.classification)};
    if (!analysis.ascent.empty())
        lines.push_back("Steepest ascent = " + list(analysis.ascent));
    lines.push_back(analysis.basis);
    return lines;
}

}  // namespace slopekit::cli
