#!/usr/bin/env bash
# Writes the PDBs of the Windows release binaries into a symbols zip laid out as a symbol store,
# NAME.pdb/<GUID><age>/NAME.pdb with pingme.txt in its root, so that a debugger given the unpacked
# folder as its symbol path finds each one. The release archive carries the binaries without debug information, each
# naming its PDB by file name alone.
# usage: windows-symbols.sh BUILD-WINDOWS-DIR ARCHIVE
set -euo pipefail
build=$1 archive=$2
store=$(mktemp -d)
trap 'rm -rf "$store"' EXIT
for pdb in MorrowsetVelde.pdb ZelApi.pdb morrowset-check.pdb morrowset-preview.pdb; do
  summary=$(llvm-pdbutil-16 dump --summary "$build/bin/$pdb")
  guid=$(sed -n 's/.*GUID: {\([0-9A-F-]*\)}.*/\1/p' <<< "$summary" | tr -d -)
  age=$(sed -n 's/.*Age: \([0-9]*\).*/\1/p' <<< "$summary")
  [ -n "$guid" ] && [ -n "$age" ] || { echo "windows-symbols: no GUID and age in $pdb" >&2; exit 1; }
  key=$guid$(printf '%X' "$age")
  mkdir -p "$store/$pdb/$key"
  cp "$build/bin/$pdb" "$store/$pdb/$key/$pdb"
done
# A debugger searches a plain folder as a symbol store only when it holds pingme.txt (or is given
# as srv*FOLDER): the marker makes the unpacked folder one either way.
printf 'This folder is a symbol store of Morrowset: NAME.pdb/<GUID><age>/NAME.pdb.\r\n' > "$store/pingme.txt"
rm -f "$archive"
(cd "$store" && cmake -E tar cf "$archive" --format=zip -- pingme.txt *.pdb)
echo "windows-symbols: $archive"
