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
ctest --preset windows-msvc-abi -j "${JOBS:-2}" "$@"
