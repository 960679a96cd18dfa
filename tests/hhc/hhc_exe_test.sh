#!/usr/bin/env bash
# Runs HHC.exe under Wine on project folders laid out as the plug-in and HTML Help Workshop users
# write them: exit code, console, what is left in the folder, and every reader reads the result.
# Usage: hhc_exe_test.sh <HHC.exe> <wine-run script>
set -uo pipefail
hhc="$(realpath "$1")"
wine_run="$(realpath "$2")"
source "$(dirname "$0")/../support/chm_readback.sh"

# Blanks in the folder names: the plug-in passes the project path without quotes.
root="$(mktemp -d /tmp/hhc\ exe.XXXXXX)"
trap 'rm -rf "$root"' EXIT
failures=0
fail() { echo "FAIL [$case_name]: $*"; failures=$((failures + 1)); }
crlf() { sed 's/$/\r/'; }

# As the plug-in writes it: two articles, a picture, a contents file; Russian, so its names are
# in code page 1251: "статья.htm" is found on the disk, then refused by the help file, which holds
# ASCII names only.
make_project() {
  local dir="$1"
  mkdir -p "$dir/pictures"
  { printf '[OPTIONS]\nBinary Index=Yes\nAuto Index=Yes\nCompatibility=1.1 or later\n'
    printf 'Compiled file=tessaly2chm.chm\nDisplay compile progress=Yes\nContents file=content.hhc\n'
    printf 'Full-text search=No\nDefault topic=file0.htm\nLanguage=0x419 Russian\n'
    printf 'Title=Stand-in [The file created by Tessaly & Tessaly2CHM plugin]\n\n[FILES]\n'
    printf 'file0.htm\nfile1.txt\n\xf1\xf2\xe0\xf2\xfc\xff.htm\npictures\\Picture_1.bmp\n\n[INFOTYPES]\nCategory:New\n'
  } | crlf >"$dir/project.hhp"
  printf 'CategoryDesc: ' >>"$dir/project.hhp"
  printf '<html><body><a href="file1.txt">one</a> <a href="http://www.tessaly.example">web</a></body></html>' >"$dir/file0.htm"
  printf 'Plain text article.\r\n' >"$dir/file1.txt"
  printf '<html><body>\xd0\xbf\xd1\x80\xd0\xb8</body></html>' >"$dir/статья.htm"
  printf 'BM not really a picture' >"$dir/pictures/Picture_1.bmp"
  printf '<HTML><BODY><UL><LI> <OBJECT type="text/sitemap"><param name="Name" value="Intro">'\
'<param name="Local" value="file0.htm"></OBJECT></UL></BODY></HTML>' >"$dir/content.hhc"
}

windows_path() { "$wine_run" winepath -w "$1" 2>/dev/null | tr -d '\r'; }

# Runs HHC.exe with the given parameter words; sets $status and $console (compile time masked).
run_hhc() {
  console="$(cd "$root" && "$wine_run" "$hhc" "$@" 2>/dev/null | tr -d '\r' |
             sed 's/^Compile time: .*/Compile time: (masked)/; s/\(Created .*, \)[0-9,]* bytes$/\1N bytes/;
                  s/^Compression .*/Compression (masked)/')"
  status=${PIPESTATUS[0]}
}

# As the plug-in starts it: one parameter string, the bare path, split only by Wine at its blanks.
run_hhc_unquoted() { local words; read -r -a words <<<"$(windows_path "$1")"; run_hhc "${words[@]}"; }

expect_status() { [ "$status" = "$1" ] || fail "exit code $status, expected $1"; }
expect_console() {
  [ "$console" = "$(printf '%s\n' "$@")" ] || fail "console differs:"$'\n'"$(diff <(printf '%s\n' "$@") <(echo "$console"))"
}
banner=("Tessaly2CHM HTML Help Compiler 1.0" "")
tail_lines() { printf '%s\n' "" "Compile time: (masked)" "1	Topic" "1	Local link" "1	Internet link" "1	Graphic" "" \
  "Created $1, N bytes" "Compression (masked)"; }

