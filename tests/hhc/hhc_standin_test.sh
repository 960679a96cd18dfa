#!/usr/bin/env bash
# Runs HHC.exe under Wine on project folders laid out as the plug-in writes them and checks its
# exit code, its console and what it leaves in the folder.
# Usage: hhc_standin_test.sh <HHC.exe> <wine-run script> <fake_chmcmd.exe>
set -uo pipefail

hhc="$(realpath "$1")"
wine_run="$(realpath "$2")"
fake="$(realpath "$3")"
for tool in chmcmd chmls 7z; do
  command -v "$tool" >/dev/null || { echo "missing tool: $tool"; exit 1; }
done

# Blanks in the folder names: the plug-in passes the project path without quotes.
root="$(mktemp -d /tmp/hhc\ standin.XXXXXX)"
trap 'rm -rf "$root"' EXIT
failures=0
fail() { echo "FAIL [$case_name]: $*"; failures=$((failures + 1)); }

crlf() { sed 's/$/\r/'; }

# A project as the plug-in writes it: two articles and a picture listed, a contents file, and a
# page that refers to an unlisted local page and to an anchor that does not exist.
make_project() {
  local dir="$1"
  mkdir -p "$dir"
  { printf '[OPTIONS]\nBinary Index=Yes\nAuto Index=Yes\nCompatibility=1.1 or later\n'
    printf 'Compiled file=tessaly2chm.chm\nDisplay compile progress=Yes\nContents file=content.hhc\n'
    printf 'Full-text search=No\nDefault topic=file0.htm\nLanguage=0x409 English (United States)\n'
    printf 'Title=Stand-in [The file created by Tessaly & Tessaly2CHM plugin]\n\n[FILES]\n'
    printf 'file0.htm\nfile1.txt\nPicture_1.bmp\n\n[INFOTYPES]\nCategory:New\n'
  } | crlf >"$dir/project.hhp"
  printf 'CategoryDesc: ' >>"$dir/project.hhp"
  printf '<html><head><title>Intro</title></head><body><p>Hello <a href="extra.htm">more</a> '\
'<a href="file0.htm#nowhere">here</a> <img src="Picture_1.bmp"></p></body></html>\n' | crlf >"$dir/file0.htm"
  printf 'Plain text article.\n' | crlf >"$dir/file1.txt"
  printf 'BM not really a picture' >"$dir/Picture_1.bmp"
  printf '<html><body>Not listed.</body></html>\n' | crlf >"$dir/extra.htm"
  { printf '<!DOCTYPE HTML PUBLIC "-//IETF//DTD HTML//EN">\n<HTML>\n<BODY>\n<UL>\n'
    printf '<LI> <OBJECT type="text/sitemap">\n<param name="Name" value="Intro">\n'
    printf '<param name="Local" value="file0.htm">\n</OBJECT>\n'
    printf '<LI> <OBJECT type="text/sitemap">\n<param name="Name" value="Plain">\n'
    printf '<param name="Local" value="file1.txt">\n</OBJECT>\n</UL>\n</BODY>\n</HTML>\n'
  } | crlf >"$dir/content.hhc"
}

windows_path() { "$wine_run" winepath -w "$1" 2>/dev/null | tr -d '\r'; }

# Runs HHC.exe with the given parameter words; sets $status and $console.
run_hhc() {
  console="$(cd "$root" && "$wine_run" "$hhc" "$@" 2>&1)"
  status=$?
  console="${console//$'\r'/}"
}

# As the plug-in starts it: one parameter string, the bare path, split only by Wine at its blanks.
run_hhc_unquoted() {
  local words
  read -r -a words <<<"$(windows_path "$1")"
  run_hhc "${words[@]}"
}

expect_status() { [ "$status" = "$1" ] || fail "exit code $status, expected $1; console:"$'\n'"$console"; }
expect_console() { grep -qF -- "$1" <<<"$console" || fail "console lacks \"$1\":"$'\n'"$console"; }
expect_no_chm() { [ ! -e "$1/tessaly2chm.chm" ] || fail "a compiled file was left behind"; }

# The user's entries of a compiled file, without the compiler's own bookkeeping entries.
stored_files() {
  7z l -slt "$1" | sed -n '/^----------/,$ s/^Path = //p' | grep -v -e '^#' -e '^\$' -e '^_#_' -e '^::' | sort
}

