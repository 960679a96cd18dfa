#!/usr/bin/env bash
# The download archive of a Windows build: made twice it is the same bytes, it holds the plug-in's
# files, and unpacked alone beside the Tessaly stand-in it makes the sample's help file.
# Usage: archive_install.sh <build folder> <TessalyHost.exe> <wine-run script> <sample document folder>
set -uo pipefail

build="$(realpath "$1")"
host="$(realpath "$2")"
wine_run="$(realpath "$3")"
document="$(realpath "$4")"
root="$(cd "$(dirname "$0")/../.." && pwd)"
source "$root/scripts/chm-readers"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0 && fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# Two makings a second apart in the clock, one date given: the same bytes.
for take in first second; do
  /usr/bin/python3 "$root/packaging/make_archive.py" "$build" "$work/$take" --source-date 1700000000 \
    >"$work/$take.txt" 2>&1 || { cat "$work/$take.txt"; fail "the archive was not made"; exit 1; }
  sleep 1
done
archive="$(ls "$work"/first/*.zip)"
cmp "$archive" "$work/second/$(basename "$archive")" || fail "two makings differ"

licence="" && [ -f "$root/LICENSE.txt" ] && licence="LICENSE.txt "
listing="$(/usr/bin/python3 -c 'import sys, zipfile; print(" ".join(zipfile.ZipFile(sys.argv[1]).namelist()))' "$archive")"
[ "$listing" = "Plugins/ INSTALL.txt ${licence}Plugins/HHC.exe Plugins/Tessaly2CHM.dll Plugins/irun.dll" ] ||
  fail "entries: $listing"

# Tessaly's folder: the stand-in and what the archive holds, nothing else.
mkdir "$work/Tessaly" && cp "$host" "$work/Tessaly/TessalyHost.exe"
/usr/bin/python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' "$archive" "$work/Tessaly"
out_windows="$(env -u WINEPATH "$wine_run" winepath -w "$work/garden.chm" | tr -d '\r')"
(cd "$work/Tessaly" && env -u WINEPATH "$wine_run" "$work/Tessaly/TessalyHost.exe" "$document" --export document \
  --out "$out_windows" --rtf html --plain-text html --full-text-search off --syntax off --pictures on \
  --timeout 300 >"$work/host.log" 2>&1 </dev/null)
status=$? && "$wine_run" taskkill /IM hh.exe /F >/dev/null 2>&1
[ "$status" -eq 0 ] || fail "the stand-in ended with $status"
grep -q 'Made .*garden.chm' "$work/host.log" || fail "no success line"
[ "$(chm_outline "$work/garden.chm")" = 'Garden Journal|.About|.Beds and Soil|..Soil test|..Sowing calendar|.Kitchen|..Market day|..Tomato soup|.Later|.Scratch|' ] ||
  fail "contents: $(chm_outline "$work/garden.chm")"
[ "$(chm_stored "$work/garden.chm")" = 'Picture_0.bmp content.hhc file0.htm file1.htm file2.htm file3.mht file4.htm file5.htm ' ] ||
  fail "stored: $(chm_stored "$work/garden.chm")"
# The formatted note went through the archive's converter, which places its picture.
7z e -so "$work/garden.chm" file1.htm 2>/dev/null | grep -q "<IMG SRC='Picture_0.bmp'> " || fail "no converted picture"
[ "$failures" -eq 0 ] || tr -d '\r' <"$work/host.log"
echo "$(basename "$archive"): $failures failed"
[ "$failures" -eq 0 ]
