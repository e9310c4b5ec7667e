#!/usr/bin/env bash
# Writes the debug information of the Linux release binaries into a symbols archive, laid out as
# gdb looks for it by build ID (.build-id/xx/rest.debug below a debug-file-directory), since the
# release archive carries them stripped.
# usage: linux-symbols.sh BUILD-DIR ARCHIVE
set -euo pipefail
build=$1 archive=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for file in MorrowsetVelde.so libZelApi.so morrowset-check morrowset-preview; do
  id=$(readelf -n "$build/bin/$file" | sed -n 's/^ *Build ID: //p')
  [ -n "$id" ] || { echo "linux-symbols: $file has no build ID" >&2; exit 1; }
  mkdir -p "$tmp/.build-id/${id:0:2}"
  objcopy --only-keep-debug "$build/bin/$file" "$tmp/.build-id/${id:0:2}/${id:2}.debug"
done
tar czf "$archive" -C "$tmp" .build-id
echo "linux-symbols: $archive"