expect_stored() {
  local chm="$1"
  shift
  [ -s "$chm" ] || { fail "no compiled file, or an empty one"; return; }
  local expected actual
  expected="$(printf '%s\n' "$@" | LC_ALL=C sort)"
  actual="$(stored_files "$chm" | LC_ALL=C sort)"
  [ "$actual" = "$expected" ] || fail "stored files differ:"$'\n'"$(diff <(echo "$expected") <(echo "$actual"))"
}

# Everything in the folder afterwards: no link, reduced project or log of the run is left.
expect_left() {
  local dir="$1"
  shift
  local expected actual
  expected="$(printf '%s\n' "$@" | LC_ALL=C sort)"
  actual="$(ls -A "$dir" | LC_ALL=C sort)"
  [ "$actual" = "$expected" ] || fail "folder holds:"$'\n'"$actual"
}

case_name="success"
dir="$root/work folder"
make_project "$dir"
printf 'stale result' >"$dir/tessaly2chm.chm"
run_hhc_unquoted "$dir/project.hhp"
expect_status 1
expect_console "Writing CHM tessaly2chm.chm"
expect_console "HHC: compiled file $(windows_path "$dir/tessaly2chm.chm")"
chm="$dir/tessaly2chm.chm"
if [ -s "$chm" ]; then
  # Only the listed files: the page's reference to extra.htm does not pull it in.
  expected="$(printf '%s\n' Picture_1.bmp content.hhc file0.htm file1.txt)"
  actual="$(stored_files "$chm")"
  [ "$actual" = "$expected" ] || fail "stored files differ:"$'\n'"$(diff <(echo "$expected") <(echo "$actual"))"
  for name in file0.htm file1.txt content.hhc Picture_1.bmp; do
    7z x -so "$chm" "$name" 2>/dev/null | cmp -s - "$dir/$name" || fail "$name stored changed"
  done
  listing="$(chmls list "$chm" 2>/dev/null | awk '{print $NF}' | grep -x -e /file0.htm -e /content.hhc | sort)"
  [ "$listing" = "$(printf '%s\n' /content.hhc /file0.htm)" ] || fail "chmls cannot read it: $listing"
  chmls printsystem "$chm" 2>/dev/null | grep -aq 'Title from \[options\] *:Stand-in \[The file' ||
    fail "title missing from #SYSTEM"
else
  fail "no compiled file, or an empty one"
fi

case_name="quoted parameter"
rm -f "$chm"
run_hhc "$(windows_path "$dir/project.hhp")"
expect_status 1
[ -s "$chm" ] || fail "no compiled file"

# chmcmd's indexer crashes on this page; Microsoft's compiler indexes it. The help file is made
# without the index, and the console says so.
case_name="indexer crash"
dir="$root/indexer crash"
mkdir -p "$dir"
printf '[OPTIONS]\nCompiled file=tessaly2chm.chm\nFull-text search=Yes\nDefault topic=file0.htm\n'\
'Title=T\n\n[FILES]\nfile0.htm\n' | crlf >"$dir/project.hhp"
printf '<HTML><HEAD><TITLE></TITLE></HEAD><BODY BGCOLOR="#FFFFFF"><P>12.11</P></BODY></HTML>' >"$dir/file0.htm"
cp "$dir/project.hhp" "$root/project.copy"
run_hhc_unquoted "$dir/project.hhp"
expect_status 1
expect_console "EAccessViolation"
expect_console "HHC: warning: chmcmd crashed while making the full-text search index; compiling again without it: this help file has no search"
expect_console "HHC: compiled file $(windows_path "$dir/tessaly2chm.chm")"
expect_stored "$dir/tessaly2chm.chm" file0.htm
cmp -s "$dir/project.hhp" "$root/project.copy" || fail "the project file was changed"
expect_left "$dir" file0.htm project.hhp tessaly2chm.chm

# Microsoft's compiler warns about a listed file that is missing and compiles the others; a
# listed folder is no file either.
case_name="missing listed file"
dir="$root/missing article"
make_project "$dir"
rm "$dir/file1.txt"
rm "$dir/Picture_1.bmp" && mkdir "$dir/Picture_1.bmp"
printf 'stale result' >"$dir/tessaly2chm.chm"
run_hhc_unquoted "$dir/project.hhp"
expect_status 1
expect_console "HHC: warning: cannot find file1.txt, compiling without it"
expect_console "HHC: warning: cannot find Picture_1.bmp, compiling without it"
expect_stored "$dir/tessaly2chm.chm" content.hhc file0.htm
expect_left "$dir" Picture_1.bmp content.hhc extra.htm file0.htm project.hhp tessaly2chm.chm

