#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The keypad under a real window manager: it never takes the keyboard, so that no keystroke
# meant for X lands in it (after Back and Top, a workspace switch, another program's window
# closing), and has no place in a taskbar or pager; it is back after a workspace round trip;
# it stays above ordinary windows and above the main window, after Back and Top
# too; no minimise is offered; it is one window for the whole run, which one Keys click brings
# back even after it was minimised.
# Usage: keypad_focus_e2e.sh path/to/rpncalc [openbox|xfwm4|icewm|fluxbox|metacity|marco]
set -euo pipefail

program=$1
window_manager=${2:-openbox}
here=$(cd "$(dirname "$0")" && pwd)
probe() { /usr/bin/python3 "$here/x11_probe.py" "$@"; }
keypad_probe() { /usr/bin/python3 "$here/keypad_probe.py" "$@"; }
# shellcheck source=../lib/e2e_common.sh
source "$here/../lib/e2e_common.sh"

cp "$program" "$work/rpncalc"
session=$work/rpncalc.cfg

# Main window at left 200, top 100; keypad at left 300, top 240, clear of the buttons clicked.
write_session() {
    local zero=0.00000000000000E+0000
    printf '%s\r\n' "$zero" "$zero" "$zero" "$zero" 100 200 "$zero" 240 300 >"$session"
}

session_line() {
    sed -n "${1}p" "$session" | tr -d '\r '
}

start_afresh() {
    write_session
    start_calculator
    wait_until 5 has_keyboard "$main" || fail "the main window did not get the keyboard"
}

close_calculator() {
    /usr/bin/python3 "$here/../entry_ui/close_window.py" "$main"
    wait_until 5 eval '! kill -0 "$calc_pid" 2>/dev/null' || fail "the program did not end"
}

has_keyboard() {
    [[ $(probe focus) == "$1" ]]
}

click_keys() { click_control Button1; }
click_back_top() { click_control Buttontop; }

keypad=
show_keypad() {
    click_keys
    keypad=$(timeout 10 xdotool search --sync --onlyvisible --name '^RPN KEYS$' | head -n 1)
    [[ -n $keypad ]] || fail "the keypad window did not appear"
    # Two windows and no more: a control that became a native window of its own would be
    # drawn, focused and stacked apart from its window.
    local shown
    shown=$(xdotool search --onlyvisible --pid "$calc_pid" | wc -l)
    ((shown == 2)) || fail "$shown windows shown by the calculator with its keypad, not 2"
    # A tool window of the calculator: no button in a taskbar, no place in a pager.
    wait_until 5 off_taskbar "$keypad" ||
        fail "the keypad is not kept off the taskbar and pager: $(probe states "$keypad")"
}

off_taskbar() {
    local states
    states=$(probe states "$1")
    [[ $states == *_NET_WM_STATE_SKIP_TASKBAR* && $states == *_NET_WM_STATE_SKIP_PAGER* ]]
}

is_viewable() {
    [[ $(keypad_probe viewable "$1") == 1 ]]
}

# What the calculator saved of X and Y after it closed: both must be 7.
expect_seven() {
    close_calculator
    local seven=7.00000000000000E+0000
    [[ $(session_line 1) == "$seven" ]] || fail "$1: X is '$(session_line 1)', not 7"
    [[ $(session_line 2) == "$seven" ]] || fail "$1: Y is '$(session_line 2)', not 7"
}

main_above() {  # 1 or 0: the main window's stay-on-top state as the window manager has it
    [[ $(probe above "$main") == "$1" ]]
}

# Whether `upper` stands above `lower` on the screen: in the X server's own stacking order,
# since some managers (fluxbox) keep their stacking list in another order than the screen's.
stands_above() {  # upper lower
    [[ $(probe over "$1" "$2") == 1 ]]
}

other_window=
other_pid=
open_other_window() {
    /usr/bin/python3 "$here/plain_window.py" "other program" 250 200 &
    other_pid=$!
    pids+=("$other_pid")
    other_window=$(timeout 10 xdotool search --sync --onlyvisible --name '^other program$' |
        head -n 1)
    [[ -n $other_window ]] || fail "the other program's window did not appear"
}

start_xvfb
start_window_manager "$window_manager"

# An entry in progress, Keys, then Back (and Back then Top): the next number typed is a new
# one, not the old entry with more digits.
for levels in "Back" "Back Top"; do
    start_afresh
    xdotool type 3.5
    show_keypad
    [[ $(keypad_probe input "$keypad") == 0 ]] || fail "the keypad's hints let it take the keyboard"
    for level in $levels; do
        click_back_top
        if [[ $level == Back ]]; then
            wait_until 5 main_above 0 || fail "$level did not take the main window off the top"
        else
            wait_until 5 main_above 1 || fail "$level did not put the main window on top"
        fi
    done
    wait_until 5 has_keyboard "$main" || fail "after $levels the keyboard is on $(probe focus)"
    wait_until 5 stands_above "$keypad" "$main" ||
        fail "after $levels the keypad is below the main window: $(probe stacking)"
    xdotool type 7
    xdotool key Return
    expect_seven "3.5, Keys, $levels, 7 Enter"
done

