#!/usr/bin/env bash
# Builds one libFuzzer target with clang and runs it for a given time.
#   scripts/fuzz.sh NAME SECONDS   e.g. scripts/fuzz.sh leading_number 600
#   scripts/fuzz.sh --list         the names of the targets
# The run starts from the seeds in fuzz/corpus/NAME/ and keeps what it learns in
# fuzz-corpus-work/NAME/; an input that fails lands in fuzz-corpus-work/findings/ and the
# script exits non-zero. Reproduce one with: build-fuzz/bin/fuzz_NAME FILE
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-fuzz"

# Configures the clang build tree and builds only the given target in it.
build_target() {
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DSLOPEKIT_FUZZ=ON -DSLOPEKIT_SANITIZE=ON -DSLOPEKIT_BENCH=OFF >/dev/null
  cmake --build "$build" -j "$(nproc)" --target "$1"
}

if [ "${1:-}" = "--list" ]; then
  build_target fuzzers >/dev/null
  for bin in "$build"/bin/fuzz_*; do basename "$bin" | sed 's/^fuzz_//'; done
  exit 0
fi

name="${1:?usage: scripts/fuzz.sh NAME SECONDS | --list}"
seconds="${2:?usage: scripts/fuzz.sh NAME SECONDS | --list}"
build_target "fuzz_$name"

work="$root/fuzz-corpus-work"
mkdir -p "$work/$name" "$work/findings"
# Leak checks stay on: the libraries own every allocation they make.
"$build/bin/fuzz_$name" -max_total_time="$seconds" -timeout=60 -rss_limit_mb=2048 \
  -print_final_stats=1 -artifact_prefix="$work/findings/$name-" \
  "$work/$name" "$root/fuzz/corpus/$name"
