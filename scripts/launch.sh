#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and starts the calculator.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
# The program alone: the tests and benchmarks are the test command's to build.
RPNCALC_TARGETS=rpncalc "$root/scripts/build.sh"
program="$root/build/rpncalc"
if [[ ! -x $program ]]; then
    echo "launch.sh: the build left no program at $program" >&2
    exit 1
fi
exec "$program"
