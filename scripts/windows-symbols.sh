#!/usr/bin/env bash
# Writes the PDBs of the Windows release binaries into a symbols zip: the release archive
# carries the binaries without debug information, each naming its PDB by file name alone.
# usage: windows-symbols.sh BUILD-WINDOWS-DIR ARCHIVE
set -euo pipefail
build=$1 archive=$2
cd "$build/bin"
cmake -E tar cf "$archive" --format=zip MorrowsetVelde.pdb ZelApi.pdb morrowset-check.pdb morrowset-preview.pdb
echo "windows-symbols: $archive"
