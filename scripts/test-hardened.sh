#!/usr/bin/env bash
# The hardened checks that CI runs after the normal build: the whole test suite built with
# AddressSanitizer and UndefinedBehaviorSanitizer, then every fuzz target for a short time.
#   SLOPEKIT_FUZZ_SECONDS   seconds per fuzz target (default 60)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

"$root/scripts/build.sh" "$root/build-sanitize" -DSLOPEKIT_SANITIZE=ON -DSLOPEKIT_BENCH=OFF
QT_QPA_PLATFORM=offscreen UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$root/build-sanitize" --output-on-failure -j "$(nproc)"

for name in $("$root/scripts/fuzz.sh" --list); do
  "$root/scripts/fuzz.sh" "$name" "${SLOPEKIT_FUZZ_SECONDS:-60}"
done
