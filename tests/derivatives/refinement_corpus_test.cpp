// The refined results and the warnings on the classic list, measured through the engine on
// a corpus of functions and points whose exact derivatives are written out below in long
// double: polynomials, trigonometric, exponential and logarithmic functions, poles near the
// point, narrow peaks, products of ten variables, mixed scales, coordinates from 1e-3 to
// 1e6. An entry's relative error is measured against |exact|, or for an exact 0 against
// |f| / (s_i s_j), s_i = max(1, |x_i|).
#include "derivatives/compute_derivatives.h"
#include "derivatives/derivative_labels.h"
#include "derivatives/problem_fixture.h"
#include "derivatives/refined_derivatives.h"
#include "derivatives/result_warnings.h"
#include "engine/engine_binding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

namespace slopekit {
namespace {

using LD = long double;
using LPoint = std::vector<LD>;

struct Exact {
    LD f;
    std::vector<LD> g;
    std::vector<std::vector<LD>> h;
};

struct Case {
    std::string name;
    std::string text;  // in the variables v0, v1, ...
    LPoint point;
    std::function<Exact(const LPoint&)> exact;
};

// A function of one variable from its value and first two derivatives.
Case one(const char* name, const char* text, LD x0, std::function<std::array<LD, 3>(LD)> d)
{
    return {name, text, {x0}, [d](const LPoint& p) {
                const auto [f, d1, d2] = d(p[0]);
                return Exact{f, {d1}, {{d2}}};
            }};
}

Exact gaussian(LD x, LD c, LD s)
{
    const LD u = (x - c) / s, g = std::exp(-u * u / 2);
    return {g, {-u / s * g}, {{(u * u - 1) / (s * s) * g}}};
}

std::vector<Case> corpus()
{
    using std::atan, std::cos, std::cosh, std::exp, std::log, std::pow, std::sin, std::sinh,
        std::sqrt, std::tanh, std::asin, std::atanh;
    std::vector<Case> c = {
        one("exp_at_1", "Exp(v0)", 1, [](LD x) { return std::array{exp(x), exp(x), exp(x)}; }),
        one("exp_at_minus_3", "Exp(v0)", -3, [](LD x) { return std::array{exp(x), exp(x), exp(x)}; }),
        one("exp_at_1e_3", "Exp(v0)", 1e-3L, [](LD x) { return std::array{exp(x), exp(x), exp(x)}; }),
        one("exp_minus_at_20", "Exp(-v0)", 20, [](LD x) { return std::array{exp(-x), -exp(-x), exp(-x)}; }),
        one("sin_at_1", "Sin(v0)", 1, [](LD x) { return std::array{sin(x), cos(x), -sin(x)}; }),
        one("sin_at_100", "Sin(v0)", 100, [](LD x) { return std::array{sin(x), cos(x), -sin(x)}; }),
        one("sin_at_13700", "Sin(v0)", 13700, [](LD x) { return std::array{sin(x), cos(x), -sin(x)}; }),
        one("sin_at_1_37e6", "Sin(v0)", 1.37e6L, [](LD x) { return std::array{sin(x), cos(x), -sin(x)}; }),
        one("sin_at_1e_3", "Sin(v0)", 1e-3L, [](LD x) { return std::array{sin(x), cos(x), -sin(x)}; }),
        one("cos_at_2_5", "Cos(v0)", 2.5L, [](LD x) { return std::array{cos(x), -sin(x), -cos(x)}; }),
        one("fast_sin_at_1e_3", "Sin(1000*v0)", 1e-3L,
            [](LD x) { return std::array{sin(1000 * x), 1000 * cos(1000 * x), -1e6L * sin(1000 * x)}; }),
        one("log_at_0_00137", "Log(v0)", 0.00137L, [](LD x) { return std::array{log(x), 1 / x, -1 / (x * x)}; }),
        one("log_at_2", "Log(v0)", 2, [](LD x) { return std::array{log(x), 1 / x, -1 / (x * x)}; }),
        one("log_at_1e5", "Log(v0)", 1e5L, [](LD x) { return std::array{log(x), 1 / x, -1 / (x * x)}; }),
        one("log_at_1e6", "Log(v0)", 1e6L, [](LD x) { return std::array{log(x), 1 / x, -1 / (x * x)}; }),
        one("log_1_plus_at_1e_3", "Log(1+v0)", 1e-3L,
            [](LD x) { return std::array{log(1 + x), 1 / (1 + x), -1 / ((1 + x) * (1 + x))}; }),
        one("x_log_x_at_1e3", "v0*Log(v0)", 1e3L, [](LD x) { return std::array{x * log(x), log(x) + 1, 1 / x}; }),
        one("sqr_at_0_5", "Sqr(v0)", 0.5L,
            [](LD x) { return std::array{sqrt(x), 1 / (2 * sqrt(x)), -1 / (4 * x * sqrt(x))}; }),
        one("sqr_at_0_002", "Sqr(v0)", 0.002L,
            [](LD x) { return std::array{sqrt(x), 1 / (2 * sqrt(x)), -1 / (4 * x * sqrt(x))}; }),
        one("sqr_at_1e4", "Sqr(v0)", 1e4L,
            [](LD x) { return std::array{sqrt(x), 1 / (2 * sqrt(x)), -1 / (4 * x * sqrt(x))}; }),
        one("inverse_sqr_at_1e_2", "1/Sqr(v0)", 0.01L,
            [](LD x) { return std::array{1 / sqrt(x), -0.5L / (x * sqrt(x)), 0.75L / (x * x * sqrt(x))}; }),
        one("cube_at_10", "v0^3", 10, [](LD x) { return std::array{x * x * x, 3 * x * x, 6 * x}; }),
        one("cube_at_1e_3", "v0^3", 1e-3L, [](LD x) { return std::array{x * x * x, 3 * x * x, 6 * x}; }),
        one("square_at_1000", "v0^2", 1000, [](LD x) { return std::array{x * x, 2 * x, LD(2)}; }),
        one("square_at_1e6", "v0^2", 1e6L, [](LD x) { return std::array{x * x, 2 * x, LD(2)}; }),
        one("poly7_at_1_3", "v0^7-3*v0^5+v0", 1.3L, [](LD x) {
            return std::array{pow(x, 7) - 3 * pow(x, 5) + x, 7 * pow(x, 6) - 15 * pow(x, 4) + 1,
                              42 * pow(x, 5) - 60 * pow(x, 3)};
        }),
        one("poly8_scaled_at_1_2e6", "(v0/1000000)^8", 1.2e6L, [](LD x) {
            const LD u = x / 1e6L;
            return std::array{pow(u, 8), 8 * pow(u, 7) / 1e6L, 56 * pow(u, 6) / 1e12L};
        }),
        one("exp_scaled_at_5000", "Exp(v0/1000)", 5000,
            [](LD x) { return std::array{exp(x / 1000), exp(x / 1000) / 1000, exp(x / 1000) / 1e6L}; }),
        one("atn_at_0_3", "Atn(v0)", 0.3L,
            [](LD x) { return std::array{atan(x), 1 / (1 + x * x), -2 * x / ((1 + x * x) * (1 + x * x))}; }),
        one("atn_at_1e3", "Atn(v0)", 1e3L,
            [](LD x) { return std::array{atan(x), 1 / (1 + x * x), -2 * x / ((1 + x * x) * (1 + x * x))}; }),
        one("lorentz_at_0_7", "1/(1+v0^2)", 0.7L, [](LD x) {
            const LD q = 1 + x * x;
            return std::array{1 / q, -2 * x / (q * q), (6 * x * x - 2) / (q * q * q)};
        }),
        one("pole_at_1e_3", "1/(v0-1)", 1.001L,
            [](LD x) { return std::array{1 / (x - 1), -1 / ((x - 1) * (x - 1)), 2 / pow(x - 1, 3)}; }),
        one("pole_at_1e_2", "1/(v0-1)", 1.01L,
            [](LD x) { return std::array{1 / (x - 1), -1 / ((x - 1) * (x - 1)), 2 / pow(x - 1, 3)}; }),
        one("pole_at_1e_1", "1/(v0-1)", 1.1L,
            [](LD x) { return std::array{1 / (x - 1), -1 / ((x - 1) * (x - 1)), 2 / pow(x - 1, 3)}; }),
        {"gauss_width_7e_4", "Exp(-(((v0-0.3)/0.0007)^2)/2)", {0.3005L},
         [](const LPoint& p) { return gaussian(p[0], 0.3L, 0.0007L); }},
        {"gauss_width_1e_2", "Exp(-(((v0-0.3)/0.01)^2)/2)", {0.312L},
         [](const LPoint& p) { return gaussian(p[0], 0.3L, 0.01L); }},
        one("tanh_at_0_5", "Tanh(v0)", 0.5L,
            [](LD x) { return std::array{tanh(x), 1 - tanh(x) * tanh(x), -2 * tanh(x) * (1 - tanh(x) * tanh(x))}; }),
        one("sinh_at_3", "Sinh(v0)", 3, [](LD x) { return std::array{sinh(x), cosh(x), sinh(x)}; }),
        one("cosh_at_1e_3", "Cosh(v0)", 1e-3L, [](LD x) { return std::array{cosh(x), sinh(x), cosh(x)}; }),
        one("asin_at_0_5", "Asin(v0)", 0.5L,
            [](LD x) { return std::array{asin(x), 1 / sqrt(1 - x * x), x / pow(1 - x * x, 1.5L)}; }),
        one("atanh_at_0_9", "Atanh(v0)", 0.9L, [](LD x) {
            return std::array{atanh(x), 1 / (1 - x * x), 2 * x / ((1 - x * x) * (1 - x * x))};
        }),
        // The sum loses all but six digits of v0 inside the function: no step can help.
        one("cancelling_sum_at_0_5", "v0+1E10-1E10", 0.5L, [](LD x) { return std::array{x, LD(1), LD(0)}; }),
        {"x2y_at_1_2", "v0^2*v1", {1, 2}, [](const LPoint& p) {
             const LD x = p[0], y = p[1];
             return Exact{x * x * y, {2 * x * y, x * x}, {{2 * y, 2 * x}, {2 * x, 0}}};
         }},
        {"exp_sin_near_0", "Exp(v0)*Sin(v1)", {1e-3L, 0.5L}, [](const LPoint& p) {
             const LD a = exp(p[0]) * sin(p[1]), b = exp(p[0]) * cos(p[1]);
             return Exact{a, {a, b}, {{a, b}, {b, -a}}};
         }},
        {"quotient_at_10", "v1/v0", {10, 1e-3L}, [](const LPoint& p) {
             const LD x = p[0], y = p[1];
             return Exact{y / x, {-y / (x * x), 1 / x}, {{2 * y / (x * x * x), -1 / (x * x)}, {-1 / (x * x), 0}}};
         }},
        {"log_times_linear_at_1e4", "Log(v0)*v1", {1e4L, 2}, [](const LPoint& p) {
             const LD x = p[0], y = p[1];
             return Exact{log(x) * y, {y / x, log(x)}, {{-y / (x * x), 1 / x}, {1 / x, 0}}};
         }},
        {"power_product_at_1e3_1e5", "v0^3*v1^2", {1e3L, 1e5L}, [](const LPoint& p) {
             const LD x = p[0], y = p[1];
             return Exact{x * x * x * y * y, {3 * x * x * y * y, 2 * x * x * x * y},
                          {{6 * x * y * y, 6 * x * x * y}, {6 * x * x * y, 2 * x * x * x}}};
         }},
        {"power_product_at_1e3_2e2", "v0^5*v1^3", {1e3L, 2e2L}, [](const LPoint& p) {
             const LD x = p[0], y = p[1];
             return Exact{pow(x, 5) * pow(y, 3), {5 * pow(x, 4) * pow(y, 3), 3 * pow(x, 5) * y * y},
                          {{20 * pow(x, 3) * pow(y, 3), 15 * pow(x, 4) * y * y},
                           {15 * pow(x, 4) * y * y, 6 * pow(x, 5) * y}}};
         }},
        {"exp_of_scaled_at_1e6", "Exp(v0/1000000)+v1/v0", {1e6L, -3e5L}, [](const LPoint& p) {
             const LD x = p[0], y = p[1], e = exp(x / 1e6L);
             return Exact{e + y / x, {e / 1e6L - y / (x * x), 1 / x},
                          {{e / 1e12L + 2 * y / (x * x * x), -1 / (x * x)}, {-1 / (x * x), 0}}};
         }},
        {"sin_of_product", "Sin(v0*v1)", {1.3L, 0.7L}, [](const LPoint& p) {
             const LD x = p[0], y = p[1], s = sin(x * y), c = cos(x * y);
             return Exact{s, {y * c, x * c}, {{-y * y * s, c - x * y * s}, {c - x * y * s, -x * x * s}}};
         }},
        {"sin_far_times_linear", "Sin(v0)*v1", {13700, 2}, [](const LPoint& p) {
             const LD x = p[0], y = p[1];
             return Exact{sin(x) * y, {y * cos(x), sin(x)}, {{-y * sin(x), cos(x)}, {cos(x), 0}}};
         }},
        {"pole_on_diagonal_1e_3", "1/(v0+v1-1)", {0.5005L, 0.5005L}, [](const LPoint& p) {
             const LD r = p[0] + p[1] - 1, h = 2 / (r * r * r);
             return Exact{1 / r, {-1 / (r * r), -1 / (r * r)}, {{h, h}, {h, h}}};
         }},
        {"gauss_2d_width_1e_2", "Exp(-(v0^2+v1^2)/0.0002)", {0.012L, 0.005L}, [](const LPoint& p) {
             const LD x = p[0], y = p[1], s2 = 1e-4L, f = exp(-(x * x + y * y) / (2 * s2));
             return Exact{f, {-x / s2 * f, -y / s2 * f},
                          {{(x * x / s2 - 1) / s2 * f, x * y / (s2 * s2) * f},
                           {x * y / (s2 * s2) * f, (y * y / s2 - 1) / s2 * f}}};
         }},
        {"hypot_at_3_4", "Sqr(v0^2+v1^2)", {3, 4}, [](const LPoint& p) {
             const LD x = p[0], y = p[1], r = sqrt(x * x + y * y), r3 = r * r * r;
             return Exact{r, {x / r, y / r}, {{y * y / r3, -x * y / r3}, {-x * y / r3, x * x / r3}}};
         }},
        {"angle_at_1_1e_3", "Atn(v1/v0)", {1, 1e-3L}, [](const LPoint& p) {
             const LD x = p[0], y = p[1], q = x * x + y * y;
             return Exact{atan(y / x), {-y / q, x / q},
                          {{2 * x * y / (q * q), (y * y - x * x) / (q * q)}, {(y * y - x * x) / (q * q), -2 * x * y / (q * q)}}};
         }},
        {"power_x_to_y", "v0^v1", {2, 3}, [](const LPoint& p) {
             const LD x = p[0], y = p[1], f = pow(x, y), l = log(x);
             return Exact{f, {y * pow(x, y - 1), f * l},
                          {{y * (y - 1) * pow(x, y - 2), pow(x, y - 1) * (1 + y * l)},
                           {pow(x, y - 1) * (1 + y * l), f * l * l}}};
         }},
        {"scales_1e6_and_1e_3", "v0*Sin(v1)", {1e6L, 1e-3L}, [](const LPoint& p) {
             const LD x = p[0], y = p[1];
             return Exact{x * sin(y), {sin(y), x * cos(y)}, {{0, cos(y)}, {cos(y), -x * sin(y)}}};
         }},
        {"scales_1e_3_and_1e6", "Exp(v0*1000)*Log(v1)", {1e-3L, 1e6L}, [](const LPoint& p) {
             const LD x = p[0], y = p[1], e = exp(1000 * x);
             return Exact{e * log(y), {1000 * e * log(y), e / y},
                          {{1e6L * e * log(y), 1000 * e / y}, {1000 * e / y, -e / (y * y)}}};
         }},
        {"three_variables", "v0*v1*v2+Sin(v0)*Cos(v2)", {0.5L, 2, -1}, [](const LPoint& p) {
             const LD x = p[0], y = p[1], z = p[2];
             return Exact{x * y * z + sin(x) * cos(z),
                          {y * z + cos(x) * cos(z), x * z, x * y - sin(x) * sin(z)},
                          {{-sin(x) * cos(z), z, y - cos(x) * sin(z)},
                           {z, 0, x},
                           {y - cos(x) * sin(z), x, -sin(x) * cos(z)}}};
         }},
        {"pole_1e_2_in_three", "Exp(v0)*v1/v2", {1, 1e3L, 0.01L}, [](const LPoint& p) {
             const LD e = exp(p[0]), y = p[1], z = p[2], f = e * y / z;
             return Exact{f, {f, e / z, -e * y / (z * z)},
                          {{f, e / z, -e * y / (z * z)},
                           {e / z, 0, -e / (z * z)},
                           {-e * y / (z * z), -e / (z * z), 2 * e * y / (z * z * z)}}};
         }},
        {"ratio_of_four", "(v0-v1)^2/(v2*v3)", {3, 1, 2, 1e3L}, [](const LPoint& p) {
             const LD u = p[0] - p[1], z = p[2], w = p[3], q = z * w;
             return Exact{u * u / q,
                          {2 * u / q, -2 * u / q, -u * u / (z * q), -u * u / (w * q)},
                          {{2 / q, -2 / q, -2 * u / (z * q), -2 * u / (w * q)},
                           {-2 / q, 2 / q, 2 * u / (z * q), 2 * u / (w * q)},
                           {-2 * u / (z * q), 2 * u / (z * q), 2 * u * u / (z * z * q), u * u / (q * q)},
                           {-2 * u / (w * q), 2 * u / (w * q), u * u / (q * q), 2 * u * u / (w * w * q)}}};
         }},
        {"five_variables", "v0*v1+v2*v3+v4*Sin(v0)+Exp(v1/v2)", {0.5L, 0.75L, 1, 1.25L, 1.5L},
         [](const LPoint& p) {
             const LD x0 = p[0], x1 = p[1], x2 = p[2], x3 = p[3], x4 = p[4], d = exp(x1 / x2);
             Exact e{x0 * x1 + x2 * x3 + x4 * sin(x0) + d,
                     {x1 + x4 * cos(x0), x0 + d / x2, x3 - d * x1 / (x2 * x2), x2, sin(x0)},
                     std::vector<std::vector<LD>>(5, std::vector<LD>(5, 0))};
             auto set = [&](int i, int j, LD v) { e.h[i][j] = e.h[j][i] = v; };
             set(0, 0, -x4 * sin(x0));
             set(0, 1, 1);
             set(0, 4, cos(x0));
             set(1, 1, d / (x2 * x2));
             set(1, 2, -d * x1 / pow(x2, 3) - d / (x2 * x2));
             set(2, 2, d * x1 * x1 / pow(x2, 4) + 2 * d * x1 / pow(x2, 3));
             set(2, 3, 1);
             return e;
         }},
    };
    // Ten variables: their product, and the exponential of their mean.
    LPoint near1, spread;
    for (int k = 0; k < 10; ++k) {
        near1.push_back(1 + 0.1L * k);
        spread.push_back(0.1L * k);
    }
    c.push_back({"product_of_ten", "v0*v1*v2*v3*v4*v5*v6*v7*v8*v9", near1, [](const LPoint& p) {
                     LD f = 1;
                     for (LD v : p)
                         f *= v;
                     Exact e{f, {}, std::vector<std::vector<LD>>(10, std::vector<LD>(10, 0))};
                     for (int i = 0; i < 10; ++i) {
                         e.g.push_back(f / p[i]);
                         for (int j = 0; j < 10; ++j)
                             if (i != j)
                                 e.h[i][j] = f / (p[i] * p[j]);
                     }
                     return e;
                 }});
    c.push_back({"exp_of_mean_of_ten", "Exp((v0+v1+v2+v3+v4+v5+v6+v7+v8+v9)/10)", spread, [](const LPoint& p) {
                     LD sum = 0;
                     for (LD v : p)
                         sum += v;
                     const LD f = exp(sum / 10);
                     return Exact{f, std::vector<LD>(10, f / 10),
                                  std::vector<std::vector<LD>>(10, std::vector<LD>(10, f / 100))};
                 }});
    return c;
}

struct Figures {
    std::vector<double> gradient, second;       // refined relative errors
    int gradientFailing = 0, secondFailing = 0;  // beyond 1e-6 and 1e-4
    int entries = 0, honest = 0;                 // true error at most the estimate
    int classicBad = 0, badMarked = 0;           // classic error above 1e-6, and marked
    int classicGood = 0, goodMarked = 0;         // classic error below 1e-8, and marked
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Runs the classic and the refined computation of one case through the engine and adds
// every entry to the figures.
void measure(const Case& c, Figures& fig)
{
    std::vector<std::string> names;
    std::vector<double> point;
    for (std::size_t k = 0; k < c.point.size(); ++k) {
        names.push_back("v" + std::to_string(k));
        point.push_back(static_cast<double>(c.point[k]));
    }
    Dimension dim = testing::makeProblem(names, point);
    BuildLabels(dim);
    EngineBinding binding(dim);
    binding.setUp();
    dim.Equation = c.text;
    const auto evaluate = [&binding] { return binding.EvaluateFunction(); };
    ComputeDerivatives(dim, evaluate);
    const RefinedDerivatives refined = RefineDerivatives(dim, evaluate);
    const std::vector<bool> marks = classicWarnings(dim, refined);
    // Exact at the point as the computation has it, in double.
    const Exact exact = c.exact(LPoint(point.begin(), point.end()));
    const std::vector<ListEntry> entries = listEntries(dim.Order);
    for (std::size_t line = 1; line < entries.size(); ++line) {
        const ListEntry& e = entries[line];
        const bool second = e.j >= 0;
        const auto i = static_cast<std::size_t>(e.i), j = static_cast<std::size_t>(second ? e.j : e.i);
        const LD truth = second ? exact.h[i][j] : exact.g[i];
        LD size = std::fabs(truth);
        if (size == 0) {
            size = std::fabs(exact.f) / std::max<LD>(1, std::fabs(c.point[i]));
            if (second)
                size /= std::max<LD>(1, std::fabs(c.point[j]));
        }
        if (size == 0)
            size = 1;
        const double value = second ? refined.hessian[i][j] : refined.gradient[i];
        const double error = second ? refined.hessianError[i][j] : refined.gradientError[i];
        const double classic = second ? dim.Der2Val[i][j] : dim.Der1Val[i];
        const double relative = std::isfinite(value) ? static_cast<double>(std::fabs(value - truth) / size) : INFINITY;
        const double classicRelative = static_cast<double>(std::fabs(classic - truth) / size);
        (second ? fig.second : fig.gradient).push_back(relative);
        if (relative > (second ? 1e-4 : 1e-6))
            ++(second ? fig.secondFailing : fig.gradientFailing);
        ++fig.entries;
        if (!std::isfinite(value) || std::fabs(value - truth) <= error)
            ++fig.honest;
        if (classicRelative > 1e-6) {
            ++fig.classicBad;
            fig.badMarked += marks[line];
        } else if (classicRelative < 1e-8) {
            ++fig.classicGood;
            fig.goodMarked += marks[line];
        }
    }
}

TEST(RefinementCorpus, MeetsTheAccuracyHonestyAndWarningTargets)
{
    const std::vector<Case> cases = corpus();
    ASSERT_GE(cases.size(), 60u);
    Figures fig;
    for (const Case& c : cases)
        measure(c, fig);
    const double gradientMedian = median(fig.gradient), secondMedian = median(fig.second);
    std::cout << "entries " << fig.entries << " (gradient " << fig.gradient.size() << ", second "
              << fig.second.size() << ")\nmedian relative error: gradient " << gradientMedian << ", second "
              << secondMedian << "\nfailing: gradient " << fig.gradientFailing << ", second " << fig.secondFailing
              << "\nhonest estimates " << fig.honest << " of " << fig.entries << "\nwarnings: " << fig.badMarked
              << " of " << fig.classicBad << " bad classic entries marked, " << fig.goodMarked << " of "
              << fig.classicGood << " good ones\n";
    EXPECT_LE(gradientMedian, 3e-13);
    EXPECT_LE(secondMedian, 2e-10);
    EXPECT_LT(fig.gradientFailing + fig.secondFailing, 0.05 * fig.entries);
    EXPECT_GE(fig.honest, 0.95 * fig.entries);
    EXPECT_GE(fig.badMarked, 0.95 * fig.classicBad);
    EXPECT_LE(fig.goodMarked, 0.05 * fig.classicGood);
}

}  // namespace
}  // namespace slopekit
