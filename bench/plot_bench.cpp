// The plot along one variable of a 30-node function: sampling through the engine, building
// the chart and drawing it at the saved picture's size. Target: at most 100 ms.
#include "derivatives/compute_command.h"
#include "derivatives/plot_samples.h"
#include "engine/engine_binding.h"
#include "plot/plot_chart.h"
#include "problem/dimension.h"

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

namespace slopekit {
namespace {

void PlotOfThirtyNodes(benchmark::State& state)
{
    Dimension dim;
    EngineBinding binding(dim);
    binding.setUp();
    dim.redimension(3);
    dim.VarNams = {"x1", "x2", "x3"};
    const ComputeHooks hooks{[&binding] { binding.RegisterConstants(); },
                             [&binding] { return binding.EvaluateFunction(); },
                             announcedByErrorEvent,
                             runErrorMessage,
                             nullptr,
                             [&binding](bool muted) { binding.setErrorEventMuted(muted); }};
    // 30 nodes: names, numbers, operators and calls.
    if (runCompute(dim, hooks, "x1*x2+x3*x1+x2*Sin(x1)+Exp(x2/x3)+Sqr(x1)*Cos(x3)-Log(x2)", {"0.7", "1.2", "2.5"})
            .lines.empty())
        state.SkipWithError("the computation failed");
    QImage picture(PlotPictureSize, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        const PlotData plot = plotAlong(
            dim, [&binding] { return binding.EvaluateFunction(); }, 0, defaultPlotRadius(dim.Varx[0]),
            static_cast<int>(state.range(0)));
        picture.fill(Qt::white);
        drawPlot(plot, PlotPictureSize, picture);
        benchmark::DoNotOptimize(picture.bits());
    }
}

BENCHMARK(PlotOfThirtyNodes)->Arg(DefaultPlotSamples)->Arg(MaxPlotSamples)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace slopekit

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);  // charts are widgets
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
