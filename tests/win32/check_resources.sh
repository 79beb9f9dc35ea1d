#!/bin/sh
# Reads a Windows executable's resources back with icoutils' wrestool: exactly icon group 1, its
# three icon images and version record 1 (no manifest, nothing else), the record's strings in
# order; and the program imports nothing but Windows' own DLLs.
#   check_resources.sh PROGRAM.exe
set -eu
exe=$1
fail() { echo "FAIL: $*" >&2; exit 1; }

types=$(wrestool -l "$exe" | sed -n 's/^--type=\([0-9]*\) --name=\([^ ]*\) .*/\1:\2/p' | sort | tr '\n' ' ')
[ "$types" = "14:1 16:1 3:1 3:2 3:3 " ] || fail "resources are: $types"

strings=$(wrestool -x --raw --type=16 "$exe" | strings -el | tr '\n' '|')
expected="VS_VERSION_INFO|StringFileInfo|041004b0|CompanyName|Osterquill|ProductName|Quorvane|"
expected="${expected}FileVersion|1.00|ProductVersion|1.00|InternalName|Quorvane|"
expected="${expected}OriginalFilename|Quorvane.exe|VarFileInfo|Translation|"
[ "$strings" = "$expected" ] || fail "version record strings are: $strings"

dlls=$(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^\tDLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
for dll in $dlls; do
    case $dll in
        kernel32.dll | user32.dll | gdi32.dll | comdlg32.dll | shell32.dll | msvcrt.dll | version.dll | \
            msimg32.dll | mpr.dll) ;;
        *) fail "imports $dll" ;;
    esac
done
echo "resources: $types; version strings as expected; imports: $(echo $dlls)"
