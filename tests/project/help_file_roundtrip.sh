#!/usr/bin/env bash
# Compiles a project written by the plug-in's writers with HHC.exe and reads the result back:
# the table of contents must have the tree's nesting and names, and every article must be inside.
# Usage: help_file_roundtrip.sh <sample_project.exe> <wine-run script> <HHC.exe>
set -euo pipefail

sample="$1"
wine_run="$2"
hhc="$3"
for tool in chmls 7z; do
  command -v "$tool" >/dev/null || { echo "missing tool: $tool"; exit 1; }
done

output="$("$wine_run" "$sample" | tr -d '\r')"
win_folder="$(printf '%s\n' "$output" | head -n 1)"
expected="$(printf '%s\n' "$output" | tail -n +2)"
folder="$("$wine_run" winepath -u "$win_folder" 2>/dev/null | tr -d '\r')"
[ -d "$folder" ] || { echo "work folder not found: $win_folder -> $folder"; exit 1; }
trap 'rm -rf "$folder"' EXIT
cd "$folder"

# HHC.exe exits with 1 when it made the help file, as Microsoft's compiler does.
status=0
"$wine_run" "$hhc" "$win_folder\\project.hhp" >compile.log 2>&1 || status=$?
[ "$status" -eq 1 ] || { echo "HHC.exe exited with $status"; cat compile.log; exit 1; }
[ -f tessaly2chm.chm ] || { echo "no tessaly2chm.chm"; cat compile.log; exit 1; }

# The contents outline as chmls parses it: one "." per nesting level below the top list.
chmls extracttoc tessaly2chm.chm toc.txt >/dev/null 2>&1
actual="$(awk '
  /<\/UL>/ { depth--; next }
  /<UL>/ { depth++; next }
  /<param name="Name" value="/ {
    label = $0
    sub(/.*<param name="Name" value="/, "", label)
    sub(/">[[:space:]]*$/, "", label)
    gsub(/&lt;/, "<", label); gsub(/&gt;/, ">", label); gsub(/&quot;/, "\"", label); gsub(/&amp;/, "\\&", label)
    indent = ""
    for (i = 1; i < depth; i++) indent = indent "."
    print indent label
  }' toc.txt)"
if [ "$actual" != "$expected" ]; then
  echo "contents outline differs"
  diff <(printf '%s\n' "$expected") <(printf '%s\n' "$actual") || true
  exit 1
fi

# The archive holds our contents file unchanged and every article of the [FILES] section.
7z x -so tessaly2chm.chm content.hhc 2>/dev/null | cmp - content.hhc
listed="$(7z l -slt tessaly2chm.chm | sed -n 's/^Path = //p' | sort)"
articles="$(tr -d '\r' <project.hhp | sed -n '/^\[FILES\]/,/^$/p' | grep -v -e '^\[FILES\]' -e '^$' | sort)"
[ -n "$articles" ] || { echo "no articles listed in project.hhp"; exit 1; }
for name in $articles; do
  printf '%s\n' "$listed" | grep -qx "$name" || {
    echo "article missing from the chm: $name"
    ls -la
    cat compile.log
    exit 1
  }
done

# Options of the project that reach the compiled file's system record.
system="$(chmls printsystem tessaly2chm.chm 2>/dev/null | tr -d '\r')"
for want in 'Default topic from \[options\] *:file0.htm' \
            'Title from \[options\] *:Round trip \[The file created by Tessaly & Tessaly2CHM plugin\]' \
            'Contents file from \[options\] *:content.hhc' 'LCID from HHP file *: 1033'; do
  printf '%s\n' "$system" | grep -aq "$want" || { echo "not in #SYSTEM: $want"; exit 1; }
done
echo "help file round trip: $(printf '%s\n' "$expected" | wc -l) contents entries, $(printf '%s\n' "$articles" | wc -l) articles"
