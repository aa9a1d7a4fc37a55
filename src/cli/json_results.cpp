#include "cli/json_results.h"

#include "derivatives/progress.h"

#include <nlohmann/json.hpp>

#include <cmath>

namespace slopekit::cli {
namespace {

using Json = nlohmann::ordered_json;

// One number, null where there is none.
Json number(double value) { return std::isfinite(value) ? Json(value) : Json(nullptr); }

Json number(const std::optional<double>& value) { return value ? number(*value) : Json(nullptr); }

// An entry's field as a gradient and a full Hessian.
template <typename Field>
std::pair<Json, Json> derivatives(const ComputedResults& results, Field field)
{
    const auto n = static_cast<int>(results.point.size());
    Json gradient = Json::array();
    Json hessian = Json::array();
    for (int i = 0; i < n; ++i) {
        gradient.push_back(number(field(resultEntry(results, i, -1))));
        Json row = Json::array();
        for (int j = 0; j < n; ++j)
            row.push_back(number(field(resultEntry(results, i, j))));
        hessian.push_back(std::move(row));
    }
    return {std::move(gradient), std::move(hessian)};
}

}  // namespace

Json exactJson(const ComputedResults& results)
{
    if (!results.exactKnown)
        return nullptr;
    const auto [gradient, hessian] = derivatives(results, [](const ResultEntry& e) { return e.exact.value; });
    Json missing = Json::array();
    for (const ResultEntry& e : results.entries)
        if (!e.exact.value)
            missing.push_back({{"label", e.label}, {"reason", e.exact.reason}});
    return {{"value", number(resultEntry(results, -1, -1).exact.value)},
            {"gradient", gradient},
            {"hessian", hessian},
            {"missing", missing}};
}

std::string resultsJson(const std::vector<std::string>& names, const ComputedResults& results,
                        const HessianAnalysis* analysis)
{
    const auto n = static_cast<int>(results.point.size());
    Json unreliable = Json::array();
    Json flagged = Json::array();
    for (const ResultEntry& e : results.entries) {
        if (e.at.i >= 0 && e.refinedUnreliable)
            unreliable.push_back(e.label);
        if (e.marked)
            flagged.push_back(e.label);
    }
    const ResultEntry& function = resultEntry(results, -1, -1);
    const auto [classicGradient, classicHessian] = derivatives(results, [](const ResultEntry& e) { return e.classic; });
    const auto [gradient, hessian] = derivatives(results, [](const ResultEntry& e) { return e.refined; });
    const auto [gradientError, hessianError] =
        derivatives(results, [](const ResultEntry& e) { return e.refinedError; });
    Json out;
    out["variables"] = std::vector<std::string>(names.begin(), names.begin() + n);
    out["point"] = results.point;
    out["classic"] = {{"value", number(function.classic)}, {"gradient", classicGradient}, {"hessian", classicHessian}};
    out["refined"] = {{"value", number(function.refined)}, {"gradient", gradient},
                      {"gradient_error", gradientError},   {"hessian", hessian},
                      {"hessian_error", hessianError},     {"unreliable", unreliable}};
    out["exact"] = exactJson(results);
    out["flagged"] = flagged;
    out["evaluations"] = {{"classic", classicEvaluations(n)}, {"refined", results.refinedEvaluations}};
    if (analysis)
        out["analysis"] = {{"eigenvalues", analysis->eigenvalues},
                           {"classification", classificationKey(analysis->classification)}};
    return out.dump(2) + "\n";
}

}  // namespace slopekit::cli
