// Results against exact derivatives across coordinates from 1e-3 to 1e6. The bound is the
// rounding error the steps allow in double precision: relative to the derivative, or to
// |f| / (s_i s_j) with s_i = max(1, |x_i|) where that is larger (a derivative near zero).
#include "derivatives/compute_derivatives.h"
#include "derivatives/derivative_labels.h"
#include "derivatives/problem_fixture.h"
#include "engine/engine_binding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

namespace slopekit {
namespace {

using testing::LoggingEvaluator;
using testing::makeProblem;
using Point = std::vector<double>;
using Matrix = std::vector<std::vector<double>>;

struct Smooth {
    const char* name;
    const char* text;  // the same function for the expression engine, in v0, v1
    Point point;
    std::function<double(const Point&)> f;
    std::function<Point(const Point&)> gradient;
    std::function<Matrix(const Point&)> hessian;
};

void PrintTo(const Smooth& c, std::ostream* os) { *os << c.name; }

class Accuracy : public ::testing::TestWithParam<Smooth> {};

// Checks the results of a computation over c's point against the exact derivatives.
void expectExact(const Smooth& c, const Dimension& dim)
{
    const double f = std::fabs(c.f(c.point));
    const Point gradient = c.gradient(c.point);
    const Matrix hessian = c.hessian(c.point);
    auto scale = [&](std::size_t k) { return std::max(1.0, std::fabs(c.point[k])); };
    for (std::size_t i = 0; i < c.point.size(); ++i) {
        const double size1 = std::max(std::fabs(gradient[i]), f / scale(i));
        EXPECT_NEAR(dim.Der1Val[i], gradient[i], 1e-9 * size1) << "D" << dim.VarNams[i];
        for (std::size_t j = 0; j < c.point.size(); ++j) {
            const double size2 = std::max(std::fabs(hessian[i][j]), f / scale(i) / scale(j));
            EXPECT_NEAR(dim.Der2Val[i][j], hessian[i][j], 1e-7 * size2)
                << "D" << dim.VarNams[i] << dim.VarNams[j];
        }
    }
}

Dimension problemAt(const Point& point)
{
    std::vector<std::string> names;
    for (std::size_t k = 0; k < point.size(); ++k)
        names.push_back("v" + std::to_string(k));
    Dimension dim = makeProblem(names, point);
    BuildLabels(dim);
    return dim;
}

TEST_P(Accuracy, NativeFunctionAgreesWithExactDerivatives)
{
    const Smooth& c = GetParam();
    Dimension dim = problemAt(c.point);
    LoggingEvaluator evaluator(dim, c.f);
    ComputeDerivatives(dim, std::ref(evaluator));
    expectExact(c, dim);
}

// Through the engine the coordinates travel as 15-digit texts; the bound still holds.
TEST_P(Accuracy, EngineAgreesWithExactDerivatives)
{
    const Smooth& c = GetParam();
    Dimension dim = problemAt(c.point);
    EngineBinding binding(dim);
    binding.setUp();
    dim.Equation = c.text;
    ComputeDerivatives(dim, [&binding] { return binding.EvaluateFunction(); });
    expectExact(c, dim);
}

INSTANTIATE_TEST_SUITE_P(
    SmoothFunctions, Accuracy,
    ::testing::Values(
        Smooth{"cube_at_1e_3", "v0^3", {1e-3},
               [](const Point& p) { return std::pow(p[0], 3); },
               [](const Point& p) { return Point{3 * p[0] * p[0]}; },
               [](const Point& p) { return Matrix{{6 * p[0]}}; }},
        Smooth{"exp_sin_near_zero", "Exp(v0)*Sin(v1)", {1e-3, 0.5},
               [](const Point& p) { return std::exp(p[0]) * std::sin(p[1]); },
               [](const Point& p) {
                   return Point{std::exp(p[0]) * std::sin(p[1]), std::exp(p[0]) * std::cos(p[1])};
               },
               [](const Point& p) {
                   const double a = std::exp(p[0]) * std::sin(p[1]), b = std::exp(p[0]) * std::cos(p[1]);
                   return Matrix{{a, b}, {b, -a}};
               }},
        Smooth{"quotient_at_10", "v1/v0", {10, 1e-3},
               [](const Point& p) { return p[1] / p[0]; },
               [](const Point& p) { return Point{-p[1] / (p[0] * p[0]), 1 / p[0]}; },
               [](const Point& p) {
                   const double x = p[0], y = p[1];
                   return Matrix{{2 * y / (x * x * x), -1 / (x * x)}, {-1 / (x * x), 0}};
               }},
        Smooth{"log_times_linear_at_1e4", "Log(v0)*v1", {1e4, 2},
               [](const Point& p) { return std::log(p[0]) * p[1]; },
               [](const Point& p) { return Point{p[1] / p[0], std::log(p[0])}; },
               [](const Point& p) {
                   const double x = p[0], y = p[1];
                   return Matrix{{-y / (x * x), 1 / x}, {1 / x, 0}};
               }},
        Smooth{"power_product_at_1e3_1e5", "v0^3*v1^2", {1e3, 1e5},
               [](const Point& p) { return std::pow(p[0], 3) * p[1] * p[1]; },
               [](const Point& p) {
                   const double x = p[0], y = p[1];
                   return Point{3 * x * x * y * y, 2 * x * x * x * y};
               },
               [](const Point& p) {
                   const double x = p[0], y = p[1];
                   return Matrix{{6 * x * y * y, 6 * x * x * y}, {6 * x * x * y, 2 * x * x * x}};
               }},
        // The fixed steps gave 452 here instead of 2.
        Smooth{"square_at_1e6", "v0^2", {1e6},
               [](const Point& p) { return p[0] * p[0]; },
               [](const Point& p) { return Point{2 * p[0]}; },
               [](const Point&) { return Matrix{{2}}; }},
        Smooth{"exp_of_scaled_at_1e6", "Exp(v0/1e6)+v1/v0", {1e6, -3e5},
               [](const Point& p) { return std::exp(p[0] / 1e6) + p[1] / p[0]; },
               [](const Point& p) {
                   const double x = p[0], y = p[1];
                   return Point{std::exp(x / 1e6) / 1e6 - y / (x * x), 1 / x};
               },
               [](const Point& p) {
                   const double x = p[0], y = p[1];
                   return Matrix{{std::exp(x / 1e6) / 1e12 + 2 * y / (x * x * x), -1 / (x * x)},
                                 {-1 / (x * x), 0}};
               }}),
    [](const ::testing::TestParamInfo<Smooth>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace slopekit
