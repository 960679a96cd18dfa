# Sourced by shell tests: reads files back out of a help file with the Debian CHM readers that
# have a command line (7-Zip, chmlib, Free Pascal's chmls, pychm) and compares them byte for byte.

# chm_read_back CHM FOLDER NAME...: each NAME, stored under that name, must equal FOLDER/NAME
# (or FOLDER/NAME's stand-in given as NAME=PATH) for every reader. Prints one line per mismatch
# and returns the number of mismatches.
chm_read_back() {
  local chm="$1" folder="$2" mismatches=0 entry name source extracted
  shift 2
  extracted="$(mktemp -d)"
  extract_chmLib "$chm" "$extracted/chmlib" >/dev/null 2>&1
  for entry in "$@"; do
    name="${entry%%=*}"
    source="$folder/$name"
    [ "$entry" != "$name" ] && source="${entry#*=}"
    7zz x -so "$chm" "$name" 2>/dev/null | cmp -s - "$source" || { echo "7-Zip reads $name otherwise"; mismatches=$((mismatches + 1)); }
    cmp -s "$extracted/chmlib/$name" "$source" || { echo "chmlib reads $name otherwise"; mismatches=$((mismatches + 1)); }
    (cd "$extracted" && chmls extract "$chm" "/$name" chmls.out >/dev/null 2>&1)
    cmp -s "$extracted/chmls.out" "$source" || { echo "chmls reads $name otherwise"; mismatches=$((mismatches + 1)); }
    rm -f "$extracted/chmls.out"
    /usr/bin/python3 -c '
import os, sys
from chm import chmlib
f = chmlib.chm_open(os.fsencode(sys.argv[1]))
status, ui = chmlib.chm_resolve_object(f, b"/" + os.fsencode(sys.argv[2]))
size, data = chmlib.chm_retrieve_object(f, ui, 0, ui.length) if status == chmlib.CHM_RESOLVE_SUCCESS else (0, b"")
sys.stdout.buffer.write(data)' "$chm" "$name" 2>/dev/null | cmp -s - "$source" ||
      { echo "pychm reads $name otherwise"; mismatches=$((mismatches + 1)); }
  done
  rm -rf "$extracted"
  return "$mismatches"
}
