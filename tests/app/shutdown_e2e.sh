#!/usr/bin/env bash
# Ends the real program as a session's end does, and reads the session file it leaves: each of
# SIGTERM, SIGHUP and SIGINT, and then the X server going away, must save the stack (with the
# X entry not yet committed) before the program ends. Usage: shutdown_e2e.sh path/to/rpncalc
set -euo pipefail

program=$1
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../lib/e2e_common.sh
source "$here/../lib/e2e_common.sh"

# The program keeps its session file beside itself: run a copy in a folder of its own.
cp "$program" "$work/rpncalc"

start_xvfb

# Starts the calculator, types 6 Enter 7 and leaves the 7 as an entry; sets calc_pid.
start_with_an_entry() {
    rm -f "$work/rpncalc.cfg"
    "$work/rpncalc" >"$work/rpncalc.log" 2>&1 &
    calc_pid=$!
    pids+=("$calc_pid")
    local window
    window=$(timeout 20 xdotool search --sync --onlyvisible --name "^${RPNCALC_CAPTION:?the window caption}$" | head -n 1)
    [[ -n $window ]] || fail "the calculator window did not appear"
    xdotool windowfocus --sync "$window"
    xdotool type --delay 50 '6'
    xdotool key --delay 50 Return
    xdotool type --delay 50 '7'
    # A signal overtakes key events still queued: wait until the program has taken the 7,
    # as Ctrl+C shows (it copies the entry and leaves it as it is).
    xdotool key --delay 50 ctrl+c
    for _ in $(seq 50); do
        [[ $(timeout 5 xclip -o -selection clipboard 2>/dev/null) == 7 ]] && return 0
        sleep 0.1
    done
    fail "the entry 7 did not arrive"
}

# Waits up to 10 s for the calculator to end and sets exit_code.
wait_for_end() {
    for _ in $(seq 100); do
        kill -0 "$calc_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$calc_pid" 2>/dev/null && fail "$1: the calculator did not end"
    exit_code=0
    wait "$calc_pid" || exit_code=$?
}

expect_saved_entry() {
    [[ -f $work/rpncalc.cfg ]] || fail "$1: no session file"
    mapfile -t lines < <(tr -d '\r ' <"$work/rpncalc.cfg")
    [[ ${#lines[@]} == 9 ]] || fail "$1: the session file has ${#lines[@]} lines"
    [[ ${lines[0]} == 7.00000000000000E+0000 ]] || fail "$1: session X is '${lines[0]}', not 7"
    [[ ${lines[1]} == 6.00000000000000E+0000 ]] || fail "$1: session Y is '${lines[1]}', not 6"
}

for signal in TERM HUP INT; do
    start_with_an_entry
    kill -s "$signal" "$calc_pid"
    wait_for_end "SIG$signal"
    [[ $exit_code == 0 ]] || fail "SIG$signal: exit code $exit_code"
    expect_saved_entry "SIG$signal"
done

# The display goes away, as at a logout: the toolkit ends the program, which saves first.
start_with_an_entry
kill -s TERM "$xvfb_pid"
wait_for_end "display lost"
expect_saved_entry "display lost"
echo "PASS"
