#!/usr/bin/env bash
# Makes help files from the sample document through the Tessaly stand-in's automatic mode, as a
# person would through the plug-in's windows, and reads them back with the CHM readers: the
# contents tree, the stored files, title and default topic, the pictures, and that every link
# between the stored pages and every anchor they name exists.
# Usage: end_to_end.sh <TessalyHost.exe> <wine-run script> <sample document folder>
set -uo pipefail

host="$(realpath "$1")"
wine_run="$(realpath "$2")"
document="$(realpath "$3")"
for tool in chmls 7z python3; do
  command -v "$tool" >/dev/null || { echo "missing tool: $tool"; exit 1; }
done

source "$(dirname "$wine_run")/chm-readers"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
work_windows="$("$wine_run" winepath -w "$work" | tr -d '\r')"
failures=0
fail() { echo "FAIL [$case_name]: $*"; failures=$((failures + 1)); }

# One automatic run; its console goes to a file, so that the help viewer it opens (and ends
# below) never holds the test's output.
export_run() {
  case_name="$1"
  shift
  "$wine_run" "$host" "$document" "$@" --timeout 300 >"$work/$case_name.log" 2>&1 </dev/null
  local status=$?
  "$wine_run" taskkill /IM hh.exe /F >/dev/null 2>&1
  tr -d '\r' <"$work/$case_name.log" >"$work/$case_name.txt"
  [ "$status" -eq 0 ] || { fail "exit status $status"; cat "$work/$case_name.txt"; }
}

# Every local link and picture of every stored page names a stored file, and every "#name" an
# anchor of the page it points to.
links_resolve() {
  rm -rf "$work/pages" && mkdir "$work/pages" && 7z x -y -o"$work/pages" "$1" >/dev/null || return 1
  python3 - "$work/pages" <<'PY'
import os, re, sys
root = sys.argv[1]
pages = {n: open(os.path.join(root, n), 'rb').read().decode('cp1252', 'replace')
         for n in os.listdir(root) if n.lower().endswith('.htm')}
anchors = {n: set(re.findall(r'<A\s+NAME="?([^" >]+)', t, re.I)) for n, t in pages.items()}
problems, links = [], 0
for name, text in pages.items():
    for target in re.findall(r'(?:HREF|SRC)\s*=\s*["\']?([^"\' >]+)', text, re.I):
        if re.match(r'^[a-z][a-z0-9+.-]*:', target, re.I):
            continue
        links += 1
        file, _, anchor = target.partition('#')
        file = file or name
        if not os.path.exists(os.path.join(root, file)):
            problems.append(f'{name}: {target}: no such file')
        elif anchor and anchor not in anchors.get(file, set()):
            problems.append(f'{name}: {target}: no such anchor')
print('\n'.join(problems) if problems else f'{links} local links')
sys.exit(1 if problems else 0)
PY
}

# The whole document, converted, with its picture; the syntax option turned on from the window.
export_run document --export document --current About --out "$work_windows\\garden.chm" --rtf html \
  --plain-text html --full-text-search off --syntax on --pictures on
chm="$work/garden.chm"
grep -qx 'Made .*garden.chm' "$work/document.txt" || fail "no success line"
grep -q '^Note: Answered OK: Settings "Save syntax highlighting" is checked' "$work/document.txt" ||
  fail "the restart question was not asked"
grep -q 'menu read again 1 times' "$work/document.txt" || fail "the host was not asked to read the menu again"
[ "$(chm_outline "$chm")" = 'Garden Journal|.About|.Beds and Soil|..Soil test|..Sowing calendar|.Kitchen|..Market day|..Tomato soup|.Later|.Scratch|' ] ||
  fail "contents: $(chm_outline "$chm")"
[ "$(chm_stored "$chm")" = 'Picture_0.bmp content.hhc file0.htm file1.htm file2.htm file3.mht file4.htm file5.htm ' ] ||
  fail "stored: $(chm_stored "$chm")"
[ "$(chm_system_value "$chm" 'Default topic from \[options\]')" = file0.htm ] || fail "default topic"
[ "$(chm_system_value "$chm" 'Title from \[options\]')" = 'Garden Journal [The file created by Tessaly & Tessaly2CHM plugin 2.21 - http://www.tessaly.example]' ] ||
  fail "title: $(chm_system_value "$chm" 'Title from \[options\]')"
links_resolve "$chm" >"$work/links.txt" && echo "$case_name: $(cat "$work/links.txt")" ||
  fail "links: $(cat "$work/links.txt")"