# Another workspace and back, with the keypad open.
start_afresh
xdotool type 3.5
show_keypad
xdotool set_desktop 1
wait_until 5 eval '[[ $(keypad_probe desktop) == 1 ]]' || fail "no second workspace"
xdotool set_desktop 0
wait_until 5 eval '[[ $(keypad_probe desktop) == 0 ]]' || fail "not back on the first workspace"
wait_until 5 has_keyboard "$main" || fail "after the workspace switch the keyboard is on $(probe focus)"
# Another workspace is not a minimise (fluxbox marks the windows there iconic all the same).
wait_until 5 is_viewable "$keypad" || fail "the keypad did not come back with its workspace"
xdotool type 7
xdotool key Return
expect_seven "workspace switch"

# Another program's window takes the keyboard and closes; after Back the keypad stays above it
# while it is up.
start_afresh
xdotool type 3.5
show_keypad
click_back_top
wait_until 5 main_above 0 || fail "Back did not take the main window off the top"
open_other_window
xdotool windowactivate "$other_window"
wait_until 5 has_keyboard "$other_window" || fail "the other window did not get the keyboard"
wait_until 5 stands_above "$other_window" "$main" ||
    fail "the other window is not above the main window after Back: $(probe stacking)"
wait_until 5 stands_above "$keypad" "$other_window" ||
    fail "the keypad is below another program's window after Back: $(probe stacking)"
# Top again: the main window above the other window, the keypad above both, where it stood.
keypad_frame=$(probe frame "$keypad")
click_back_top
wait_until 5 main_above 1 || fail "Top did not put the main window on top"
wait_until 5 stands_above "$main" "$other_window" ||
    fail "the main window is below another program's window after Top: $(probe stacking)"
wait_until 5 stands_above "$keypad" "$main" ||
    fail "the keypad is below the main window after Back and Top: $(probe stacking)"
wait_until 5 eval '[[ $(probe frame "$keypad") == "$keypad_frame" ]]' ||
    fail "the keypad moved from $keypad_frame to $(probe frame "$keypad") at Top"
/usr/bin/python3 "$here/../entry_ui/close_window.py" "$other_window"
wait_until 5 eval '! kill -0 "$other_pid" 2>/dev/null' || fail "the other window did not close"
# The window manager hands the keyboard on by itself: to the main window, never to the keypad.
wait_until 5 has_keyboard "$main" || fail "after the other window closed the keyboard is on $(probe focus)"
xdotool type 7
xdotool key Return
expect_seven "another window closed"

# Back first, then Keys: the keypad comes up above another program's window all the same.
start_calculator
click_back_top
wait_until 5 main_above 0 || fail "Back did not take the main window off the top"
open_other_window
xdotool windowactivate "$other_window"
wait_until 5 has_keyboard "$other_window" || fail "the other window did not get the keyboard"
show_keypad
wait_until 5 stands_above "$keypad" "$other_window" ||
    fail "the keypad shown after Back is below another program's window: $(probe stacking)"
kill "$other_pid"
# The main window minimised after Back takes the keypad down with it, and brings it back.
xdotool windowminimize "$main"
if wait_until 3 eval '! is_viewable "$main"'; then
    wait_until 5 eval '! is_viewable "$keypad"' || fail "the keypad stayed up with the main window minimised"
    xdotool windowactivate "$main"
    wait_until 5 is_viewable "$keypad" || fail "the keypad did not come back with the main window"
    wait_until 5 stands_above "$keypad" "$main" ||
        fail "the keypad came back below the main window: $(probe stacking)"
fi
close_calculator

# One keypad window for the whole run, whatever hides it.
start_afresh
show_keypad
first=$keypad
click_keys
wait_until 5 eval '! is_viewable "$first"' || fail "Keys did not hide the keypad"
show_keypad
[[ $keypad == "$first" ]] || fail "Keys twice made another keypad window: $first, then $keypad"
/usr/bin/python3 "$here/../entry_ui/close_window.py" "$keypad"
wait_until 5 eval '! is_viewable "$keypad"' || fail "the close box did not hide the keypad"
show_keypad
[[ $keypad == "$first" ]] || fail "the close box made another keypad window: $first, then $keypad"
actions=" $(keypad_probe actions "$keypad") "
[[ $actions != *_NET_WM_ACTION_MAXIMIZE* ]] || fail "the keypad can be maximised: $actions"
[[ $actions != *_NET_WM_ACTION_MINIMIZE* ]] || fail "the keypad offers minimise: $actions"

# Minimised on its own (where the window manager still lets it be): the calculator stays up,
# and one Keys click brings the keypad back.
xdotool windowminimize "$keypad"
if wait_until 3 eval '! is_viewable "$keypad"'; then
    wait_until 5 is_viewable "$main" || fail "minimising the keypad hid the main window"
    click_keys
    wait_until 5 is_viewable "$keypad" || fail "one Keys click did not bring the minimised keypad back"
    [[ $(xdotool search --onlyvisible --name '^RPN KEYS$' | head -n 1) == "$first" ]] ||
        fail "the keypad came back as another window"
fi
wait_until 5 has_keyboard "$main" || fail "the keyboard is on $(probe focus) after the keypad came back"
close_calculator
echo "PASS"
