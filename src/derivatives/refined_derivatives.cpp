#include "derivatives/refined_derivatives.h"

#include "derivatives/difference_weights.h"
#include "derivatives/step_choice.h"
#include "errors/run_error.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <limits>
#include <optional>

namespace slopekit {
namespace {

// Trial displacements t_l = 0.5 s / 2^l; step k has the small step d = t_(k+1) and the
// large one h = t_k, so neighbouring steps share half their points.
constexpr int Levels = 21;
constexpr int StepCount = Levels - 1;
constexpr int Nodes = 2 * Levels;
constexpr double FloorFactor = 10 * DBL_EPSILON;

// A trial point along one variable: 2 l for x0 - t_l, 2 l + 1 for x0 + t_l.
constexpr int node(int level, bool plus) { return 2 * level + (plus ? 1 : 0); }

// The four points of step k, in the order of their offsets: -h, -d, +d, +h.
constexpr std::array<int, 4> stepNodes(int k)
{
    return {node(k, false), node(k + 1, false), node(k + 1, true), node(k, true)};
}

double smallStep(double scale, int k) { return std::ldexp(0.5 * scale, -(k + 1)); }

struct Axis {
    double centre = 0;
    double scale = 1;
    std::array<double, Nodes> coordinate{};
    std::array<std::array<long double, 4>, StepCount> first{};   // on -h, -d, +d, +h
    std::array<std::array<long double, 5>, StepCount> second{};  // on -h, -d, 0, +d, +h
};

Axis makeAxis(double x)
{
    Axis axis;
    axis.centre = x;
    axis.scale = std::max(1.0, std::fabs(axis.centre));
    std::array<long double, Nodes> offset{};
    for (int l = 0; l < Levels; ++l) {
        const double t = std::ldexp(0.5 * axis.scale, -l);
        for (bool plus : {false, true}) {
            const double c = plus ? axis.centre + t : axis.centre - t;
            axis.coordinate[node(l, plus)] = c;
            offset[node(l, plus)] = static_cast<long double>(c) - axis.centre;
        }
    }
    for (int k = 0; k < StepCount; ++k) {
        const auto n = stepNodes(k);
        const std::array<long double, 4> o{offset[n[0]], offset[n[1]], offset[n[2]], offset[n[3]]};
        axis.first[k] = differenceWeights(o, 1);
        axis.second[k] = differenceWeights(std::array<long double, 5>{o[0], o[1], 0, o[2], o[3]}, 2);
    }
    return axis;
}

struct Sample {
    bool known = false;
    bool ok = false;
    double value = 0;
};

// A sum of weighted function values, or nothing when a point failed.
struct Estimate {
    std::optional<double> value;
    double fmax = 0;
};

class Refiner {
public:
    Refiner(Dimension& dim, const EvaluateAtVarx& evaluate) : m_dim(dim), m_evaluate(evaluate)
    {
        for (int i = 0; i < dim.Order; ++i)
            m_axes.push_back(makeAxis(dim.Varx[i]));
    }

    RefinedDerivatives run()
    {
        const auto n = static_cast<std::size_t>(m_dim.Order);
        for (std::size_t i = 0; i < n; ++i)
            m_dim.Varx[i] = m_axes[i].centre;
        m_f0 = m_evaluate();
        ++m_result.evaluations;
        m_result.gradient.assign(n, 0);
        m_result.gradientError.assign(n, 0);
        m_result.gradientSize.assign(n, 0);
        m_result.gradientUnreliable.assign(n, false);
        m_result.hessian.assign(n, std::vector<double>(n, 0));
        m_result.hessianError = m_result.hessianSize = m_result.hessian;
        m_result.hessianUnreliable.assign(n, std::vector<bool>(n, false));
        for (int i = 0; i < m_dim.Order; ++i) {
            alongAxis(i);
            for (int j = 0; j < i; ++j)
                mixed(i, j);
        }
        return std::move(m_result);
    }

private:
    // f with variable i at trial point a (and variable j at trial point b, if j >= 0).
    Sample evaluateAt(int i, int a, int j = -1, int b = 0)
    {
        Sample sample{true, false, 0};
        m_dim.Varx[i] = m_axes[i].coordinate[a];
        if (j >= 0)
            m_dim.Varx[j] = m_axes[j].coordinate[b];
        ++m_result.evaluations;
        try {
            sample.value = m_evaluate();
            sample.ok = std::isfinite(sample.value);
        } catch (const RunError&) {
            // This trial point is skipped; the entries that need it look elsewhere.
        }
        m_dim.Varx[i] = m_axes[i].centre;
        if (j >= 0)
            m_dim.Varx[j] = m_axes[j].centre;
        return sample;
    }

    // A weighted sum over samples; fetch(m) gives the m-th sample.
    template <typename Weights, typename Fetch>
    Estimate weighted(const Weights& weights, Fetch fetch)
    {
        long double sum = 0;
        double fmax = std::fabs(m_f0);
        for (std::size_t m = 0; m < weights.size(); ++m) {
            const Sample& s = fetch(m);
            if (!s.ok)
                return {};
            sum += weights[m] * s.value;
            fmax = std::max(fmax, std::fabs(s.value));
        }
        const auto value = static_cast<double>(sum);
        if (!std::isfinite(value))
            return {};
        return {value, fmax};
    }

