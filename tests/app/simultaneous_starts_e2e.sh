#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Three starts on one session file at the same moment, twenty times over: each time one
# calculator runs, and the other two bring it forward and end with exit code 0, however far
# the winner has got with its start when they ask. Usage: simultaneous_starts_e2e.sh rpncalc
set -euo pipefail

program=$1
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../lib/e2e_common.sh
source "$here/../lib/e2e_common.sh"

rounds=${ROUNDS:-20}
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR=$work/runtime
cp "$program" "$work/rpncalc"
start_xvfb

# True once process $1 catches SIGTERM (bit 15 of its caught-signals mask).
catches_term() {
    local mask
    mask=$(awk '/^SigCgt:/ { print $2 }' "/proc/$1/status" 2>/dev/null) || return 1
    [[ -n $mask ]] && (((16#$mask >> 14) & 1))
}

for ((round = 1; round <= rounds; round++)); do
    starts=()
    for n in 1 2 3; do
        "$work/rpncalc" >"$work/start$n.log" 2>&1 &
        starts+=($!)
    done
    # A guard, so that a round in which two calculators run fails instead of waiting forever.
    sleep 30 &
    guard=$!
    running=("${starts[@]}")
    for _ in 1 2; do
        code=0
        wait -n -p pid "${running[@]}" "$guard" || code=$?
        [[ $pid != "$guard" ]] || fail "round $round: fewer than two starts ended within 30 s"
        [[ $code -eq 0 ]] ||
            fail "round $round: a start ended with exit code $code: $(cat "$work"/start*.log)"
        for i in "${!running[@]}"; do
            [[ ${running[i]} != "$pid" ]] || unset 'running[i]'
        done
        running=("${running[@]}")
    done
    kill "$guard"
    wait "$guard" 2>/dev/null || true
    winner=${running[0]}
    kill -0 "$winner" || fail "round $round: no calculator runs"
    wait_until 20 catches_term "$winner" || fail "round $round: the winner does not handle SIGTERM"
    kill -TERM "$winner"
    code=0
    wait "$winner" || code=$?
    [[ $code -eq 0 ]] || fail "round $round: the winner ended with exit code $code"
done
echo "PASS: $rounds rounds"
