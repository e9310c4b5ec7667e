#!/usr/bin/env bash
# Rewrites the .def files here from the export tables of Wine's builtin DLLs. Run by hand when
# the build needs a function that Wine gained; the build itself reads only the .def files.
set -euo pipefail
cd "$(dirname "$0")"
wine_dlls=${WINE_DLLS:-/usr/lib/x86_64-linux-gnu/wine/x86_64-windows}
readobj=${READOBJ:-llvm-readobj-16}
names() { "$readobj" --coff-exports "$wine_dlls/$1.dll" | awk '$1 == "Name:" && NF == 2 { print "  " $2 }' | sort -u; }
for dll in kernel32 ucrtbase vcruntime140 msvcp140 ws2_32 version; do
  {
    echo "; The exports of $dll.dll, read from Wine's builtin DLL by regenerate.sh."
    [[ $dll == ucrtbase ]] && echo "; Without what Windows' ucrtbase leaves to vcruntime140 (Wine's exports both)."
    echo "LIBRARY $dll.dll"
    echo "EXPORTS"
    if [[ $dll == ucrtbase ]]; then
      comm -23 <(names ucrtbase) <(names vcruntime140)
    else
      names "$dll"
    fi
  } > "$dll.def"
done
