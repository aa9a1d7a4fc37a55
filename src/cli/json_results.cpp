#include "cli/json_results.h"

#include "derivatives/progress.h"
#include "derivatives/result_warnings.h"

#include <nlohmann/json.hpp>

namespace slopekit::cli {

std::string resultsJson(const Dimension& dim, const RefinedDerivatives& refined, const HessianAnalysis* analysis)
{
    using Json = nlohmann::ordered_json;
    const int n = dim.Order;
    Json unreliable = Json::array();
    Json flagged = Json::array();
    const std::vector<ListEntry> entries = listEntries(n);
    const std::vector<bool> marks = classicWarnings(dim, refined);
    for (std::size_t k = 1; k < entries.size(); ++k) {
        if (refinedUnreliable(refined, entries[k]))
            unreliable.push_back(entryLabel(dim, entries[k]));
        if (marks[k])
            flagged.push_back(entryLabel(dim, entries[k]));
    }
    Json out;
    out["variables"] = std::vector<std::string>(dim.VarNams.begin(), dim.VarNams.begin() + n);
    out["point"] = std::vector<double>(dim.Varx.begin(), dim.Varx.begin() + n);
    out["classic"] = {{"value", refined.value}, {"gradient", dim.Der1Val}, {"hessian", dim.Der2Val}};
    out["refined"] = {{"value", refined.value},
                      {"gradient", refined.gradient},
                      {"gradient_error", refined.gradientError},
                      {"hessian", refined.hessian},
                      {"hessian_error", refined.hessianError},
                      {"unreliable", unreliable}};
    out["flagged"] = flagged;
    out["evaluations"] = {{"classic", classicEvaluations(n)}, {"refined", refined.evaluations}};
    if (analysis)
        out["analysis"] = {{"eigenvalues", analysis->eigenvalues},
                           {"classification", classificationKey(analysis->classification)}};
    return out.dump(2) + "\n";
}

}  // namespace slopekit::cli
