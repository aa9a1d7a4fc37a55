// A whole computation (the Compute command without the window: constants, both point
// readings, labels, 8n^2 + n + 1 evaluations through the engine binding, the list lines,
// then the refinement and the exact results) for 1, 2, 5 and 10 variables, and the classic results and the
// refinement alone. Targets for the classic results: at most 8 us for 2 variables, at most
// 100 us for 10 variables with a 30-node function; the refinement within 5 ms.
#include "derivatives/compute_command.h"
#include "derivatives/compute_derivatives.h"
#include "derivatives/derivative_labels.h"
#include "derivatives/refined_derivatives.h"
#include "engine/engine_binding.h"
#include "problem/dimension.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace slopekit {
namespace {

struct Problem {
    std::vector<std::string> names;
    const char* function;
};

// Each function has about as many nodes (names, numbers, operators, calls) as its
// variables allow; the ten-variable one has 30.
const Problem Problems[] = {
    {{"x1"}, "Sin(x1)*Exp(x1)+x1^3"},
    {{"x1", "x2"}, "x1^2*x2+Sin(x1*x2)"},
    {{"x1", "x2", "x3", "x4", "x5"}, "x1*x2+x3*x4+x5*Sin(x1)+Exp(x2/x3)"},
    {{"x1", "x2", "x3", "x4", "x5", "x6", "x7", "x8", "x9", "x10"},
     "x1*x2+x3*x4+x5*x6+x7*x8+x9*x10+Sin(x1)+Exp(x2/x3)+Sqr(x4)"},
};

// A fresh engine set up as the window sets it up, with the problem's variables.
struct Session {
    explicit Session(const Problem& problem)
    {
        binding.setUp();
        dim.redimension(static_cast<int>(problem.names.size()));
        dim.VarNams = problem.names;
    }

    // The state the Compute command leaves before it evaluates: point, function, labels.
    void placeAtPoint(const Problem& problem)
    {
        for (std::size_t k = 0; k < problem.names.size(); ++k)
            dim.Varx[k] = coordinate(k);
        dim.Equation = problem.function;
        BuildLabels(dim);
    }

    static double coordinate(std::size_t k) { return 0.5 + 0.25 * static_cast<double>(k); }

    Dimension dim;
    EngineBinding binding{dim};
};

void WholeComputation(benchmark::State& state)
{
    const Problem& problem = Problems[state.range(0)];
    Session session(problem);
    Dimension& dim = session.dim;
    EngineBinding& binding = session.binding;
    PointTexts point;
    for (std::size_t k = 0; k < problem.names.size(); ++k)
        point.push_back(std::to_string(Session::coordinate(k)));
    const ComputeHooks hooks{[&binding] { binding.RegisterConstants(); },
                             [&binding] { return binding.EvaluateFunction(); },
                             announcedByErrorEvent,
                             runErrorMessage,
                             nullptr,
                             [&binding](bool muted) { binding.setErrorEventMuted(muted); },
                             [&binding] { return binding.EvaluateExact(); }};
    for (auto _ : state) {
        ComputeOutcome outcome = runCompute(dim, hooks, problem.function, point);
        benchmark::DoNotOptimize(outcome);
        if (outcome.lines.empty())
            state.SkipWithError("the computation failed");
    }
    state.SetLabel(std::to_string(problem.names.size()) + " variables");
}

BENCHMARK(WholeComputation)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

// The classic results alone: 8n^2 + n + 1 evaluations and the list lines.
void Classic(benchmark::State& state)
{
    const Problem& problem = Problems[state.range(0)];
    Session session(problem);
    session.placeAtPoint(problem);
    Dimension& dim = session.dim;
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeDerivatives(dim, [&session] { return session.binding.EvaluateFunction(); }));
    state.SetLabel(std::to_string(problem.names.size()) + " variables");
}

BENCHMARK(Classic)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

// The exact results alone: one evaluation of value, gradient and Hessian by automatic
// differentiation. Targets: at most 0.5 us for one variable; for ten, at most 3 us and at
// most a twentieth of Classic/3.
void Exact(benchmark::State& state)
{
    const Problem& problem = Problems[state.range(0)];
    Session session(problem);
    session.placeAtPoint(problem);
    for (auto _ : state)
        benchmark::DoNotOptimize(session.binding.EvaluateExact());
    state.SetLabel(std::to_string(problem.names.size()) + " variables");
}

BENCHMARK(Exact)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

// The refined results alone, through the engine binding as the Compute command makes them.
void Refinement(benchmark::State& state)
{
    const Problem& problem = Problems[state.range(0)];
    Session session(problem);
    session.placeAtPoint(problem);
    Dimension& dim = session.dim;
    EngineBinding& binding = session.binding;
    long evaluations = 0;
    for (auto _ : state) {
        const RefinedDerivatives refined = RefineDerivatives(dim, [&binding] { return binding.EvaluateFunction(); });
        evaluations = refined.evaluations;
        benchmark::DoNotOptimize(refined);
    }
    state.counters["evaluations"] = static_cast<double>(evaluations);
    state.SetLabel(std::to_string(problem.names.size()) + " variables");
}

BENCHMARK(Refinement)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace slopekit
