#!/usr/bin/env bash
# Writes SHA256SUMS beside the release archives in a folder, one "HASH  NAME" line each, as
# `sha256sum -c` reads it (PowerShell's Get-FileHash gives the same hash, in capitals).
# usage: release-sums.sh FOLDER
set -euo pipefail
cd "$1"
shopt -s nullglob
archives=(Morrowset-*.tar.gz Morrowset-*.zip)
((${#archives[@]})) || { echo "release-sums: no Morrowset archive in $1" >&2; exit 1; }
sha256sum -- "${archives[@]}" > SHA256SUMS.writing
mv SHA256SUMS.writing SHA256SUMS
sha256sum --quiet -c SHA256SUMS
