#!/usr/bin/env bash
# Builds the Debian package slopekit_<version>_<arch>.deb from a build tree and prints its
# path. The tree is configured for the /usr prefix, where the package installs.
#   scripts/package.sh [BUILD_DIR]    default build/; the package lands in BUILD_DIR/package/
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir="$(realpath -m "${1:-$root/build}")"
"$root/scripts/setup.sh" >&2
"$root/scripts/build.sh" "$dir" -DCMAKE_INSTALL_PREFIX=/usr >&2
rm -f "$dir"/package/slopekit_*.deb
(cd "$dir" && cpack -B "$dir/package" >&2)
ls "$dir"/package/slopekit_*.deb
