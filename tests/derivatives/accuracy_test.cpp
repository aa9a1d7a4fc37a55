// The classic and refined results, measured through
// the engine against exact derivatives on a corpus of functions and points: polynomials,
// trigonometric, exponential and logarithmic functions, poles near the point, narrow peaks,
// products of ten variables, mixed scales, coordinates from 1e-3 to 1e6.
#include "derivatives/problem_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace slopekit {
namespace {

using LD = long double;

// A value with its exact gradient and Hessian in up to ten variables, carried through
// arithmetic by the chain rule in long double, so one formula gives f, g and H.
struct Jet {
    LD f = 0;
    std::array<LD, 10> g{};
    std::array<std::array<LD, 10>, 10> h{};
    Jet(LD c = 0) : f(c) {}
};
using Vars = const std::vector<Jet>&;

// r = F(a, b) from F's value and partial derivatives at (a, b).
Jet chain(const Jet& a, const Jet& b, LD f, LD fa, LD fb, LD faa, LD fab, LD fbb)
{
    Jet r(f);
    for (std::size_t i = 0; i < 10; ++i) {
        r.g[i] = fa * a.g[i] + fb * b.g[i];
        for (std::size_t j = 0; j < 10; ++j)
            r.h[i][j] = fa * a.h[i][j] + fb * b.h[i][j] + faa * a.g[i] * a.g[j] +
                        fab * (a.g[i] * b.g[j] + b.g[i] * a.g[j]) + fbb * b.g[i] * b.g[j];
    }
    return r;
}
Jet chain(const Jet& u, LD f, LD d1, LD d2) { return chain(u, Jet(), f, d1, 0, d2, 0, 0); }

Jet operator+(const Jet& a, const Jet& b) { return chain(a, b, a.f + b.f, 1, 1, 0, 0, 0); }
Jet operator-(const Jet& a, const Jet& b) { return chain(a, b, a.f - b.f, 1, -1, 0, 0, 0); }
Jet operator-(const Jet& a) { return chain(a, -a.f, -1, 0); }
Jet operator*(const Jet& a, const Jet& b) { return chain(a, b, a.f * b.f, b.f, a.f, 0, 1, 0); }
Jet operator/(const Jet& a, const Jet& b)
{
    const LD q = 1 / b.f;
    return chain(a, b, a.f * q, q, -a.f * q * q, 0, -q * q, 2 * a.f * q * q * q);
}
Jet exp(const Jet& u) { return chain(u, std::exp(u.f), std::exp(u.f), std::exp(u.f)); }
Jet log(const Jet& u) { return chain(u, std::log(u.f), 1 / u.f, -1 / (u.f * u.f)); }
Jet sin(const Jet& u) { return chain(u, std::sin(u.f), std::cos(u.f), -std::sin(u.f)); }
Jet cos(const Jet& u) { return chain(u, std::cos(u.f), -std::sin(u.f), -std::cos(u.f)); }
Jet sinh(const Jet& u) { return chain(u, std::sinh(u.f), std::cosh(u.f), std::sinh(u.f)); }
Jet cosh(const Jet& u) { return chain(u, std::cosh(u.f), std::sinh(u.f), std::cosh(u.f)); }
Jet tanh(const Jet& u) { const LD t = std::tanh(u.f); return chain(u, t, 1 - t * t, -2 * t * (1 - t * t)); }
Jet pow(const Jet& u, LD p)
{
    return chain(u, std::pow(u.f, p), p * std::pow(u.f, p - 1), p * (p - 1) * std::pow(u.f, p - 2));
}
Jet pow(const Jet& u, const Jet& p) { return exp(p * log(u)); }
Jet sqrt(const Jet& u) { return pow(u, 0.5L); }
Jet atan(const Jet& u) { const LD s = 1 + u.f * u.f; return chain(u, std::atan(u.f), 1 / s, -2 * u.f / (s * s)); }
Jet asin(const Jet& u)
{
    const LD r = 1 / std::sqrt(1 - u.f * u.f);
    return chain(u, std::asin(u.f), r, u.f * r * r * r);
}
Jet atanh(const Jet& u) { const LD s = 1 - u.f * u.f; return chain(u, std::atanh(u.f), 1 / s, 2 * u.f / (s * s)); }

// A case's exact function, in Jet arithmetic on v[0], v[1], ...
#define JET(formula) [](Vars v) { return formula; }

struct Case {
    const char* text;  // for the engine, in v0, v1, ...
    Jet (*f)(Vars);
    std::vector<std::vector<double>> points;
    // Whether the classic steps fall short here. Elsewhere they must reach the accuracy that
    // rounding allows: 1e-9 (first) or 1e-7 (second) of the size, or of |f| / (s_i s_j)
    // if that is larger.
    bool classicRough = false;
};

const std::vector<Case> Corpus = {
    {"v0^3", JET(pow(v[0], 3)), {{1e-3}, {10}}},
    {"v0^2", JET(pow(v[0], 2)), {{1e6}, {1000}}},  // the fixed steps gave 452 at 1e6, not 2
    {"Exp(v0)", JET(exp(v[0])), {{1}, {-3}, {1e-3}}}, {"Exp(-v0)", JET(exp(-v[0])), {{20}}},
    {"Sin(v0)", JET(sin(v[0])), {{1}, {1e-3}}}, {"Sin(v0)", JET(sin(v[0])), {{100}, {13700}, {1.37e6}}, true},
    {"Cos(v0)", JET(cos(v[0])), {{2.5}}}, {"Sin(1000*v0)", JET(sin(1000 * v[0])), {{1e-3}}, true},
    {"Log(v0)", JET(log(v[0])), {{2}, {1e5}, {1e6}}}, {"Log(v0)", JET(log(v[0])), {{0.00137}}, true},
    {"Log(1+v0)", JET(log(1 + v[0])), {{1e-3}}}, {"v0*Log(v0)", JET(v[0] * log(v[0])), {{1e3}}},
    {"Sqr(v0)", JET(sqrt(v[0])), {{0.5}, {1e4}}}, {"Sqr(v0)", JET(sqrt(v[0])), {{0.002}}, true},
    {"1/Sqr(v0)", JET(1 / sqrt(v[0])), {{0.01}}, true},
    {"v0^7-3*v0^5+v0", JET(pow(v[0], 7) - 3 * pow(v[0], 5) + v[0]), {{1.3}}},
    {"(v0/1000000)^8", JET(pow(v[0] / 1e6L, 8)), {{1.2e6}}}, {"Exp(v0/1000)", JET(exp(v[0] / 1000)), {{5000}}},
    {"Atn(v0)", JET(atan(v[0])), {{0.3}, {1e3}}}, {"1/(1+v0^2)", JET(1 / (1 + pow(v[0], 2))), {{0.7}}},
    {"1/(v0-1)", JET(1 / (v[0] - 1)), {{1.1}}},
    {"1/(v0-1)", JET(1 / (v[0] - 1)), {{1.001}, {1.01}}, true},  // poles near
    {"Exp(-(((v0-0.3)/0.0007)^2)/2)", JET(exp(-pow((v[0] - 0.3L) / 0.0007L, 2) / 2)), {{0.3005}}, true},
    {"Exp(-(((v0-0.3)/0.01)^2)/2)", JET(exp(-pow((v[0] - 0.3L) / 0.01L, 2) / 2)), {{0.312}}, true},
    {"Tanh(v0)", JET(tanh(v[0])), {{0.5}}}, {"Sinh(v0)", JET(sinh(v[0])), {{3}}},
    {"Cosh(v0)", JET(cosh(v[0])), {{1e-3}}}, {"Asin(v0)", JET(asin(v[0])), {{0.5}}},
    {"Atanh(v0)", JET(atanh(v[0])), {{0.9}}},
    // The sum loses all but six digits of v0 inside the function: no step can help.
    {"v0+1E10-1E10", JET(v[0] + 1e10L - 1e10L), {{0.5}}, true},
    {"Exp(v0)*Sin(v1)", JET(exp(v[0]) * sin(v[1])), {{1e-3, 0.5}}}, {"v1/v0", JET(v[1] / v[0]), {{10, 1e-3}}},
    {"Log(v0)*v1", JET(log(v[0]) * v[1]), {{1e4, 2}}}, {"v0^3*v1^2", JET(pow(v[0], 3) * pow(v[1], 2)), {{1e3, 1e5}}},
    {"Exp(v0/1000000)+v1/v0", JET(exp(v[0] / 1e6L) + v[1] / v[0]), {{1e6, -3e5}}},
    {"v0^2*v1", JET(pow(v[0], 2) * v[1]), {{1, 2}}}, {"v0^5*v1^3", JET(pow(v[0], 5) * pow(v[1], 3)), {{1e3, 2e2}}},
    {"Sin(v0*v1)", JET(sin(v[0] * v[1])), {{1.3, 0.7}}}, {"Sin(v0)*v1", JET(sin(v[0]) * v[1]), {{13700, 2}}, true},
    {"1/(v0+v1-1)", JET(1 / (v[0] + v[1] - 1)), {{0.5005, 0.5005}}, true},
    {"Exp(-(v0^2+v1^2)/0.0002)", JET(exp(-(pow(v[0], 2) + pow(v[1], 2)) / 0.0002L)), {{0.012, 0.005}}, true},
    {"Sqr(v0^2+v1^2)", JET(sqrt(pow(v[0], 2) + pow(v[1], 2))), {{3, 4}}},
    {"Atn(v1/v0)", JET(atan(v[1] / v[0])), {{1, 1e-3}}}, {"v0^v1", JET(pow(v[0], v[1])), {{2, 3}}},
    {"v0*Sin(v1)", JET(v[0] * sin(v[1])), {{1e6, 1e-3}}},
    {"Exp(v0*1000)*Log(v1)", JET(exp(v[0] * 1000) * log(v[1])), {{1e-3, 1e6}}, true},
    {"v0*v1*v2+Sin(v0)*Cos(v2)", JET(v[0] * v[1] * v[2] + sin(v[0]) * cos(v[2])), {{0.5, 2, -1}}},
    {"Exp(v0)*v1/v2", JET(exp(v[0]) * v[1] / v[2]), {{1, 1e3, 0.01}}, true},
    {"(v0-v1)^2/(v2*v3)", JET(pow(v[0] - v[1], 2) / (v[2] * v[3])), {{3, 1, 2, 1e3}}},
    {"v0*v1+v2*v3+v4*Sin(v0)+Exp(v1/v2)", JET(v[0] * v[1] + v[2] * v[3] + v[4] * sin(v[0]) + exp(v[1] / v[2])),
     {{0.5, 0.75, 1, 1.25, 1.5}}},
    {"v0*v1*v2*v3*v4*v5*v6*v7*v8*v9", JET(v[0] * v[1] * v[2] * v[3] * v[4] * v[5] * v[6] * v[7] * v[8] * v[9]),
     {{1, 1.1, 1.2, 1.3, 1.4, 1.5, 1.6, 1.7, 1.8, 1.9}}},
    {"Exp((v0+v1+v2+v3+v4+v5+v6+v7+v8+v9)/10)",
     JET(exp((v[0] + v[1] + v[2] + v[3] + v[4] + v[5] + v[6] + v[7] + v[8] + v[9]) / 10)),
     {{0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9}}},
};
#undef JET

struct Figures {
    std::vector<double> gradient, second;  // refined relative errors
    int failing = 0;                       // refined entries beyond 1e-6 (first) or 1e-4 (second)
    int entries = 0, honest = 0;           // true error at most the estimate
    std::string rough;                     // classic entries short of the rounding accuracy where they should reach it
};

double median(std::vector<double> v) { std::sort(v.begin(), v.end()); return v[v.size() / 2]; }

// Runs the classic and the refined computation at one point through the engine and adds
// every entry to the figures. An entry's relative error is measured against |exact|, or
// for an exact 0 against |f| / (s_i s_j), s_i = max(1, |x_i|).
void measure(const Case& c, const std::vector<double>& point, Figures& fig)
{
    std::vector<Jet> vars(point.begin(), point.end());
    for (std::size_t k = 0; k < point.size(); ++k)
        vars[k].g[k] = 1;
    const testing::EngineProblem problem({"v0", "v1", "v2", "v3", "v4", "v5", "v6", "v7", "v8", "v9"}, point, c.text);
    const auto& [dim, binding, evaluate, lines, refined] = problem;
    const Jet exact = c.f(vars);
    const std::vector<ListEntry> entries = listEntries(dim.Order);
    const auto scale = [&point](std::size_t k) { return std::max(1.0, std::fabs(point[k])); };
    for (std::size_t line = 1; line < entries.size(); ++line) {
        const ListEntry& e = entries[line];
        const bool second = e.j >= 0;
        const auto i = static_cast<std::size_t>(e.i), j = static_cast<std::size_t>(second ? e.j : e.i);
        const LD truth = second ? exact.h[i][j] : exact.g[i];
        const LD floor = std::fabs(exact.f) / scale(i) / (second ? scale(j) : 1);
        const LD size = truth != 0 ? std::fabs(truth) : floor != 0 ? floor : 1;
        const double value = second ? refined.hessian[i][j] : refined.gradient[i];
        const double error = second ? refined.hessianError[i][j] : refined.gradientError[i];
        const double classic = second ? dim.Der2Val[i][j] : dim.Der1Val[i];
        if (!c.classicRough && std::fabs(classic - truth) > (second ? 1e-7 : 1e-9) * std::max(std::fabs(truth), floor))
            fig.rough += "\n  " + std::string(c.text) + " at " + std::to_string(point[0]) + " " + entryLabel(dim, e);
        const double relative = std::isfinite(value) ? static_cast<double>(std::fabs(value - truth) / size) : INFINITY;
        (second ? fig.second : fig.gradient).push_back(relative);
        fig.failing += relative > (second ? 1e-4 : 1e-6);
        ++fig.entries;
        if (!std::isfinite(value) || std::fabs(value - truth) <= error)
            ++fig.honest;
    }
}

// The corpus measured once for all the targets below. The warnings on the classic list
// are held by the warnings corpus test.
const Figures& figures()
{
    static const Figures fig = [] {
        Figures f;
        for (const Case& c : Corpus)
            for (const auto& point : c.points)
                measure(c, point, f);
        return f;
    }();
    return fig;
}

TEST(Accuracy, ClassicStepsReachTheAccuracyRoundingAllowsWhereTheyCan)
{
    EXPECT_EQ(figures().rough, "") << "classic entries short of 1e-9 (first) or 1e-7 (second) of their size";
}

TEST(Accuracy, RefinedMedianErrorIsNearTheRoundingFloor)
{
    EXPECT_LE(median(figures().gradient), 3e-13) << "median relative error of refined first derivatives";
    EXPECT_LE(median(figures().second), 2e-10) << "median relative error of refined second derivatives";
}

TEST(Accuracy, FewRefinedEntriesMissTheirTarget)
{
    EXPECT_LT(figures().failing, 0.05 * figures().entries)
        << "refined entries off by more than 1e-6 (first) or 1e-4 (second) of their size";
}

TEST(Accuracy, RefinedErrorsCoverTheTrueErrorNearlyEverywhere)
{
    EXPECT_GE(figures().honest, 0.95 * figures().entries) << "refined entries within their stated error";
}

}  // namespace
}  // namespace slopekit
