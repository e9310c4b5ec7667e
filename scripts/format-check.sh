#!/usr/bin/env bash
# Fails, naming each file, when C++ sources drift from .clang-format (vendored sources aside).
#   format-check.sh        check (make format-check, part of make test)
#   format-check.sh --fix  rewrite them in place
set -euo pipefail
cd "$(dirname "$0")/.."

format=clang-format-14  # one pinned version: another formats some lines differently
if ! command -v "$format" >/dev/null; then
  echo "format-check: $format is missing: install the Debian package clang-format-14" \
       "(bash scripts/setup.sh test)" >&2
  exit 1
fi
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files '*.cpp' '*.h' ':!:third_party/*')
else
  mapfile -t files < <(find . -path ./third_party -prune -o -path './build*' -prune -o \
                            -path ./node_modules -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
fi
if [[ ${1:-} == --fix ]]; then
  "$format" -i "${files[@]}"
  exit 0
fi
drifted=()
for file in "${files[@]}"; do
  "$format" --dry-run --Werror "$file" >/dev/null 2>&1 || drifted+=("$file")
done
if ((${#drifted[@]})); then
  printf 'format-check: %s is not formatted as .clang-format says\n' "${drifted[@]}" >&2
  echo "format-check: run bash scripts/format-check.sh --fix" >&2
  exit 1
fi
