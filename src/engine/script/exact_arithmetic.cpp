#include "engine/script/exact_arithmetic.h"

#include <algorithm>
#include <cmath>

namespace slopekit::script {
namespace {

bool has(VariableSet set, int k) { return ((set >> k) & 1u) != 0; }

std::uint8_t addedDegrees(const ExactValue& a, const ExactValue& b)
{
    return static_cast<std::uint8_t>(std::min<int>(a.degree + b.degree, AnyDegree));
}

// Two entries, where one that is zero by structure (its value does not depend on its
// variable) cancels the other, undefined or not.
double entryTimesEntry(double p, bool pStructural, double q, bool qStructural)
{
    return pStructural || qStructural ? 0 : p * q;
}

// A coefficient beyond the double range times an entry: an exact zero stays zero, an
// undefined entry stays undefined.
double coefficientTimesEntry(double c, double entry)
{
    if (std::isnan(entry) || entry == 0)
        return entry;
    return c * entry;
}

}  // namespace

ExactArithmetic::ExactArithmetic(int count, const std::vector<ExactFailure>& failures)
    : m_n(count), m_m(count * (count + 1) / 2), m_failures(failures)
{
}

void ExactArithmetic::constant(ExactValue& e, const Value& value) const
{
    e.value = value;
    e.deps = 0;
    e.degree = 0;
    e.undefined = false;
    std::fill_n(e.gradient, m_n, 0.0);
    std::fill_n(e.hessian, m_m, 0.0);
}

void ExactArithmetic::copy(ExactValue& to, const ExactValue& from) const
{
    to.value = from.value;
    to.deps = from.deps;
    to.degree = from.degree;
    to.undefined = from.undefined;
    std::copy_n(from.gradient, m_n, to.gradient);
    std::copy_n(from.hessian, m_m, to.hessian);
}

void ExactArithmetic::seed(ExactValue& e, int k) const
{
    e.gradient[k] = 1;
    e.deps = static_cast<VariableSet>(1u << k);
    e.degree = 1;
}

void ExactArithmetic::negate(ExactValue& e) const { scale(e, -1); }

ExactArithmetic::Active ExactArithmetic::active(VariableSet deps, bool all) const
{
    Active a;
    for (int k = 0; k < m_n; ++k)
        if (all || has(deps, k))
            a.index[a.count++] = k;
    return a;
}

void ExactArithmetic::scale(ExactValue& e, double factor) const
{
    const Active act = active(e.deps, e.undefined);
    for (int p = 0; p < act.count; ++p) {
        const int i = act.index[p];
        e.gradient[i] *= factor;
        for (int q = 0; q <= p; ++q)
            e.hessian[packedIndex(i, act.index[q])] *= factor;
    }
}

void ExactArithmetic::scaledCopy(ExactValue& a, const ExactValue& b, double factor) const
{
    const Active act = active(b.deps, b.undefined);
    for (int p = 0; p < act.count; ++p) {
        const int i = act.index[p];
        a.gradient[i] = factor * b.gradient[i];
        for (int q = 0; q <= p; ++q) {
            const int k = packedIndex(i, act.index[q]);
            a.hessian[k] = factor * b.hessian[k];
        }
    }
    a.deps = b.deps;
    a.degree = b.degree;
    a.undefined = b.undefined;
}

void ExactArithmetic::sum(ExactValue& a, const ExactValue& b, double sign) const
{
    if (b.deps == 0)
        return;
    if (a.deps == 0) {
        scaledCopy(a, b, sign);
        return;
    }
    const Active act = active(b.deps, b.undefined);
    for (int p = 0; p < act.count; ++p) {
        const int i = act.index[p];
        a.gradient[i] += sign * b.gradient[i];
        for (int q = 0; q <= p; ++q) {
            const int k = packedIndex(i, act.index[q]);
            a.hessian[k] += sign * b.hessian[k];
        }
    }
    a.deps |= b.deps;
    a.degree = std::max(a.degree, b.degree);
    a.undefined = a.undefined || b.undefined;
    settle(a);
}

void ExactArithmetic::product(ExactValue& a, double x, const ExactValue& b, double y) const
{
    // A factor that is zero near the point makes the product zero there, whatever the
    // other factor's derivatives (a false comparison switching off a branch).
    if ((a.deps == 0 && x == 0) || (b.deps == 0 && y == 0)) {
        constant(a, a.value);
        return;
    }
    if (b.deps == 0) {
        scale(a, y);
        return;
    }
    if (a.deps == 0) {
        scaledCopy(a, b, x);
        return;
    }
    if (a.undefined || b.undefined) {
        productCarefully(a, x, b, y);
    } else {
        // The Hessian first: it reads the factors' gradients.
        const Active act = active(a.deps | b.deps, false);
        for (int p = 0; p < act.count; ++p) {
            const int i = act.index[p];
            const double ai = a.gradient[i];
            const double bi = b.gradient[i];
            for (int q = 0; q <= p; ++q) {
                const int j = act.index[q];
                const int k = packedIndex(i, j);
                a.hessian[k] = x * b.hessian[k] + y * a.hessian[k] + ai * b.gradient[j] + a.gradient[j] * bi;
            }
        }
        for (int p = 0; p < act.count; ++p) {
            const int i = act.index[p];
            a.gradient[i] = x * b.gradient[i] + y * a.gradient[i];
        }
    }
    a.deps |= b.deps;
    a.degree = addedDegrees(a, b);
    a.undefined = a.undefined || b.undefined;
    settle(a);
}

// A factor that vanishes to first order along i (to second order in the plane of i and j)
// cancels the other factor's undefined derivative there: a kink or a jump times u = O(h^2)
// is still O(h^2). A factor whose value does not depend on a variable has a zero entry there
// by structure, which cancels any entry it multiplies.
void ExactArithmetic::productCarefully(ExactValue& a, double x, const ExactValue& b, double y) const
{
    for (int i = 0, k = 0; i < m_n; ++i) {
        for (int j = 0; j <= i; ++j, ++k) {
            const bool aVanishes = x == 0 && a.gradient[i] == 0 && a.gradient[j] == 0 && a.hessian[k] == 0;
            const bool bVanishes = y == 0 && b.gradient[i] == 0 && b.gradient[j] == 0 && b.hessian[k] == 0;
            double entry = 0;
            if (!aVanishes)
                entry += x * b.hessian[k];
            if (!bVanishes)
                entry += y * a.hessian[k];
            if (!aVanishes && !bVanishes)
                entry += entryTimesEntry(a.gradient[i], !has(a.deps, i), b.gradient[j], !has(b.deps, j)) +
                         entryTimesEntry(a.gradient[j], !has(a.deps, j), b.gradient[i], !has(b.deps, i));
            a.hessian[k] = entry;
        }
    }
    // To first order a zero factor also cancels a kink or an infinite slope of the other,
    // whose value stays continuous: (ab)' = a'b there (x*Abs(x) at 0), but not a jump.
    for (int i = 0; i < m_n; ++i) {
        const double ai = a.gradient[i];
        const double bi = b.gradient[i];
        double entry = 0;
        if (!(x == 0 && (ai == 0 || (!std::isnan(ai) && byContinuity(bi)))))
            entry += x * bi;
        if (!(y == 0 && (bi == 0 || (!std::isnan(bi) && byContinuity(ai)))))
            entry += y * ai;
        a.gradient[i] = entry;
    }
}

void ExactArithmetic::quotient(ExactValue& a, const ExactValue& b, double y, double q) const
{
    if (a.deps == 0 && q == 0) {
        constant(a, a.value);
        return;
    }
    if (b.deps == 0) {
        for (int i = 0; i < m_n; ++i)
            a.gradient[i] /= y;
        for (int k = 0; k < m_m; ++k)
            a.hessian[k] /= y;
        return;
    }
    // q' = (a' - q b') / b and q'' = (a'' - q b'' - q'b' - b'q') / b: no difference of
    // large terms, and no square of b.
    const Active act = active(a.deps | b.deps, a.undefined || b.undefined);
    double g[MaxExactVariables];
    for (int p = 0; p < act.count; ++p) {
        const int i = act.index[p];
        g[i] = (a.gradient[i] - q * b.gradient[i]) / y;
    }
    for (int p = 0; p < act.count; ++p) {
        const int i = act.index[p];
        for (int r = 0; r <= p; ++r) {
            const int j = act.index[r];
            const int k = packedIndex(i, j);
            a.hessian[k] = (a.hessian[k] - q * b.hessian[k] - g[i] * b.gradient[j] - g[j] * b.gradient[i]) / y;
        }
    }
    for (int p = 0; p < act.count; ++p)
        a.gradient[act.index[p]] = g[act.index[p]];
    a.deps |= b.deps;
    a.degree = AnyDegree;
    a.undefined = a.undefined || b.undefined;
}

void ExactArithmetic::chain(ExactValue& u, double d1, double d2) const
{
    if (u.deps == 0)
        return;
    u.degree = AnyDegree;
    if (!std::isfinite(d1) || !std::isfinite(d2)) {
        chainCarefully(u, d1, d2);
        return;
    }
    const Active act = active(u.deps, u.undefined);
    for (int p = 0; p < act.count; ++p) {
        const int i = act.index[p];
        const double ui = d2 * u.gradient[i];
        for (int q = 0; q <= p; ++q) {
            const int j = act.index[q];
            const int k = packedIndex(i, j);
            u.hessian[k] = d1 * u.hessian[k] + ui * u.gradient[j];
        }
    }
    // The gradient last: the Hessian reads it.
    for (int p = 0; p < act.count; ++p)
        u.gradient[act.index[p]] *= d1;
}

// A coefficient beyond the double range (Log of the smallest number): the entries that are
// exact zeros, by structure or by value, stay zero instead of turning into NaN.
void ExactArithmetic::chainCarefully(ExactValue& u, double d1, double d2) const
{
    for (int i = 0, k = 0; i < m_n; ++i) {
        for (int j = 0; j <= i; ++j, ++k) {
            double second = 0;
            if (has(u.deps, i) && has(u.deps, j))
                second = coefficientTimesEntry(coefficientTimesEntry(d2, u.gradient[i]), u.gradient[j]);
            u.hessian[k] = coefficientTimesEntry(d1, u.hessian[k]) + second;
        }
    }
    for (int i = 0; i < m_n; ++i)
        u.gradient[i] = coefficientTimesEntry(d1, u.gradient[i]);
}

void ExactArithmetic::chain(ExactValue& a, const ExactValue& b, const Partials& p) const
{
    for (int i = 0, k = 0; i < m_n; ++i) {
        const double ai = a.gradient[i];
        const double bi = b.gradient[i];
        for (int j = 0; j <= i; ++j, ++k) {
            const double aj = a.gradient[j];
            const double bj = b.gradient[j];
            a.hessian[k] =
                p.a * a.hessian[k] + p.b * b.hessian[k] + p.aa * ai * aj + p.ab * (ai * bj + aj * bi) + p.bb * bi * bj;
        }
    }
    for (int i = 0; i < m_n; ++i)
        a.gradient[i] = p.a * a.gradient[i] + p.b * b.gradient[i];
    a.deps |= b.deps;
    a.degree = AnyDegree;
    a.undefined = a.undefined || b.undefined;
}

void ExactArithmetic::fail(ExactValue& e, VariableSet over, int failure, bool secondOnly) const
{
    const double undefined = undefinedEntry(static_cast<std::uint32_t>(failure));
    for (int i = 0, k = 0; i < m_n; ++i) {
        if (!secondOnly && has(over, i))
            e.gradient[i] = undefined;
        for (int j = 0; j <= i; ++j, ++k)
            if (has(over, i) || has(over, j))
                e.hessian[k] = undefined;
    }
    e.deps |= over;
    e.degree = AnyDegree;
    e.undefined = true;
}

const ExactFailure* ExactArithmetic::failureNamedBy(double entry) const
{
    const int f = std::isnan(entry) ? failureOf(entry) : -1;
    return f >= 0 && static_cast<std::size_t>(f) < m_failures.size() ? &m_failures[f] : nullptr;
}

bool ExactArithmetic::byJump(double entry) const
{
    const ExactFailure* f = failureNamedBy(entry);
    return f && !f->continuous;
}

bool ExactArithmetic::byContinuity(double entry) const
{
    const ExactFailure* f = failureNamedBy(entry);
    return f && f->continuous;
}

void ExactArithmetic::stepwise(ExactValue& result, std::span<const ExactValue* const> operands, VariableSet jumps,
                               int failure) const
{
    double g[MaxExactVariables] = {};
    double h[MaxHessianEntries] = {};
    VariableSet deps = 0;
    bool kept = false;
    for (const ExactValue* e : operands) {
        if (!e->undefined)
            continue;
        for (int i = 0; i < m_n; ++i)
            if (byJump(e->gradient[i]) && !std::isnan(g[i]))
                g[i] = e->gradient[i], kept = true;
        for (int k = 0; k < m_m; ++k)
            if (byJump(e->hessian[k]) && !std::isnan(h[k]))
                h[k] = e->hessian[k], kept = true;
        deps |= e->deps;
    }
    std::copy_n(g, m_n, result.gradient);
    std::copy_n(h, m_m, result.hessian);
    result.deps = kept ? deps : 0;
    result.degree = kept ? AnyDegree : 0;
    result.undefined = kept;
    if (jumps != 0)
        fail(result, jumps, failure);
}

void ExactArithmetic::settle(ExactValue& e) const
{
    if (e.degree > 2 || e.undefined || e.deps == 0)
        return;
    for (int i = 0; i < m_n; ++i)
        if (e.gradient[i] != 0)
            return;
    for (int k = 0; k < m_m; ++k)
        if (e.hessian[k] != 0)
            return;
    // x - x: a polynomial with all coefficients zero is a constant.
    e.deps = 0;
    e.degree = 0;
}

}  // namespace slopekit::script
