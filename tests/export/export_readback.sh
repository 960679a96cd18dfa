#!/usr/bin/env bash
# Reads back the help files that whole builds produced: stored files, title, default topic,
# language, contents tree, and the full-text index exactly when it was asked for.
# The pages of builds under the code pages 1250, 932 and 936 must read back with their title and
# text through an HTML5 parser (charset_pages.py).
# Usage: export_readback.sh <export_driver_tests.exe> <wine-run script> <charset_pages.py>
set -euo pipefail

tests="$1"
wine_run="$2"
charset_pages="$3"
for tool in chmls 7z localedef /usr/bin/python3; do
  command -v "$tool" >/dev/null || { echo "missing tool: $tool"; exit 1; }
done

source "$(dirname "$wine_run")/chm-readers"

keep="$(mktemp -d)"
trap 'rm -rf "$keep"' EXIT
keep_windows="$("$wine_run" winepath -w "$keep" | tr -d '\r')"
# Runs the builds the filter names, with the environment assignments that follow it.
build() {
  env "${@:2}" T2C_KEEP_DIR="$keep_windows" WINEDEBUG=-all "$wine_run" "$tests" --gtest_filter="$1" \
    >"$keep/run.log" 2>&1 || { cat "$keep/run.log"; exit 1; }
}
build '*Converted*:*RtfArticles*:*SkippedRtf*:*LinkPages*:*UnknownKind*:*CannotBeCreated*:*SystemsCodePage*'

# Wine takes the system's code page from the locale; these are made here, for this run only.
mkdir "$keep/locales"
for locale in cs_CZ:1250 ja_JP:932 zh_CN:936; do
  localedef -i "${locale%:*}" -f UTF-8 "$keep/locales/${locale%:*}.UTF-8"
  build '*SystemsCodePage*' LOCPATH="$keep/locales" LC_ALL="${locale%:*}.UTF-8"
  [ -s "$keep/codepage-${locale#*:}.chm" ] ||
    { echo "no help file for code page ${locale#*:}"; cat "$keep/run.log"; exit 1; }
done

failures=0
fail() { echo "$1: $2"; failures=$((failures + 1)); }

check() {
  local name="$1" files="$2" topic="$3" lcid="$4" search="$5" tree="$6"
  local chm="$keep/$name"
  [ -s "$chm" ] || { fail "$name" "not produced"; return; }
  [ "$(chm_stored "$chm")" = "$files" ] || fail "$name" "stored files: $(chm_stored "$chm")"
  local system
  system="$(chmls printsystem "$chm" 2>/dev/null | tr -d '\r\0')"
  printf '%s\n' "$system" | grep -aq "Default topic from \[options\] *:$topic\$" ||
    fail "$name" "default topic: $(chm_system_value "$chm" 'Default topic from \[options\]')"
  printf '%s\n' "$system" | grep -aq "LCID from HHP file *: $lcid\$" || fail "$name" "language id"
  printf '%s\n' "$system" |
    grep -aq 'Title from \[options\] *:Handbook \[The file created by Tessaly & Tessaly2CHM plugin 2.21 - http://www.tessaly.example\]' ||
    fail "$name" "title"
  local has_index=no
  7z l -slt "$chm" | grep -q '^Path = \$FIftiMain$' && has_index=yes
  [ "$has_index" = "$search" ] || fail "$name" "full-text index: $has_index"
  [ "$(chm_outline "$chm")" = "$tree" ] || fail "$name" "contents: $(chm_outline "$chm")"
}

full_tree='Handbook|.Welcome|.Formatted|.Web page|.Archive|.Chapter|..Notes|'
check converted.chm 'content.hhc file0.htm file1.htm file2.htm file3.mht file4.htm ' file2.htm 1031 yes "$full_tree"
check rtf-articles.chm 'content.hhc file0.txt file1.rtf file2.htm file3.mht file4.txt ' file2.htm 1033 no "$full_tree"
check skipped.chm 'content.hhc file0.txt file1.htm file2.mht file3.txt ' file1.htm 1031 no \
  'Handbook|.Welcome|.Web page|.Archive|.Chapter|..Notes|'

# The RTF file comes before its linking page; the default topic falls back to the first page.
check link-pages.chm 'content.hhc file0.txt file1.htm file2.htm file3.mht file4.txt rtf3.rtf ' file1.htm 1031 no "$full_tree"

# A node of unknown kind is stored under its listed name; an article that could not be created
# is left out, its contents entry and the default topic still naming it.
check unknown-kind.chm 'content.hhc file0.txt file1.htm file2.htm file3.mht file4.txt file5. ' file2.htm 1031 no \
  "$full_tree.Odd kind|"
[ "$(7z x -so "$keep/unknown-kind.chm" file5. 2>/dev/null)" = "odd article" ] || fail unknown-kind.chm "file5. stored changed"
check missing-article.chm 'content.hhc file0.txt file1.htm file3.mht file4.txt ' file2.htm 1031 no "$full_tree"

# The converted page of each code page, as the help file stores it.
for code_page in 1252 1250 932 936; do
  chm="$keep/codepage-$code_page.chm"
  if 7z x -so "$chm" file1.htm >"$keep/page-$code_page.htm" 2>/dev/null; then
    /usr/bin/python3 "$charset_pages" check "$code_page" "$keep/page-$code_page.htm" || fail "codepage-$code_page.chm" "page"
  else
    fail "codepage-$code_page.chm" "no file1.htm"
  fi
done

[ "$failures" -eq 0 ] || exit 1
echo "10 help files read back"
