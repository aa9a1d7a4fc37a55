// slopekit-cli compute FILE --points POINTS.csv at n = 2, CSV out: the rate in points per
// second (items_per_second). Target: at least 20,000 points a second.
#include "cli/compute_command.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace slopekit::cli {
namespace {

// A stream that forgets what it is given, so the rate is the computation's, not a disk's.
class Discard : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

void PointsAtTwoVariables(benchmark::State& state)
{
    const auto points = static_cast<int>(state.range(0));
    const auto folder = std::filesystem::temp_directory_path();
    const std::string tag = std::to_string(::getpid());
    const std::string problem = folder / ("slopekit-batch-" + tag + ".sk");
    const std::string csv = folder / ("slopekit-batch-" + tag + ".csv");
    std::ofstream(problem, std::ios::binary) << "Slopekit\r\n2,\"x^2*y+Sin(x*y)\"\r\n\"x\",1\r\n\"y\",2\r\n 0 \r\n";
    {
        std::ofstream out(csv, std::ios::binary);
        out << "x,y\n";
        for (int k = 0; k < points; ++k)
            out << 0.5 + k * 1e-4 << ',' << 2 - k * 1e-4 << '\n';
    }
    Discard sink;
    std::ostream out(&sink);
    std::ostringstream err;
    for (auto _ : state) {
        if (runComputeCommand({problem, "--points", csv}, out, err) != 0)
            state.SkipWithError("a point failed");
    }
    state.SetItemsProcessed(state.iterations() * points);
    std::remove(problem.c_str());
    std::remove(csv.c_str());
}

BENCHMARK(PointsAtTwoVariables)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace slopekit::cli
