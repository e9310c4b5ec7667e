#!/usr/bin/env bash
# Runs the Windows build's tests under Wine, headless, in a fresh Wine prefix of its own.
set -euo pipefail
cd "$(dirname "$0")/.."

export WINEPREFIX="$PWD/build-windows/wineprefix"
export WINEDEBUG=-all,err+module       # a missing DLL shows as an error, not as a bare exit code
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset DISPLAY WAYLAND_DISPLAY

for tool in wine wineserver wineboot; do
  command -v "$tool" >/dev/null || { echo "test-windows: $tool is missing: install the Debian packages wine and wine64 (bash scripts/setup.sh test)" >&2; exit 1; }
done
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
# A wineserver started by the first wine program would inherit our output and hold it open
# for ever: start it ourselves with its output elsewhere, and stop it whatever happens.
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
wineserver -p >/dev/null 2>&1 </dev/null
wineboot -i >/dev/null 2>&1 </dev/null
# Under parallel load Wine now and then fails to start a process at all (a test with no output,
# or cmd's 9009, "not found", for a program that is there): a failed test runs once more, so
# that only a failure that repeats fails the suite. Every retry is listed.
ctest --preset windows-msvc-abi -j "${JOBS:-2}" --repeat until-pass:2 "$@" | tee "$WINEPREFIX/../ctest.log"
grep -E "\*\*\*(Failed|Exception|Timeout)" "$WINEPREFIX/../ctest.log" |
  sed 's/^/test-windows: retried after a first failure: /' >&2 || true
