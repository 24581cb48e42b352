#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Holds keys down on a real X server that auto-repeats them, as a user does: Down rolls the
# stack once, Page Down changes the sign once, Alt+X exchanges X and Y once, however long
# each is held, also with the machine busy; an Alt combination without a command types
# nothing. Usage: held_key_e2e.sh path/to/rpncalc
set -euo pipefail

program=$1
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../lib/e2e_common.sh
source "$here/../lib/e2e_common.sh"

cp "$program" "$work/rpncalc"
session=$work/rpncalc.cfg
start_xvfb

# Repeats start 200 ms after the press, 30 a second: a 1.5 s hold sends about 40.
xset r on
xset r rate 200 30
xset q | grep -q "auto repeat:  on" || fail "the X server does not auto-repeat keys"

number() {  # n: the session file's form of a small whole number, a space where no sign is
    local sign=' '
    [[ $1 == -* ]] && sign=-
    printf '%s%d.00000000000000E+0000' "$sign" "${1#-}"
}

session_line() {
    sed -n "${1}p" "$session" | tr -d '\r'
}

hold() {  # key seconds
    xdotool keydown "$1"
    sleep "$2"
    xdotool keyup "$1"
}

run() {  # idle|busy
    local zero
    zero=$(number 0)
    # X = 1, Y = 2, Z = 3, T = 4.
    printf '%s\r\n' "$(number 1)" "$(number 2)" "$(number 3)" "$(number 4)" 0 0 "$zero" 0 0 \
        >"$session"
    start_calculator
    xdotool windowfocus --sync "$main"

    local load=()
    if [[ $1 == busy ]]; then
        for _ in 1 2 3; do
            (while :; do :; done) &
            load+=($!)
        done
        pids+=("${load[@]}")
    fi
    hold Down 1.5   # X = 2, Y = 3, Z = 4, T = 1
    hold Next 1.5   # X = -2
    hold alt+x 1    # X = 3, Y = -2
    xdotool key alt+j
    for pid in "${load[@]}"; do
        kill "$pid"
    done

    /usr/bin/python3 "$here/close_window.py" "$main"
    wait_until 10 eval '! kill -0 "$calc_pid" 2>/dev/null' || fail "$1: the program did not end"
    local line=1 expected
    for expected in 3 -2 4 1; do
        [[ $(session_line $line) == "$(number $expected)" ]] ||
            fail "$1: register $line is '$(session_line $line)', not $expected (stack: $(head -n 4 "$session" | tr -d '\r' | tr '\n' ' '))"
        line=$((line + 1))
    done
}

run idle
run busy
echo "held keys: one command each, idle and busy"
