#!/usr/bin/env bash
# Reads back the help files that whole builds produced: stored files, title, default topic,
# language, contents tree, and the full-text index exactly when it was asked for.
# Usage: export_readback.sh <export_driver_tests.exe> <wine-run script>
set -euo pipefail

tests="$1"
wine_run="$2"
for tool in chmls 7z; do
  command -v "$tool" >/dev/null || { echo "missing tool: $tool"; exit 1; }
done

keep="$(mktemp -d)"
trap 'rm -rf "$keep"' EXIT
T2C_KEEP_DIR="$("$wine_run" winepath -w "$keep" | tr -d '\r')" WINEDEBUG=-all \
  "$wine_run" "$tests" --gtest_filter='*Converted*:*RtfArticles*:*SkippedRtf*:*LinkPages*' >"$keep/run.log" 2>&1 ||
  { cat "$keep/run.log"; exit 1; }

failures=0
fail() { echo "$1: $2"; failures=$((failures + 1)); }

# Files stored in the archive, without the compiler's own "#" and "$" entries and the note that
# chmcmd adds to every file it writes.
stored() {
  7z l -slt "$1" | sed -n 's/^Path = //p' | grep -v -e '^[#$]' -e '^_#_README_#_$' -e "$(basename "$1")" |
    sort | tr '\n' ' '
}

# The contents outline: one "." per nesting level below the top list.
outline() {
  chmls extracttoc "$1" "$keep/toc.txt" >/dev/null 2>&1
  awk '/<\/UL>/ { depth--; next }
       /<UL>/ { depth++; next }
       /<param name="Name" value="/ {
         label = $0; sub(/.*<param name="Name" value="/, "", label); sub(/">[[:space:]]*$/, "", label)
         indent = ""; for (i = 1; i < depth; i++) indent = indent "."
         printf "%s%s|", indent, label }' "$keep/toc.txt"
}

check() {
  local name="$1" files="$2" topic="$3" lcid="$4" search="$5" tree="$6"
  local chm="$keep/$name"
  [ -s "$chm" ] || { fail "$name" "not produced"; return; }
  [ "$(stored "$chm")" = "$files" ] || fail "$name" "stored files: $(stored "$chm")"
  local system
  system="$(chmls printsystem "$chm" 2>/dev/null | tr -d '\r\0')"
  printf '%s\n' "$system" | grep -aq "Default topic from \[options\] *:$topic\$" || fail "$name" "default topic"
  printf '%s\n' "$system" | grep -aq "LCID from HHP file *: $lcid\$" || fail "$name" "language id"
  printf '%s\n' "$system" |
    grep -aq 'Title from \[options\] *:Handbook \[The file created by Tessaly & Tessaly2CHM plugin 2.21 - http://www.tessaly.example\]' ||
    fail "$name" "title"
  local has_index=no
  7z l -slt "$chm" | grep -q '^Path = \$FIftiMain$' && has_index=yes
  [ "$has_index" = "$search" ] || fail "$name" "full-text index: $has_index"
  [ "$(outline "$chm")" = "$tree" ] || fail "$name" "contents: $(outline "$chm")"
}

full_tree='Handbook|.Welcome|.Formatted|.Web page|.Archive|.Chapter|..Notes|'
check converted.chm 'content.hhc file0.htm file1.htm file2.htm file3.mht file4.htm ' file2.htm 1031 yes "$full_tree"
check rtf-articles.chm 'content.hhc file0.txt file1.rtf file2.htm file3.mht file4.txt ' file2.htm 1033 no "$full_tree"
check skipped.chm 'content.hhc file0.txt file1.htm file2.mht file3.txt ' file1.htm 1031 no \
  'Handbook|.Welcome|.Web page|.Archive|.Chapter|..Notes|'

# The RTF file comes before its linking page; the default topic falls back to the first page.
check link-pages.chm 'content.hhc file0.txt file1.htm file2.htm file3.mht file4.txt rtf3.rtf ' file1.htm 1031 no "$full_tree"

[ "$failures" -eq 0 ] || exit 1
echo "4 help files read back"
