#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Exchanges numbers between rpncalc and another program through the real X11 clipboard:
# a result copied with Ctrl+C is read by xclip, and a text offered by xclip is taken by the
# Paste button as the number it starts with. Usage: clipboard_e2e.sh path/to/rpncalc
set -euo pipefail

program=$1
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../lib/e2e_common.sh
source "$here/../lib/e2e_common.sh"

# The program keeps its session file beside itself: run a copy in a folder of its own.
cp "$program" "$work/rpncalc"

# A server of our own on a free display, no window manager.
start_xvfb

start_calculator
[[ -f $work/rpncalc.cfg ]] || fail "no session file after start-up"
xdotool windowfocus --sync "$main"

clipboard_text() {
    xclip -o -selection clipboard 2>/dev/null || true
}

# 6 Enter 7 * gives 42; Ctrl+C copies the display text of X.
xdotool type --delay 50 '6'
xdotool key --delay 50 Return
xdotool type --delay 50 '7*'
xdotool key --delay 50 ctrl+c
for _ in $(seq 50); do
    [[ $(clipboard_text) == 42 ]] && break
    sleep 0.1
done
[[ $(clipboard_text) == 42 ]] || fail "clipboard holds '$(clipboard_text)' after Ctrl+C, not 42"

# Another program offers "12.5 kg"; Paste takes 12.5 and lifts 42 into Y.
printf '12.5 kg' >"$work/offer.txt"
xclip -quiet -selection clipboard -i "$work/offer.txt" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do
    [[ $(clipboard_text) == '12.5 kg' ]] && break
    sleep 0.1
done
click_control ButtonPaste

# Copy the pasted X back out through the Copy button.
click_control ButtonCOPY
for _ in $(seq 50); do
    [[ $(clipboard_text) == 12.5 ]] && break
    sleep 0.1
done
[[ $(clipboard_text) == 12.5 ]] || fail "clipboard holds '$(clipboard_text)' after Paste and Copy, not 12.5"

# Close the window as a window manager asks it to, and read the saved stack.
# Debian's own interpreter, which has python3-xlib.
/usr/bin/python3 "$here/close_window.py" "$main"
for _ in $(seq 50); do
    kill -0 "$calc_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$calc_pid" 2>/dev/null && fail "the calculator did not close"
mapfile -t lines < <(tr -d '\r ' <"$work/rpncalc.cfg")
[[ ${lines[0]} == 1.25000000000000E+0001 ]] || fail "session X is '${lines[0]}', not 12.5"
[[ ${lines[1]} == 4.20000000000000E+0001 ]] || fail "session Y is '${lines[1]}', not 42"
echo "PASS"
