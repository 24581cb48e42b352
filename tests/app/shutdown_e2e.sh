#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Ends the real program as a session's end does, and reads the session file it leaves: each of
# SIGTERM, SIGHUP and SIGINT, and then the X server going away, must save the stack (with the
# X entry not yet committed) before the program ends; so must a signal while the window waits
# on an X server that does not answer, and one while the start-up's error box waits; an X
# entry beyond the register's range must cost only itself. A SIGPIPE, sent or met writing to
# a stderr nobody reads, must not end it. Usage: shutdown_e2e.sh path/to/rpncalc
set -euo pipefail

program=$1
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../lib/e2e_common.sh
source "$here/../lib/e2e_common.sh"

# The program keeps its session file beside itself: run a copy in a folder of its own.
cp "$program" "$work/rpncalc"

start_xvfb

# Types $1 into the focused window and waits until the entry reads $2. A signal overtakes key
# events still queued, so the program must have taken them first: Ctrl+C shows the entry (it
# copies it and leaves it as it is).
type_entry() {
    xdotool type --delay 50 "$1"
    xdotool key --delay 50 ctrl+c
    for _ in $(seq 50); do
        [[ $(timeout 5 xclip -o -selection clipboard 2>/dev/null) == "$2" ]] && return 0
        sleep 0.1
    done
    fail "the entry $2 did not arrive"
}

# Starts the calculator, types 6 Enter and leaves $1 (7 when not given) as an entry; sets
# calc_pid. Further arguments go to default_pipe_start.py before the program: SIGPIPE is
# always at its default action there.
start_with_an_entry() {
    local entry=${1:-7}
    rm -f "$work/rpncalc.cfg"
    "$here/default_pipe_start.py" "${@:2}" "$work/rpncalc" >"$work/rpncalc.log" 2>&1 &
    calc_pid=$!
    pids+=("$calc_pid")
    local window
    window=$(timeout 20 xdotool search --sync --onlyvisible --name "^${RPNCALC_CAPTION:?the window caption}$" | head -n 1)
    [[ -n $window ]] || fail "the calculator window did not appear"
    xdotool windowfocus --sync "$window"
    xdotool type --delay 50 '6'
    xdotool key --delay 50 Return
    type_entry "$entry" "$entry"
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

# $2: the X that the file must hold (7 when not given).
expect_saved_entry() {
    local x=${2:-7}
    [[ -f $work/rpncalc.cfg ]] || fail "$1: no session file"
    mapfile -t lines < <(tr -d '\r ' <"$work/rpncalc.cfg")
    [[ ${#lines[@]} == 9 ]] || fail "$1: the session file has ${#lines[@]} lines"
    [[ ${lines[0]} == "$x.00000000000000E+0000" ]] || fail "$1: session X is '${lines[0]}', not $x"
    [[ ${lines[1]} == 6.00000000000000E+0000 ]] || fail "$1: session Y is '${lines[1]}', not 6"
}

for signal in TERM HUP INT; do
    start_with_an_entry
    kill -s "$signal" "$calc_pid"
    wait_for_end "SIG$signal"
    [[ $exit_code == 0 ]] || fail "SIG$signal: exit code $exit_code"
    expect_saved_entry "SIG$signal"
done

# A SIGPIPE from outside changes nothing: the calculator goes on with its entry, and its end
# saves as ever.
start_with_an_entry 7
kill -s PIPE "$calc_pid"
xdotool key --delay 50 BackSpace
type_entry 5 5
kill -s TERM "$calc_pid"
wait_for_end "SIGPIPE"
[[ $exit_code == 0 ]] || fail "SIGPIPE: exit code $exit_code"
expect_saved_entry "SIGPIPE" 5

# A stderr whose reader has gone (a terminal closed, a log reader ended), with the toolkit
# writing its debug messages there from the first moment: the writes fail, and the program
# starts, saves and ends as ever.
QT_LOGGING_RULES='*.debug=true' start_with_an_entry 7 --closed-stderr
kill -s TERM "$calc_pid"
wait_for_end "closed stderr"
[[ $exit_code == 0 ]] || fail "closed stderr: exit code $exit_code"
expect_saved_entry "closed stderr"

# An entry beyond the register's range is dropped as one that does not convert: the file keeps
# the last committed X (the 6 that Enter pushed) and the rest of the stack.
for entry in 1e4933 1e5000; do
    start_with_an_entry "$entry"
    kill -s TERM "$calc_pid"
    wait_for_end "entry $entry"
    [[ $exit_code == 0 ]] || fail "entry $entry: exit code $exit_code"
    expect_saved_entry "entry $entry" 6
done

# A session file that is no session (larger than any the program writes) holds the first
# showing in its error box: a logout there ends the program as anywhere else, with exit code
# 0, rather than by the signal's own default action.
head -c 70000 /dev/zero | tr '\0' ' ' >"$work/rpncalc.cfg"
"$work/rpncalc" >"$work/rpncalc.log" 2>&1 &
calc_pid=$!
pids+=("$calc_pid")
timeout 20 xdotool search --sync --onlyvisible --name '^Error$' >/dev/null ||
    fail "start-up box: the error box did not appear"
kill -s TERM "$calc_pid"
wait_for_end "start-up box"
[[ $exit_code == 0 ]] || fail "start-up box: exit code $exit_code"
# The start-up's own save may have replaced the file before the end: then with a whole session.
if [[ $(stat -c %s "$work/rpncalc.cfg") != 70000 ]]; then
    [[ $(wc -l <"$work/rpncalc.cfg") == 9 ]] || fail "start-up box: the session file is damaged"
fi

# A window stuck in a round trip to an X server that no longer answers: the server is stopped,
# and the signal's close step, which asks the server where the windows stand, waits on it.
start_with_an_entry
kill -s STOP "$xvfb_pid"
kill -s TERM "$calc_pid"
ended=0
wait_until 5 eval '! kill -0 "$calc_pid" 2>/dev/null' && ended=1
kill -s CONT "$xvfb_pid"
((ended)) || fail "blocked window: the calculator did not end"
exit_code=0
wait "$calc_pid" || exit_code=$?
[[ $exit_code == 0 ]] || fail "blocked window: exit code $exit_code"
expect_saved_entry "blocked window"

# The display goes away, as at a logout: the toolkit ends the program, which saves first.
start_with_an_entry
kill -s TERM "$xvfb_pid"
wait_for_end "display lost"
expect_saved_entry "display lost"
echo "PASS"
