#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Closes the real program as early as a window manager can: the moment its window exists,
# before or while it is mapped. Every run must end within seconds and keep the session that
# the start loaded. Usage: early_close_e2e.sh path/to/rpncalc [runs]
set -euo pipefail

program=$1
runs=${2:-10}
here=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=../lib/e2e_common.sh
source "$here/lib/e2e_common.sh"

cp "$program" "$work/rpncalc"

start_xvfb

session=$' 5.00000000000000E+0000\r\n 6.00000000000000E+0000\r\n0\r\n0\r\n10\r\n20\r\n0\r\n300\r\n20\r\n'
for run in $(seq "$runs"); do
    printf '%s' "$session" >"$work/rpncalc.cfg"
    "$work/rpncalc" >"$work/rpncalc.log" 2>&1 &
    calc_pid=$!
    pids+=("$calc_pid")
    # Not --onlyvisible: the window as soon as it has its title.
    window=$(timeout 20 xdotool search --sync --name "^${RPNCALC_CAPTION:?the window caption}$" | head -n 1)
    [[ -n $window ]] || fail "run $run: the calculator window did not appear"
    /usr/bin/python3 "$here/entry_ui/close_window.py" "$window"
    for _ in $(seq 50); do
        kill -0 "$calc_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$calc_pid" 2>/dev/null && fail "run $run: the close request was ignored"
    mapfile -t lines < <(tr -d '\r ' <"$work/rpncalc.cfg")
    [[ ${lines[0]} == 5.00000000000000E+0000 && ${lines[1]} == 6.00000000000000E+0000 ]] ||
        fail "run $run: the session holds X '${lines[0]}', Y '${lines[1]}', not 5 and 6"
done
echo "PASS"
