#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# One session file has one calculator. A second start on the same session file brings the
# running calculator and its keypad to the front and ends with exit code 0; a running calculator that does
# not answer, or one on another display, is said in one line with exit code 1 and the
# session file is left alone; another session file runs side by side; a calculator killed
# with SIGKILL blocks nobody; a calculator that ends by its Exit button or by SIGTERM leaves
# no files in the lock folders. Usage: single_session_e2e.sh path/to/rpncalc
set -euo pipefail

program=$1
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../lib/e2e_common.sh
source "$here/../lib/e2e_common.sh"

caption="^${RPNCALC_CAPTION:?the window caption}$"
mkdir "$work/a" "$work/b"
# The locks live in the user's runtime folder; one of the test's own.
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR=$work/runtime
cp "$program" "$work/a/rpncalc"
cp "$program" "$work/b/rpncalc"

start_xvfb

# True once process $1 catches SIGTERM (bit 15 of its caught-signals mask): from then on a
# TERM saves and ends it as a session's end does, rather than killing it.
catches_term() {
    local mask
    mask=$(awk '/^SigCgt:/ { print $2 }' "/proc/$1/status" 2>/dev/null) || return 1
    [[ -n $mask ]] && (((16#$mask >> 14) & 1))
}

# Starts the calculator in folder $1 and waits for its window; sets calc_pid and window.
start_calculator() {
    "$work/$1/rpncalc" >"$work/$1.log" 2>&1 &
    calc_pid=$!
    pids+=("$calc_pid")
    wait_until 20 test -s "$work/$1/rpncalc.cfg" || fail "$1: no session file after start-up"
    window=$(timeout 20 xdotool search --sync --onlyvisible --pid "$calc_pid" --name "$caption" |
        head -n 1)
    [[ -n $window ]] || fail "$1: the calculator window did not appear"
}

# Runs a second start in folder $1 with the further environment $2..., for at most 10 s;
# sets second_code and second_err.
second_start() {
    local folder=$1
    shift
    second_code=0
    env "$@" timeout 10 "$work/$folder/rpncalc" >"$work/second.out" 2>"$work/second.err" ||
        second_code=$?
    second_err=$(cat "$work/second.err")
}

start_calculator a
first_pid=$calc_pid
first_window=$window
# Its keypad shown, which comes to the front with it.
main=$first_window
click_control Button1
keypad=$(timeout 10 xdotool search --sync --onlyvisible --pid "$first_pid" --name '^RPN KEYS$' |
    head -n 1)
[[ -n $keypad ]] || fail "the keypad did not appear"

# A window of another program over the calculator and its keypad.
xeyes -geometry 600x600+0+0 >/dev/null 2>&1 &
pids+=($!)
cover=$(timeout 20 xdotool search --sync --onlyvisible --class xeyes | head -n 1)
[[ -n $cover ]] || fail "the covering window did not appear"
for covered in "$first_window" "$keypad"; do
    wait_until 5 "$here/stacked_above.py" "$cover" "$covered" ||
        fail "the covering window is not above the calculator's window $covered"
done

second_start a
[[ $second_code -eq 0 ]] || fail "second start: exit code $second_code ($second_err)"
[[ -z $(xdotool search --all --onlyvisible --pid "$first_pid" --name "$caption" | sed 1d) ]] ||
    fail "second start: a second window"
kill -0 "$first_pid" || fail "second start: the first calculator ended"
wait_until 5 "$here/stacked_above.py" "$first_window" "$cover" ||
    fail "second start: the running calculator was not brought to the front"
wait_until 5 "$here/stacked_above.py" "$keypad" "$cover" ||
    fail "second start: the keypad was not brought to the front"
[[ $(xdotool search --name "$caption" | wc -l) -eq 1 ]] ||
    fail "second start: more than one calculator window"

# A start whose environment names no runtime folder (a terminal without the desktop's
# session) finds the running calculator all the same.
second_start a -u XDG_RUNTIME_DIR
[[ $second_code -eq 0 ]] || fail "no runtime folder: exit code $second_code ($second_err)"
[[ $(xdotool search --name "$caption" | wc -l) -eq 1 ]] ||
    fail "no runtime folder: more than one calculator window"

# The lock folders: the test's runtime folder, and the user's folder under /tmp, which other
# calculators of this user may share.
lock_folders=("$work/runtime" "/tmp/rpncalc-$(id -u)")
# The names of the lock files and channels in the runtime folder.
lock_files() {
    find "$work/runtime" -mindepth 1 -name 'rpncalc-*' -printf '%f\n' | sort
}
# Fails when any of the files named on stdin is left in a lock folder.
none_left() {  # what
    local name folder
    while read -r name; do
        for folder in "${lock_folders[@]}"; do
            [[ ! -e $folder/$name ]] || fail "$1: $folder/$name was left"
        done
    done
}

# Another session file: a calculator of its own, side by side.
first_files=$(lock_files)
start_calculator b
kill -0 "$first_pid" || fail "side by side: the first calculator ended"
second_files=$(comm -13 <(echo "$first_files") <(lock_files))
[[ $(wc -l <<<"$second_files") -eq 2 ]] || fail "side by side: lock files were: $second_files"
wait_until 10 catches_term "$calc_pid" || fail "side by side: SIGTERM is not handled"
kill -TERM "$calc_pid"
wait "$calc_pid" || fail "side by side: the second calculator ended with an error"
none_left "after SIGTERM" <<<"$second_files"
[[ $(lock_files) == "$first_files" ]] || fail "after SIGTERM: the first calculator's files went"

# A calculator that does not answer (stopped): one line, exit code 1, the file untouched.
before=$(sha256sum <"$work/a/rpncalc.cfg")
kill -STOP "$first_pid"
second_start a
kill -CONT "$first_pid"
[[ $second_code -eq 1 ]] || fail "no answer: exit code $second_code, not 1 ($second_err)"
[[ $(wc -l <"$work/second.err") -eq 1 && $second_err == *"does not answer"* ]] ||
    fail "no answer: stderr was: $second_err"
[[ $(sha256sum <"$work/a/rpncalc.cfg") == "$before" ]] || fail "no answer: the session file changed"

# The running calculator is on another display.
other_display=$DISPLAY
start_xvfb
second_display=$DISPLAY
export DISPLAY=$other_display
second_start a DISPLAY="$second_display"
[[ $second_code -eq 1 ]] || fail "other display: exit code $second_code, not 1 ($second_err)"
[[ $(wc -l <"$work/second.err") -eq 1 && $second_err == *"on another display"* ]] ||
    fail "other display: stderr was: $second_err"
[[ $(sha256sum <"$work/a/rpncalc.cfg") == "$before" ]] ||
    fail "other display: the session file changed"

# Killed without a chance to clean up: its lock and channel must not block the next start.
kill -KILL "$first_pid"
wait "$first_pid" 2>/dev/null || true
start_calculator a
second_start a
[[ $second_code -eq 0 ]] || fail "after kill -9: exit code $second_code ($second_err)"
kill -0 "$calc_pid" || fail "after kill -9: the calculator ended"

# Closed by its Exit button: nothing left in either lock folder.
files=$(lock_files)
[[ -n $files ]] || fail "no lock files while a calculator runs"
main=$window
click_control Buttondone
wait "$calc_pid" || fail "Exit: the calculator ended with an error"
none_left "after Exit" <<<"$files"
[[ -z $(lock_files) ]] || fail "after Exit: left in the runtime folder: $(lock_files)"
echo "PASS"
