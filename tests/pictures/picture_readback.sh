#!/usr/bin/env bash
# Reads back the help files of two builds in a row with pictures: every bitmap stored byte for
# byte as the build wrote it, and the pages showing them where the objects stood.
# Usage: picture_readback.sh <picture_build_tests.exe> <wine-run script>
set -euo pipefail

tests="$1"
wine_run="$2"
for tool in chmls 7z cmp; do
  command -v "$tool" >/dev/null || { echo "missing tool: $tool"; exit 1; }
done

keep="$(mktemp -d)"
trap 'rm -rf "$keep"' EXIT
T2C_KEEP_DIR="$("$wine_run" winepath -w "$keep" | tr -d '\r')" "$wine_run" "$tests" >"$keep/run.log" 2>&1 ||
  { cat "$keep/run.log"; exit 1; }

failures=0
fail() { echo "$1: $2"; failures=$((failures + 1)); }

page() { chmls extract "$1" "/$2" "$keep/page.htm" >/dev/null 2>&1 && tr -d '\r\n' <"$keep/page.htm"; }

for build in 1 2; do
  chm="$keep/pictures-$build.chm"
  [ -s "$chm" ] || { fail "build $build" "no help file"; continue; }
  pictures="$(7z l -slt "$chm" | sed -n 's/^Path = \(Picture_.*\)$/\1/p' | sort | tr '\n' ' ')"
  [ "$pictures" = "Picture_0.bmp Picture_1.bmp Picture_2.bmp " ] || fail "build $build" "stored pictures: $pictures"
  for n in 0 1 2; do
    7z e -so "$chm" "Picture_$n.bmp" >"$keep/stored.bmp" 2>/dev/null || true
    cmp -s "$keep/stored.bmp" "$keep/pictures-$build-Picture_$n.bmp" || fail "build $build" "Picture_$n.bmp differs"
  done
  # The first object of a text is numbered last; each image stands where its object's blank follows.
  page "$chm" file0.htm | grep -q "Before<IMG SRC='Picture_1.bmp'> between<IMG SRC='Picture_0.bmp'> after" ||
    fail "build $build" "file0.htm: $(page "$chm" file0.htm)"
  page "$chm" file1.htm | grep -q "Diagram:<IMG SRC='Picture_2.bmp'> <" ||
    fail "build $build" "file1.htm: $(page "$chm" file1.htm)"
done

[ "$failures" -eq 0 ] || exit 1
echo "2 help files with their pictures read back"