# Names are found as Windows finds them: "file1." is the file file1, and letter case is ignored.
# The help file stores them as listed, the names the contents file and the pages use.
case_name="names resolved as Windows does"
dir="$root/windows names"
make_project "$dir"
mv "$dir/file1.txt" "$dir/file1"
sed -i 's/^file1\.txt/file1./; s/^Picture_1\.bmp/PICTURE_1.BMP/' "$dir/project.hhp"
sed -i 's/value="file1\.txt"/value="file1."/' "$dir/content.hhc"
run_hhc_unquoted "$dir/project.hhp"
expect_status 1
expect_stored "$dir/tessaly2chm.chm" PICTURE_1.BMP content.hhc file0.htm file1.
7z x -so "$dir/tessaly2chm.chm" file1. 2>/dev/null | cmp -s - "$dir/file1" || fail "file1. stored changed"
expect_left "$dir" Picture_1.bmp content.hhc extra.htm file0.htm file1 project.hhp tessaly2chm.chm

case_name="missing contents file"
dir="$root/missing contents"
make_project "$dir"
rm "$dir/content.hhc"
printf 'stale result' >"$dir/tessaly2chm.chm"
run_hhc_unquoted "$dir/project.hhp"
expect_status 0
expect_console "Error: Can't find TOC file"
expect_console "HHC: chmcmd reported an error"
expect_no_chm "$dir"

case_name="no compiled file named"
dir="$root/unnamed"
make_project "$dir"
sed -i '/^Compiled file=/d' "$dir/project.hhp"
run_hhc_unquoted "$dir/project.hhp"
expect_status 0
expect_console 'HHC: the project names no compiled file'
[ -z "$(find "$dir" -name '*.chm')" ] || fail "a compiled file was left behind"

case_name="missing project file"
dir="$root/no project"
make_project "$dir"
rm "$dir/project.hhp"
run_hhc_unquoted "$dir/project.hhp"
expect_status 0
expect_console "HHC: Can't find project file $(windows_path "$dir/project.hhp")"
expect_no_chm "$dir"

case_name="project folder given"
run_hhc_unquoted "$root/work folder"
expect_status 0
expect_console "HHC: Can't find project file"

case_name="no parameter"
run_hhc
expect_status 0
expect_console "Usage: HHC <project file>"

# The Windows road: a chmcmd.exe beside HHC.exe, here one that shows outcomes chmcmd cannot.
beside="$root/compiler folder"
mkdir -p "$beside"
cp "$hhc" "$beside/HHC.exe"
cp "$fake" "$beside/chmcmd.exe"
hhc="$beside/HHC.exe"
dir="$root/windows road"
make_project "$dir"
chm="$dir/tessaly2chm.chm"

case_name="windows chmcmd succeeds"
printf 'stale result' >"$chm"
FAKE_CHMCMD=ok run_hhc_unquoted "$dir/project.hhp"
expect_status 1
expect_console "fake chmcmd in $(windows_path "$dir"): [--no-html-scan] [$(windows_path "$dir/project.hhp")]"
[ "$(cat "$chm" 2>/dev/null)" = "fresh result" ] || fail "the compiled file is not chmcmd's"

case_name="windows chmcmd exits non-zero"
FAKE_CHMCMD=exit3 run_hhc_unquoted "$dir/project.hhp"
expect_status 0
expect_console "HHC: chmcmd ended with exit code 3"
expect_no_chm "$dir"

case_name="windows chmcmd writes an empty file"
FAKE_CHMCMD=empty run_hhc_unquoted "$dir/project.hhp"
expect_status 0
expect_console "HHC: chmcmd left an empty compiled file"
expect_no_chm "$dir"

case_name="windows chmcmd writes nothing"
printf 'stale result' >"$chm"
FAKE_CHMCMD=nothing run_hhc_unquoted "$dir/project.hhp"
expect_status 0
expect_console "HHC: chmcmd left no compiled file"
expect_no_chm "$dir"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "HHC.exe stand-in: all cases passed"
