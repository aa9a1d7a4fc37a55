#include "derivatives/compute_derivatives.h"

#include "derivatives/derivative_labels.h"
#include "errors/run_error.h"
#include "messages/product_texts.h"
#include "numbers/number_text.h"

#include <algorithm>
#include <cmath>

namespace slopekit {
namespace {

// Every sum step goes through here.
double checked(double value) { return finiteOrOverflow(value, product::Title); }

struct Steps {
    double d;  // the smaller step
    double h;  // the larger step, 2d
};

class Differences {
public:
    Differences(Dimension& dim, const EvaluateAtVarx& evaluate) : m_dim(dim), m_evaluate(evaluate)
    {
        for (int i = 0; i < dim.Order; ++i) {
            const double scale = std::max(1.0, std::fabs(dim.Varx[i]));
            m_steps.push_back({dim.HalfStep * scale, dim.Step * scale});
        }
    }

    void secondDerivatives()
    {
        const auto n = static_cast<std::size_t>(m_dim.Order);
        m_dim.Der2Val.assign(n, std::vector<double>(n, 0.0));
        for (int i = 0; i < m_dim.Order; ++i) {
            const double x0 = m_dim.Varx[i];
            m_dim.Der2Val[i][i] = pure(i, x0);
            for (int j = 0; j < i; ++j) {
                const double y0 = m_dim.Varx[j];
                const double u = mixed(i, x0, j, y0);
                m_dim.Der2Val[i][j] = u;
                m_dim.Der2Val[j][i] = u;
                m_dim.Varx[j] = y0;
            }
            m_dim.Varx[i] = x0;
        }
    }

    void firstDerivatives()
    {
        m_dim.Der1Val.assign(static_cast<std::size_t>(m_dim.Order), 0.0);
        for (int i = 0; i < m_dim.Order; ++i) {
            const double x0 = m_dim.Varx[i];
            m_dim.Der1Val[i] = first(i, x0);
            m_dim.Varx[i] = x0;
        }
    }

private:
    double at(int i, double coordinate)
    {
        m_dim.Varx[i] = coordinate;
        return m_evaluate();
    }

    // [-f(x0-2d) + 16 f(x0-d) - 30 f(x0) + 16 f(x0+d) - f(x0+2d)] / (12 d^2)
    double pure(int i, double x0)
    {
        const auto [d, h] = m_steps[i];
        double s = checked(-at(i, x0 - h));
        s = checked(16 * at(i, x0 - d) + s);
        s = checked(s - 30 * at(i, x0));
        s = checked(16 * at(i, x0 + d) + s);
        s = checked(s - at(i, x0 + h));
        return checked(s / d / d / 12);
    }

    // [f(x0-2d) - 8 f(x0-d) + 8 f(x0+d) - f(x0+2d)] / (12 d) along variable i
    double first(int i, double x0)
    {
        const auto [d, h] = m_steps[i];
        double s = checked(at(i, x0 - h));
        s = checked(s - 8 * at(i, x0 - d));
        s = checked(8 * at(i, x0 + d) + s);
        return checked((s - at(i, x0 + h)) / 12 / d);
    }

    // The first-derivative formula along i (outside) applied to the one along j (inside).
    double mixed(int i, double x0, int j, double y0)
    {
        const auto [d, h] = m_steps[i];
        m_dim.Varx[i] = x0 - h;
        double u = first(j, y0);
        m_dim.Varx[i] = x0 - d;
        u = checked(u - 8 * first(j, y0));
        m_dim.Varx[i] = x0 + d;
        u = checked(8 * first(j, y0) + u);
        m_dim.Varx[i] = x0 + h;
        return checked((u - first(j, y0)) / 12 / d);
    }

    Dimension& m_dim;
    const EvaluateAtVarx& m_evaluate;
    std::vector<Steps> m_steps;
};

std::vector<std::string> resultLines(const Dimension& dim, double functionValue)
{
    std::vector<std::string> lines;
    for (const ListEntry& e : listEntries(dim.Order))
        lines.push_back(entryLabel(dim, e) + " = " + displayForm(classicValue(dim, e, functionValue)));
    return lines;
}

}  // namespace

std::vector<std::string> ComputeDerivatives(Dimension& dim, const EvaluateAtVarx& evaluate)
{
    const std::vector<double> point = dim.Varx;
    try {
        Differences differences(dim, evaluate);
        differences.secondDerivatives();
        differences.firstDerivatives();
        auto lines = resultLines(dim, evaluate());
        dim.ResultsShown = true;
        return lines;
    } catch (...) {
        // A stopped computation must not leave a displaced coordinate behind.
        dim.Varx = point;
        throw;
    }
}

}  // namespace slopekit
