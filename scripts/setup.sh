#!/usr/bin/env bash
# Installs what a build needs: Debian packages and the npm-pinned spdlog headers.
#   setup.sh run    what `make run` builds: the plugin and the development server
#   setup.sh test   all of it, with the test and benchmark libraries, and the Windows build's
#                   clang-cl, lld-link, LLVM tools, Wine and Wine's headers, and the headless
#                   Chromium that checks the preview's calendar page (default)
#   setup.sh fuzz   that, and clang with libFuzzer for make fuzz
set -euo pipefail
cd "$(dirname "$0")/.."

profile=${1:-test}
packages=(cmake make g++ binutils nlohmann-json3-dev nodejs npm)
test_packages=(libgtest-dev libgmock-dev libbenchmark-dev googletest rcon libfaketime python3-jsonschema
               clang-format-14 clang-16 lld-16 llvm-16 libwine-dev wine wine64 chromium-headless-shell)
case "$profile" in
  run) ;;
  test) packages+=("${test_packages[@]}") ;;
  fuzz) packages+=("${test_packages[@]}" clang libclang-rt-14-dev) ;;
  *) echo "usage: setup.sh [run|test|fuzz]" >&2; exit 2 ;;
esac
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# The machine image may carry its own node and npm outside Debian's packages.
if command -v npm >/dev/null 2>&1; then
  missing=("${missing[@]/nodejs}"); missing=("${missing[@]/npm}")
fi
read -r -a missing <<< "${missing[*]}"
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# spdlog 0.17.0 headers, as the npm package spdlog 0.9.0 ships them, and for the tests puppeteer-core
# and axe-core, which check the preview's page in the headless Chromium; install scripts stay off.
header=node_modules/spdlog/deps/spdlog/include/spdlog/common.h
if ! grep -q 'SPDLOG_VERSION "0.17.0"' "$header" 2>/dev/null ||
   { [ "$profile" != run ] && ! [ -f node_modules/puppeteer-core/package.json -a -f node_modules/axe-core/axe.min.js ]; }; then
  echo "setup: installing the npm packages of the lock file"
  npm ci --ignore-scripts --no-audit --no-fund >/dev/null
fi