grep -q "<IMG SRC='Picture_0.bmp'> " "$work/pages/file1.htm" || fail "the picture is not shown in its page"
# The note with the picture keeps its links and its bookmark.
for kept in '<A HREF="http://www.example.org/soil-kits">' '<A HREF="#results">' '<A NAME="results">' 'the allotment society'; do
  grep -qF "$kept" "$work/pages/file1.htm" || fail "the picture's page lost $kept"
done
[ "$(head -c 2 "$work/pages/Picture_0.bmp")" = BM ] &&
  [ "$(od -An -tu4 -j18 -N8 "$work/pages/Picture_0.bmp" | tr -s ' ')" = ' 96 48' ] || fail "Picture_0.bmp is no 96 x 48 bitmap"
printf 'M\xfcller\x27s early peas' | grep -qaF -f - "$work/pages/file0.htm" || fail "accented text lost"
grep -q 'Saturday market' "$work/pages/file3.mht" || fail "web archive not stored as sent"

# One branch, its RTF notes as RTF files behind linking pages; the syntax option back off.
export_run branch --export branch --branch "Beds and Soil" --out "$work_windows\\beds.chm" --rtf link \
  --plain-text html --full-text-search off --syntax off --pictures on
chm="$work/beds.chm"
grep -q 'Sent 3 nodes, 3 stored; begin flags 0x3;' "$work/branch.txt" || fail "begin: $(grep '^Sent' "$work/branch.txt")"
[ "$(chm_outline "$chm")" = 'Beds and Soil|.Soil test|.Sowing calendar|' ] || fail "contents: $(chm_outline "$chm")"
[ "$(chm_stored "$chm")" = 'content.hhc file0.htm file1.htm rtf3.rtf rtf4.rtf ' ] || fail "stored: $(chm_stored "$chm")"
[ "$(chm_system_value "$chm" 'Title from \[options\]')" = 'Beds and Soil [The file created by Tessaly & Tessaly2CHM plugin 2.21 - http://www.tessaly.example]' ] ||
  fail "title: $(chm_system_value "$chm" 'Title from \[options\]')"
links_resolve "$chm" >"$work/links.txt" && echo "$case_name: $(cat "$work/links.txt")" ||
  fail "links: $(cat "$work/links.txt")"
cmp -s "$work/pages/rtf3.rtf" "$document/Beds and Soil/Soil test.rtf" || fail "rtf3.rtf differs from the note"

# Formatted text skipped, a note left out through the node menu, plain text as text files.
export_run skipped --export document --out "$work_windows\\skipped.chm" --rtf skip --plain-text text \
  --full-text-search on --syntax off --pictures on --exclude "Kitchen/Market day"
chm="$work/skipped.chm"
grep -q 'begin flags 0x0;' "$work/skipped.txt" || fail "begin: $(grep '^Sent' "$work/skipped.txt")"
[ "$(chm_outline "$chm")" = 'Garden Journal|.About|.Beds and Soil|.Kitchen|..Tomato soup|.Later|.Scratch|' ] ||
  fail "contents: $(chm_outline "$chm")"
[ "$(chm_stored "$chm")" = 'content.hhc file0.txt file1.htm file2.txt ' ] || fail "stored: $(chm_stored "$chm")"
7z l -slt "$chm" | grep -q '^Path = \$FIftiMain$' || fail "no full-text index"

# A plug-in without the compiler beside it: the window's message ends the run as a failure.
mkdir "$work/plugins"
cp "$(dirname "$host")/Plugins/Tessaly2CHM.dll" "$(dirname "$host")/Plugins/irun.dll" "$work/plugins/"
case_name=no-compiler
"$wine_run" "$host" "$document" --plugin "$work_windows\\plugins\\Tessaly2CHM.dll" --export document \
  --out "$work_windows\\none.chm" --timeout 300 >"$work/none.log" 2>&1 </dev/null
status=$?
grep -q "^Failed: HTML Help compiler (HHC.exe) not found at .*plugins.HHC.exe" "$work/none.log" && [ "$status" -eq 1 ] ||
  fail "exit $status: $(tr -d '\r' <"$work/none.log")"

# A mistake on the command line is reported without a window.
case_name=usage
"$wine_run" "$host" "$document" --export all --out x.chm >"$work/usage.txt" 2>&1 </dev/null
[ $? -eq 2 ] && grep -q -- '--export takes document or branch' "$work/usage.txt" || fail "usage: $(cat "$work/usage.txt")"

[ "$failures" -eq 0 ] && echo "end to end: all checks passed"
exit $((failures > 0))
