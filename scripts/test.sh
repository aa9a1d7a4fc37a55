#!/usr/bin/env bash
# Installs what is missing, builds Slopekit and runs the whole test suite.
#   scripts/test.sh          the normal build and its tests
#   scripts/test.sh --all    also the Debian package and its checks, the sanitizer build and
#                            a short run of every fuzz target
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"

"$root/scripts/build.sh" "$root/build"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$root/build" --output-on-failure -j "$(nproc)"

if [ "${1:-}" = "--all" ] && [ -x "$root/scripts/test-package.sh" ]; then
  "$root/scripts/test-package.sh" "$root/build"
fi
if [ "${1:-}" = "--all" ] && [ -x "$root/scripts/test-hardened.sh" ]; then
  "$root/scripts/test-hardened.sh"
fi
