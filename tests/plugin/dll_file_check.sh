#!/usr/bin/env bash
# Checks the plug-in library as a file, without running it: its machine, the six plain export
# names, imports of system libraries only (the runtime is linked in), no link time in its header
# (two builds give the same bytes), and the version resource, which must say the project's version.
# Usage: dll_file_check.sh <Tessaly2CHM.dll> <objdump> <windres> <expected file format> <version a.b.c.d>
set -uo pipefail
dll="$1" objdump="$2" windres="$3" format="$4" version="$5"
failures=0
check() {  # name, expected, actual
  if [ "$2" == "$3" ]; then
    echo "ok: $1"
  else
    echo "FAILED: $1"
    diff <(printf '%s\n' "$2") <(printf '%s\n' "$3") | sed 's/^/  /'
    failures=$((failures + 1))
  fi
}

headers="$(TZ=UTC "$objdump" -p "$dll")"
check "file format" "$dll:     file format $format" "$(grep -m1 'file format' <<<"$headers" | sed 's/^ *//')"

check "no link time" "Time/Date		Thu Jan  1 00:00:00 1970" "$(grep -m1 '^Time/Date' <<<"$headers")"

exports="$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$headers" | tail -n +2 | grep -o '\] [^ ]*$' | cut -c3- | sort)"
check "export names" "Export2CHM
ExportWithShProc
InitBranch2CHM
InitDoc2CHM
Tessaly_GetMenuItemInfo
Tessaly_GetPluginInfo" "$exports"

system='^(advapi32|comctl32|comdlg32|gdi32|kernel32|msvcrt|ole32|oleaut32|rpcrt4|shell32|shlwapi|user32|version|riched20)\.dll$'
imports="$(grep 'DLL Name:' <<<"$headers" | awk '{print tolower($3)}' | sort)"
check "imports of system libraries only" "" "$(grep -Ev "$system" <<<"$imports")"
check "imports kernel32" "kernel32.dll" "$(grep -x kernel32.dll <<<"$imports")"

resources="$("$windres" -J coff -O rc -i "$dll" 2>&1)"
numbers="${version//./, }"
check "file version" " FILEVERSION $numbers" "$(grep -m1 ' FILEVERSION' <<<"$resources")"
check "product version" " PRODUCTVERSION $numbers" "$(grep -m1 ' PRODUCTVERSION' <<<"$resources")"
check "version comment" 'VALUE "Comments", "Required Tessaly 9.06 build 1977 or later."' \
  "$(grep -m1 -o 'VALUE "Comments".*' <<<"$resources")"
check "version strings" "VALUE \"FileVersion\", \"$version\"
VALUE \"ProductVersion\", \"$version\"" "$(grep -o 'VALUE "\(File\|Product\)Version".*' <<<"$resources")"

echo "$failures failed"
[ "$failures" -eq 0 ]
