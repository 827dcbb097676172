#!/usr/bin/env bash
# Static checks of the built program.
#   check-exe.sh imports EXE   every imported DLL is one Windows always takes from the system
#                              folder (a KnownDLL): imports are loaded before the program's first
#                              line could keep a planted copy out; the rest comes later, through
#                              LoadSystemDll (platform/win32/SystemDll.h)
#   check-exe.sh size EXE      reports the file size
set -u
what=$1 exe=$2
[ -f "$exe" ] || { echo "not built: $exe"; exit 1; }
case "$what" in
  imports)
    objdump=$(command -v i686-w64-mingw32-objdump || command -v objdump)
    dlls=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
    [ -n "$dlls" ] || { echo "no import table found in $exe"; exit 1; }
    system="advapi32.dll gdi32.dll kernel32.dll msvcrt.dll shell32.dll user32.dll"
    bad=0
    for d in $dlls; do
      if [[ " $(echo $system) " == *" $d "* ]]; then echo "imports $d"; else echo "NOT TO BE IMPORTED: $d (load it with LoadSystemDll)"; bad=1; fi
    done
    exit $bad ;;
  size)
    size=$(stat -c %s "$exe")
    echo "$(basename "$exe"): $size bytes ($(( (size + 1023) / 1024 )) KiB)"
    echo "<DartMeasurement name=\"exe_bytes\" type=\"numeric/integer\">$size</DartMeasurement>" ;;
  *) echo "usage: $0 imports|size EXE"; exit 2 ;;
esac
