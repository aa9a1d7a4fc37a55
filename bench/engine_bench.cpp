// ns per Eval of reference functions (our engine, muparser, native C++), and ns per whole
// AssignVariables + EvaluateFunction cycle as a derivative computation makes them. Target:
// ours at most 1.0x muparser on each reference function, at most 0.8x on their geometric mean.
#include "engine/engine_binding.h"
#include "problem/dimension.h"

#include <benchmark/benchmark.h>
#include <muParser.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

using namespace slopekit;

const std::vector<std::string> TenNames{"a", "b", "c", "d", "f", "g", "h", "i", "j", "k"};
const std::vector<double> TenValues{0.5, 1.25, -0.75, 2.0, 1.5, -1.1, 0.3, 0.9, -2.2, 1.7};

struct Reference {
    const char* ours;
    const char* muparser;
    double (*native)(const double* v);
};

// x and y are v[0] and v[1]; the ten-variable function uses a..k as v[0..9].
const Reference References[] = {
    {"3*x^2*y - 2*x*y^2 + 5*x - y + 1", "3*x^2*y - 2*x*y^2 + 5*x - y + 1",
     [](const double* v) { return 3 * v[0] * v[0] * v[1] - 2 * v[0] * v[1] * v[1] + 5 * v[0] - v[1] + 1; }},
    {"a*b + b*c + c*d + d*f + f*g + g*h + h*i + i*j + j*k + k*a",
     "a*b + b*c + c*d + d*f + f*g + g*h + h*i + i*j + j*k + k*a",
     [](const double* v) {
         return v[0] * v[1] + v[1] * v[2] + v[2] * v[3] + v[3] * v[4] + v[4] * v[5] + v[5] * v[6] + v[6] * v[7] +
                v[7] * v[8] + v[8] * v[9] + v[9] * v[0];
     }},
    {"Sin(Exp(x) / 3) + Log(Sqr(x*x + y*y) + 1)", "sin(exp(x) / 3) + ln(sqrt(x*x + y*y) + 1)",
     [](const double* v) { return std::sin(std::exp(v[0]) / 3) + std::log(std::sqrt(v[0] * v[0] + v[1] * v[1]) + 1); }},
    {"(x^3 - y^2) / (1 + x^2) + y / x", "(x^3 - y^2) / (1 + x^2) + y / x",
     [](const double* v) { return (std::pow(v[0], 3) - v[1] * v[1]) / (1 + v[0] * v[0]) + v[1] / v[0]; }},
    {"Asin(x / 2) + Sinh(y)", "asin(x / 2) + sinh(y)",
     [](const double* v) { return std::asin(v[0] / 2) + std::sinh(v[1]); }},
};

bool usesTen(int index) { return index == 1; }

void BM_OurEval(benchmark::State& state)
{
    const int index = static_cast<int>(state.range(0));
    Dimension dim;
    EngineBinding binding(dim);
    binding.setUp();
    binding.ExecuteStatement("x= .7");
    binding.ExecuteStatement("y=-.4");
    for (std::size_t m = 0; m < TenNames.size(); ++m)
        binding.ExecuteStatement(TenNames[m] + "=" + std::to_string(TenValues[m]));
    const std::string text = References[index].ours;
    double value = 0;
    script::Variant other;
    for (auto _ : state) {
        binding.engine().evalNumber(text, value, other);  // Eval as EvaluateFunction makes it
        benchmark::DoNotOptimize(value);
    }
}

void BM_MuparserEval(benchmark::State& state)
{
    const int index = static_cast<int>(state.range(0));
    std::vector<double> values = usesTen(index) ? TenValues : std::vector<double>{0.7, -0.4};
    mu::Parser parser;
    const std::vector<std::string> names = usesTen(index) ? TenNames : std::vector<std::string>{"x", "y"};
    for (std::size_t m = 0; m < names.size(); ++m)
        parser.DefineVar(names[m], &values[m]);
    parser.SetExpr(References[index].muparser);
    for (auto _ : state)
        benchmark::DoNotOptimize(parser.Eval());
}

void BM_NativeEval(benchmark::State& state)
{
    const int index = static_cast<int>(state.range(0));
    std::vector<double> values = usesTen(index) ? TenValues : std::vector<double>{0.7, -0.4};
    for (auto _ : state) {
        benchmark::DoNotOptimize(values.data());
        benchmark::DoNotOptimize(References[index].native(values.data()));
    }
}

// 0 polynomial in 2 variables, 1 ten-variable sum of products, 2 Sin/Exp/Log/Sqr nest,
// 3 with ^ and /, 4 Asin and Sinh.
BENCHMARK(BM_OurEval)->DenseRange(0, 4);
BENCHMARK(BM_MuparserEval)->DenseRange(0, 4);
BENCHMARK(BM_NativeEval)->DenseRange(0, 4);

// A problem of n of the ten variables at TenValues; its function sums products of neighbours.
struct CycleProblem {
    explicit CycleProblem(int n) : binding(dim)
    {
        binding.setUp();
        dim.redimension(n);
        for (int m = 0; m < n; ++m) {
            const auto i = static_cast<std::size_t>(m);
            dim.VarNams[i] = TenNames[i];
            dim.Varx[i] = TenValues[i];
            dim.Equation += (m ? " + " : "") + TenNames[i] + "*" + TenNames[static_cast<std::size_t>((m + 1) % n)];
        }
    }

    Dimension dim;
    EngineBinding binding;
};

// One EvaluateFunction (AssignVariables of n variables, then Eval) as the derivative
// computation makes it: one coordinate moved off the point, the one before moved back.
void BM_Cycle(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    CycleProblem p(n);
    const std::vector<double> point = p.dim.Varx;
    long i = 0;
    for (auto _ : state) {
        const auto k = static_cast<std::size_t>(i % n);
        p.dim.Varx[k] = point[k] + ((i / n) % 2 ? p.dim.HalfStep : -p.dim.Step);
        benchmark::DoNotOptimize(p.binding.EvaluateFunction());
        p.dim.Varx[k] = point[k];
        ++i;
    }
}
BENCHMARK(BM_Cycle)->Arg(1)->Arg(2)->Arg(5)->Arg(10);

// The worst case: every coordinate new at every evaluation.
void BM_CycleAllMoved(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    CycleProblem p(n);
    double t = 0;
    for (auto _ : state) {
        t += 1e-4;
        for (std::size_t m = 0; m < static_cast<std::size_t>(n); ++m)
            p.dim.Varx[m] = TenValues[m] + t;
        benchmark::DoNotOptimize(p.binding.EvaluateFunction());
    }
}
BENCHMARK(BM_CycleAllMoved)->Arg(10);

}  // namespace