case_name="the plug-in's project"
dir="$root/work folder"
make_project "$dir"
printf 'stale result' >"$dir/tessaly2chm.chm"
run_hhc_unquoted "$dir/project.hhp" && expect_status 1
chm_windows="$(windows_path "$dir/tessaly2chm.chm")"
russian="$(printf '\xf1\xf2\xe0\xf2\xfc\xff.htm')"
refused="HHC: warning: a help file cannot hold the name $russian, compiling without it"
expect_console "${banner[@]}" "Compiling $chm_windows" "" content.hhc file0.htm file1.txt "$russian" "$refused" \
  'pictures\Picture_1.bmp' "$(tail_lines "$chm_windows")"
[ "$(cd "$dir" && find . -mindepth 1 | LC_ALL=C sort | tr '\n' ' ')" = "./content.hhc ./file0.htm ./file1.txt ./pictures ./pictures/Picture_1.bmp ./project.hhp ./tessaly2chm.chm ./статья.htm " ] ||
  fail "folder holds: $(ls -R "$dir")"
chm_read_back "$dir/tessaly2chm.chm" "$dir" content.hhc file0.htm file1.txt pictures/Picture_1.bmp || fail "the readers read the help file otherwise"

# Microsoft's compiler warns about a listed file it cannot find and compiles the others; Windows
# finds names in other letter case; without "Compiled file=" the project's name is taken.
case_name="quoted parameter, files missing, names as Windows finds them, no compiled file named"
rm "$dir/file1.txt" "$dir/tessaly2chm.chm" && mkdir "$dir/folder.htm" && mv "$dir/file0.htm" "$dir/File0.HTM"
sed -i '/^Compiled file=/d; s/^Display compile progress=Yes/Display compile progress=No/; s/^file1.txt\r$/file1.txt\r\nfolder.htm\r/' "$dir/project.hhp"
run_hhc "$(windows_path "$dir/project.hhp")" && expect_status 1
chm_windows="$(windows_path "$dir/project.chm")"
expect_console "${banner[@]}" "Compiling $chm_windows" "" "HHC: warning: cannot find file1.txt, compiling without it" \
  "HHC: warning: cannot find folder.htm, compiling without it" "$refused" "$(tail_lines "$chm_windows")"
chm_read_back "$dir/project.chm" "$dir" content.hhc "file0.htm=$dir/File0.HTM" || fail "the readers read it otherwise"

# Nothing to read or nowhere to write: an error line, exit code 0, no help file, no partial one.
stopped="HHC: compilation stopped; no help file was made."
for broken in "contents file" "project file" "output folder"; do
  case_name="unreadable $broken"
  dir="$root/$broken"
  make_project "$dir"
  folder_windows="$(windows_path "$dir")"
  case "$broken" in
    "contents file")
      rm "$dir/content.hhc"
      printf 'stale result' >"$dir/tessaly2chm.chm"
      expected=("Compiling $folder_windows\\tessaly2chm.chm" "" "HHC: error: cannot find the contents file $folder_windows\\content.hhc" "$stopped") ;;
    "project file")
      mv "$dir/project.hhp" "$dir/other.hhp"
      expected=("HHC: error: cannot find the project file $folder_windows\\project.hhp") ;;
    "output folder")
      sed -i 's/^Compiled file=.*\r$/Compiled file=gone\\out.chm\r/' "$dir/project.hhp"
      expected=("Compiling $folder_windows\\gone\\out.chm" "" "HHC: error: cannot write $folder_windows\\gone\\out.chm: (reason)" "$stopped") ;;
  esac
  run_hhc_unquoted "$dir/project.hhp" && expect_status 0
  console="$(sed 's/^\(HHC: error: cannot write .*\.chm: \).*/\1(reason)/' <<<"$console")"
  expect_console "${banner[@]}" "${expected[@]}"
  [ -z "$(find "$dir" -name '*.chm*' -o -name 'hhc*.tmp')" ] || fail "a compiled or partial file was left: $(ls "$dir")"
done

case_name="no parameter"
run_hhc && expect_status 0
expect_console "Usage: HHC <project file>"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "HHC.exe: all cases passed"
