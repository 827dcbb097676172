#!/usr/bin/env bash
# Static checks of the built program.
#   check-exe.sh imports EXE   every imported DLL is part of Windows (nothing from mingw)
#   check-exe.sh size EXE      reports the file size
set -u
what=$1 exe=$2
[ -f "$exe" ] || { echo "not built: $exe"; exit 1; }
case "$what" in
  imports)
    objdump=$(command -v i686-w64-mingw32-objdump || command -v objdump)
    dlls=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
    [ -n "$dlls" ] || { echo "no import table found in $exe"; exit 1; }
    system="advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll
            oleaut32.dll shell32.dll shlwapi.dll user32.dll uxtheme.dll version.dll wininet.dll
            winmm.dll winspool.drv urlmon.dll imm32.dll bcrypt.dll"
    bad=0
    for d in $dlls; do
      if [[ " $(echo $system) " == *" $d "* ]]; then echo "imports $d"; else echo "NOT A SYSTEM DLL: $d"; bad=1; fi
    done
    exit $bad ;;
  size)
    size=$(stat -c %s "$exe")
    echo "$(basename "$exe"): $size bytes ($(( (size + 1023) / 1024 )) KiB)"
    echo "<DartMeasurement name=\"exe_bytes\" type=\"numeric/integer\">$size</DartMeasurement>" ;;
  *) echo "usage: $0 imports|size EXE"; exit 2 ;;
esac
