#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The window benchmark in one command: installs what is missing, builds the program and the
# toolkit's floor, and measures them against each other under an Xvfb of their own (started on
# a free display by run_bench.py). Arguments go to run_bench.py (--rounds N, --json FILE, ...).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" -DRPNCALC_BUILD_BENCH=ON
# Debian's python3-xlib belongs to the system interpreter, whatever python3 the PATH finds.
exec /usr/bin/python3 "$root/bench/run_bench.py" "$@"
