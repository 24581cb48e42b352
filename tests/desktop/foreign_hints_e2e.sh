#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Another X client writes size hints that fix the calculator's window at 7160 by 19522, as
# any program on the display may: the window keeps its designed size and its place, its hints
# come back, and its peak memory stays far below what a window of that size would take. Under
# a window manager the calculator is also stopped while the manager follows the garbage, and
# must put itself back once it goes on; with none, the other client resizes the window itself.
# Usage: foreign_hints_e2e.sh path/to/rpncalc openbox|xfwm4|icewm|fluxbox|none
set -euo pipefail

program=$1
window_manager=$2
here=$(cd "$(dirname "$0")" && pwd)
probe() { /usr/bin/python3 "$here/x11_probe.py" "$@"; }
# shellcheck source=../lib/e2e_common.sh
source "$here/../lib/e2e_common.sh"

start_xvfb
if [[ $window_manager != none ]]; then
    start_window_manager "$window_manager"
fi
cp "$program" "$work/rpncalc"
# The frame away from the screen's corner, where a manager puts a window it blows up.
zero=0.00000000000000E+0000
printf '%s\r\n' "$zero" "$zero" "$zero" "$zero" 150 200 "$zero" 300 20 >"$work/rpncalc.cfg"
start_calculator
wait_until 10 eval '[[ $(probe frame "$main") == "200 150" ]]' ||
    fail "the frame did not reach its place: $(probe frame "$main")"
read -r width height < <(probe size "$main")
outer=$(probe outer "$main")

# The designed size, its hints and the frame's place, all back.
whole() {
    [[ $(probe minmax "$main") == "$width $height $width $height" &&
        $(probe size "$main") == "$width $height" && $(probe outer "$main") == "$outer" ]]
}
expect_whole() {
    wait_until 10 whole || fail "$1: the window is $(probe size "$main") at $(probe outer "$main")" \
        "with hints $(probe minmax "$main"), not $width $height at $outer"
}

probe fixhints "$main" 7160 19522
expect_whole "hints written"

if [[ $window_manager != none ]]; then
    kill -s STOP "$calc_pid"
    probe fixhints "$main" 7160 19522
    followed=0
    # Some managers follow new hints only when the window next changes; this one must.
    wait_until 10 eval '[[ $(probe size "$main") == "7160 19522" ]]' && followed=1
    kill -s CONT "$calc_pid"
    ((followed)) || fail "$window_manager did not follow the hints, so this checks nothing"
    expect_whole "hints followed while the calculator was stopped"
else
    xdotool windowsize "$main" 7160 19522
    expect_whole "resized by another client"
fi

# A window of 7160 by 19522 takes more than 500 MiB to paint.
peak=$(awk '/^VmHWM:/ { print $2 }' "/proc/$calc_pid/status")
((peak < 200 * 1024)) || fail "the peak memory reached $peak kB"
echo "PASS"
