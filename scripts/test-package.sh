#!/usr/bin/env bash
# Builds the Debian package and checks it as a user gets it: unpacked into a scratch root,
# its file list, both programs' --version, the help file beside the window program, the
# manual pages, the shell completion, the desktop entry, the AppStream metadata, lintian.
#   scripts/test-package.sh [BUILD_DIR]    default build/
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
deb="$("$root/scripts/package.sh" "$@")"
version="$(dpkg-deb -f "$deb" Version)"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
dpkg -x "$deb" "$scratch"

passed=0
failed=0
check() {  # check NAME COMMAND...: runs the command, counts and names a failure
  local name="$1"; shift
  if "$@"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $name" >&2
  fi
}

installed_files() {
  diff -u "$root/packaging/installed-files.txt" <(cd "$scratch" && find . ! -type d | sed 's/^\.//' | LC_ALL=C sort)
}
prints_version() {
  local out
  out="$(env -u DISPLAY -u WAYLAND_DISPLAY "$scratch/usr/bin/$1" --version)" || return 1
  [ "$out" = "Slopekit $version" ] || { echo "$1 --version printed \"$out\"" >&2; return 1; }
}
help_beside_the_window_program() {
  [ -f "$(dirname "$(readlink -f "$scratch/usr/bin/slopekit")")/slopekit.chm" ]
}
# The changelog and the AppStream releases are written by hand, newest first.
changelog_names_the_version() {
  [ "$(dpkg-parsechangelog -l "$root/packaging/changelog" -S Version)" = "$version" ]
}
metainfo_names_the_version() {
  grep -m1 -o '<release version="[^"]*"' "$scratch/usr/share/metainfo/io.github.slopekit.Slopekit.metainfo.xml" \
    | grep -qx "<release version=\"$version\""
}
manual_page_without_warnings() {
  local warnings
  warnings="$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$1" 2>&1 >/dev/null)"
  [ -z "$warnings" ] || { echo "$warnings" >&2; return 1; }
}
# completes LINE EXPECTED: what bash offers for the last word of "slopekit-cli LINE".
completes() {
  local offered
  offered="$(bash -c 'source /usr/share/bash-completion/bash_completion; source "$1"
    COMP_LINE="slopekit-cli $2"; COMP_POINT=${#COMP_LINE}
    read -ra COMP_WORDS <<<"$COMP_LINE"; [[ $COMP_LINE == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    _slopekit_cli; echo "${COMPREPLY[*]}"' _ "$scratch/usr/share/bash-completion/completions/slopekit-cli" "$1")"
  [ "$offered" = "$2" ] || { echo "\"$1\" completed to \"$offered\", not \"$2\"" >&2; return 1; }
}
quiet_desktop_entry() {
  local said
  said="$(desktop-file-validate "$scratch/usr/share/applications/slopekit.desktop" 2>&1)" && [ -z "$said" ] \
    || { echo "$said" >&2; return 1; }
}

check "installed files" installed_files
check "slopekit-cli --version" prints_version slopekit-cli
check "slopekit --version without a display" prints_version slopekit
check "help file beside the window program" help_beside_the_window_program
check "changelog entry for $version" changelog_names_the_version
check "AppStream release $version" metainfo_names_the_version
for page in "$scratch"/usr/share/man/man1/*.1.gz; do
  check "manual page $(basename "$page")" manual_page_without_warnings "$page"
done
check "completion of a command" completes "com" "compute"
check "completion of an option" completes "compute --for" "--format"
check "completion of a format" completes "compute x.sk --points p.csv --format " "csv json"
check "completion of the variables to plot along" completes "plot --var x=1 --var yy=2 --along " "x yy"
check "completion of report's options" completes "report x.sk --" "--pdf --help"
check "desktop entry" quiet_desktop_entry
check "AppStream metadata" appstreamcli validate --no-net \
  "$scratch/usr/share/metainfo/io.github.slopekit.Slopekit.metainfo.xml"
check "lintian" lintian --fail-on error,warning "$deb"

echo "package $(basename "$deb"): $(stat -c %s "$deb") bytes"
echo "package: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
