#!/usr/bin/env bash
# Runs the stand-in's automatic export on hostile node lists (hostile_documents.py makes them) and
# checks each run: the host survives, the log says what happened, the help file holds every
# article, the build leaves nothing in the temporary folders and touches no file but its output.
# Usage: hostile_documents.sh <TessalyHost.exe> <wine-run script> [CASE ...]
set -uo pipefail

host="$(realpath "$1")"
wine_run="$(realpath "$2")"
shift 2
generator="$(dirname "$(realpath "$0")")/hostile_documents.py"
for tool in chmls 7z python3; do
  command -v "$tool" >/dev/null || { echo "missing tool: $tool"; exit 1; }
done
# Drive C: of the prefix the emulator runs in, for its temporary folders.
drive_c="$(realpath "$("$wine_run" winepath -u 'C:\' | tr -d '\r')")"
[ -d "$drive_c/users" ] || { echo "no drive C: of the emulator's prefix at $drive_c"; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/docs" "$work/out/sentinel" "$work/cwd" "$work/logs"
python3 "$generator" generate "$work/docs" || exit 1
work_windows="$("$wine_run" winepath -w "$work" | tr -d '\r')"
# Beside the output and in the host's current folder: names the build uses for its own files.
for name in keep.txt content.hhc project.hhp file0.htm Picture_0.bmp; do
  echo "sentinel $name" >"$work/out/sentinel/$name"
  echo "sentinel $name" >"$work/cwd/$name"
done
touch -d '2001-01-01 00:00' "$work/out/sentinel"/* "$work/cwd"/*

failures=0
fail() { echo "FAIL [$case_name]: $*"; failures=$((failures + 1)); }

# What is in the prefix's temporary folders, one path a line.
temp_listing() {
  find "$drive_c"/users/*/Temp "$drive_c/windows/temp" -mindepth 1 2>/dev/null | sort
}
# Every file the build must leave alone, with its size, time and digest: the documents, the folders
# beside the output and current for the host, and the installed programs.
untouched_listing() {
  local places=("$work/docs" "$work/out/sentinel" "$work/cwd" "$(dirname "$host")")
  find "${places[@]}" -printf '%p %s %T@\n' | sort
  find "${places[@]}" -type f -exec md5sum {} + | sort
}

started=$SECONDS
while read -r case_name switches; do
  if [ $# -gt 0 ] && ! printf '%s\n' "$@" | grep -qx -- "$case_name"; then continue; fi
  failures_before=$failures
  temp_listing >"$work/temp-before"
  untouched_listing >"$work/untouched-before"
  case_started=$SECONDS
  # shellcheck disable=SC2086
  (cd "$work/cwd" && "$wine_run" "$host" "$work_windows\\docs\\$case_name.nodes" --export document \
    --out "$work_windows\\out\\$case_name.chm" $switches --timeout 600 >"$work/logs/$case_name.log" 2>&1 </dev/null)
  status=$?
  # The help file the build opens is not this test's to keep open.
  "$wine_run" taskkill /IM hh.exe /F >/dev/null 2>&1
  echo "$case_name: $((SECONDS - case_started)) s"

  # 1. The host survives, and its console holds the plug-in's log.
  [ "$status" -eq 0 ] || fail "exit status $status"
  grep -q '^Log: Start creation CHM-file to ' "$work/logs/$case_name.log" || fail "no log from the plug-in"

  # 2 and 5. The log says what happened; the help file holds every article, or the log names it.
  chm="$work/out/$case_name.chm"
  rm -rf "$work/files" "$work/system"
  if [ -f "$chm" ]; then
    7z x -y -o"$work/files" "$chm" >/dev/null || fail "7-Zip cannot read the help file"
    chmls printsystem "$chm" >"$work/system" 2>&1 || fail "chmls cannot read the help file"
  else
    fail "no help file"
  fi
  python3 "$generator" check "$case_name" "$work/logs/$case_name.log" "$work/files" "$work/system" >"$work/check" 2>&1 ||
    { fail "the checks found faults"; while read -r line; do fail "$line"; done <"$work/check"; }

  # 3. Nothing of the build stays in the temporary folders.
  temp_listing | comm -13 "$work/temp-before" - >"$work/temp-left"
  [ -s "$work/temp-left" ] && fail "left in the temporary folders: $(head -c 600 "$work/temp-left" | tr '\n' ' ')"

  # 4. No file but the output is touched.
  untouched_listing | diff "$work/untouched-before" - >"$work/touched" ||
    fail "touched: $(head -c 600 "$work/touched" | tr '\n' ' ')"

  rm -f "$chm"
  [ "$failures" -gt "$failures_before" ] && { head -c 3000 "$work/logs/$case_name.log"; echo; }
done <"$work/docs/cases.txt"

echo "hostile documents: $((SECONDS - started)) s"
[ "$failures" -eq 0 ] && echo "hostile documents: all checks passed"
exit $((failures > 0))