    // The first and the pure second derivative of variable i share their trial points.
    void alongAxis(int i)
    {
        const Axis& axis = m_axes[i];
        std::array<Sample, Nodes> samples{};
        const Sample centre{true, true, m_f0};
        auto at = [&](int a) -> const Sample& {
            if (!samples[a].known)
                samples[a] = evaluateAt(i, a);
            return samples[a];
        };
        StepChoice first, second;
        for (int k = 0; k < StepCount; ++k) {
            const auto n = stepNodes(k);
            const double d = smallStep(axis.scale, k);
            const Estimate e1 = weighted(axis.first[k], [&](std::size_t m) -> const Sample& { return at(n[m]); });
            first.add(e1.value, FloorFactor * e1.fmax / d, e1.fmax);
            const std::array<int, 5> five{n[0], n[1], -1, n[2], n[3]};
            const Estimate e2 = weighted(
                axis.second[k], [&](std::size_t m) -> const Sample& { return five[m] < 0 ? centre : at(five[m]); });
            second.add(e2.value, FloorFactor * e2.fmax / (d * d), e2.fmax);
        }
        const auto u = static_cast<std::size_t>(i);
        store(first.result(), axis.scale, m_result.gradient[u], m_result.gradientError[u], m_result.gradientSize[u], u,
              u, false);
        store(second.result(), axis.scale * axis.scale, m_result.hessian[u][u], m_result.hessianError[u][u],
              m_result.hessianSize[u][u], u, u, true);
    }

    // The first-derivative formula along i applied to the one along j, at equal c.
    void mixed(int i, int j)
    {
        const Axis& ai = m_axes[i];
        const Axis& aj = m_axes[j];
        std::fill(m_grid.begin(), m_grid.end(), Sample{});
        auto at = [&](int a, int b) -> const Sample& {
            Sample& s = m_grid[static_cast<std::size_t>(a * Nodes + b)];
            if (!s.known)
                s = evaluateAt(i, a, j, b);
            return s;
        };
        StepChoice choice;
        for (int k = 0; k < StepCount; ++k) {
            const auto n = stepNodes(k);
            std::array<long double, 16> weights{};
            for (std::size_t a = 0; a < 4; ++a)
                for (std::size_t b = 0; b < 4; ++b)
                    weights[a * 4 + b] = ai.first[k][a] * aj.first[k][b];
            const Estimate e =
                weighted(weights, [&](std::size_t m) -> const Sample& { return at(n[m / 4], n[m % 4]); });
            const double area = smallStep(ai.scale, k) * smallStep(aj.scale, k);
            choice.add(e.value, FloorFactor * e.fmax / area, e.fmax);
        }
        const auto u = static_cast<std::size_t>(i), v = static_cast<std::size_t>(j);
        store(choice.result(), ai.scale * aj.scale, m_result.hessian[u][v], m_result.hessianError[u][v],
              m_result.hessianSize[u][v], u, v, true);
        m_result.hessian[v][u] = m_result.hessian[u][v];
        m_result.hessianError[v][u] = m_result.hessianError[u][v];
        m_result.hessianSize[v][u] = m_result.hessianSize[u][v];
        m_result.hessianUnreliable[v][u] = m_result.hessianUnreliable[u][v];
    }

    void store(const RefinedEntry& entry, double scales, double& value, double& error, double& size, std::size_t u,
               std::size_t v, bool second)
    {
        value = entry.found ? entry.value : std::numeric_limits<double>::quiet_NaN();
        error = entry.found ? entry.error : std::numeric_limits<double>::infinity();
        const double natural = std::max(std::fabs(m_f0), entry.fmax) / scales;
        size = entry.found && std::fabs(value) > error ? std::fabs(value) : natural;
        const bool unreliable = !entry.found || !(error <= ReliableTolerance * size);
        if (second)
            m_result.hessianUnreliable[u][v] = unreliable;
        else
            m_result.gradientUnreliable[u] = unreliable;
    }

    Dimension& m_dim;
    const EvaluateAtVarx& m_evaluate;
    std::vector<Axis> m_axes;
    double m_f0 = 0;
    std::vector<Sample> m_grid = std::vector<Sample>(Nodes * Nodes);
    RefinedDerivatives m_result;
};

}  // namespace

std::int64_t refinedEvaluations(int n)
{
    const std::int64_t pairs = static_cast<std::int64_t>(n) * (n - 1) / 2;
    return 2 + (2 * Levels) * n + (4 + 12 * StepCount) * pairs;
}

RefinedDerivatives RefineDerivatives(Dimension& dim, const EvaluateAtVarx& evaluate)
{
    const std::vector<double> point = dim.Varx;
    try {
        RefinedDerivatives result = Refiner(dim, evaluate).run();
        // The last evaluation at the point leaves the engine as the classic computation does.
        dim.Varx = point;
        result.value = evaluate();
        ++result.evaluations;
        return result;
    } catch (...) {
        dim.Varx = point;
        throw;
    }
}

}  // namespace slopekit
