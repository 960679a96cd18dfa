#!/usr/bin/env python3
"""Fails when a driver's work grows clearly faster than its input.

instruction_growth.py [--once] DRIVER CASE...

Each case runs under callgrind at scales 0, 1 and 4 (the driver multiplies its own base size by
the scale). The instructions above the empty run must grow at most MAX_RATIO times from scale 1
to scale 4: a linear step grows about 4 times, a quadratic one about 16. Instruction counts do not
depend on the machine's speed or load, so the check is as steady as the code. With --once each case only runs
natively at scale 1: sanitizer builds, which valgrind cannot run, still check the drivers' paths.
"""
import re
import shutil
import subprocess
import sys

MAX_RATIO = 7.0


def instructions(driver, case, scale):
    result = subprocess.run(
        ["valgrind", "--tool=callgrind", "--callgrind-out-file=/dev/null", driver, case, str(scale)],
        stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    if result.returncode != 0:
        sys.exit(f"{case} at scale {scale}: the driver failed ({result.returncode}):\n"
                 f"{result.stdout}{result.stderr}")
    found = re.search(r"Collected\s*:\s*(\d+)", result.stderr)
    if not found:
        sys.exit(f"{case} at scale {scale}: no instruction count from callgrind:\n{result.stderr}")
    return int(found.group(1))


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    if sys.argv[1] == "--once":
        for case in sys.argv[3:]:
            subprocess.run([sys.argv[2], case, "1"], check=True)
        return
    if shutil.which("valgrind") is None:
        sys.exit("valgrind is missing: scripts/bootstrap installs it")
    driver, cases = sys.argv[1], sys.argv[2:]
    failed = []
    for case in cases:
        empty, small, large = (instructions(driver, case, scale) for scale in (0, 1, 4))
        if small <= empty:
            sys.exit(f"{case}: scale 1 costs no more than scale 0 ({small} <= {empty}); nothing was measured")
        ratio = (large - empty) / (small - empty)
        print(f"{case}: {small - empty} instructions at scale 1, {large - empty} at scale 4, ratio {ratio:.2f}")
        if ratio > MAX_RATIO:
            failed.append(case)
    if failed:
        sys.exit(f"superlinear growth (ratio above {MAX_RATIO}): {', '.join(failed)}")


if __name__ == "__main__":
    main()
