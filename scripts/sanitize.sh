#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the rule libraries and their tests with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer, runs those tests, then runs every fuzz target for a bounded
# time from its seed corpus. FUZZ_SECONDS sets the time per target.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-sanitize"
seconds=${FUZZ_SECONDS:-20}

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DRPNCALC_BUILD_UI=OFF -DRPNCALC_FUZZ=ON >/dev/null
cmake --build "$build" -j "$(nproc)"
(cd "$build" && ctest --output-on-failure -j "$(nproc)")

export ASAN_OPTIONS=detect_leaks=1
for target in $(find "$build" -maxdepth 1 -type f -executable -name "fuzz_*" | sort); do
    name=$(basename "$target")
    corpus="$root/tests/fuzz/corpus/${name#fuzz_}"
    work=$(mktemp -d)
    echo "fuzzing $name for ${seconds}s"
    status=0
    "$target" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$build/$name-" \
        "$work" "$corpus" >"$build/$name.log" 2>&1 || status=$?
    grep -E '^(stat::number_of_executed_units|SUMMARY)' "$build/$name.log" || true
    rm -rf "$work"
    if [[ $status -ne 0 ]]; then
        tail -40 "$build/$name.log" >&2
        echo "$name found a fault; the input is in $build/$name-*" >&2
        exit 1
    fi
done
