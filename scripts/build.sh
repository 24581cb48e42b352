#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures and builds rpncalc into build/; arguments go to the configure step
# (-DRPNCALC_BUILD_BENCH=ON, ...). With RPNCALC_TARGETS set (e.g. "rpncalc"), builds only
# those targets and what they need.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
targets=()
for target in ${RPNCALC_TARGETS:-}; do
    targets+=(--target "$target")
done
cmake --build "$root/build" -j "$(nproc)" "${targets[@]}"
