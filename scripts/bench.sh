#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them. Extra arguments go to Google Benchmark,
# e.g. scripts/bench.sh --benchmark_filter=Cycle
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build-release" -j 2 --target engine_bench compute_bench batch_bench plot_bench >&2
"$root/build-release/bin/engine_bench" "$@"
"$root/build-release/bin/compute_bench" "$@"
"$root/build-release/bin/batch_bench" "$@"
exec "$root/build-release/bin/plot_bench" "$@"
