#!/usr/bin/env bash
# Runs the build whose first article outgrows the size that every file of the process may have,
# as on a full disk, so that writing the open article fails part-way.
# Usage: size_limited_build.sh <export_driver_tests.exe> <wine-run script>
set -euo pipefail

limit_kb=4096
# With the signal ignored, a write past the limit fails instead of ending the process.
trap '' XFSZ
ulimit -f "$limit_kb"
T2C_FILE_SIZE_LIMIT=$((limit_kb * 1024)) exec "$2" "$1" --gtest_brief=1 --gtest_filter='*WriteErrorPartWay*'
