#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the real program under a real window manager and checks what a user meets
# first: windows come back where they were left, frame and all, run after run; the first run
# shows the whole title bar; Back/Top changes the level in place; help opens above the
# calculator; keypad clicks leave the keyboard with the main window; closing is prompt.
# The keypad and keyboard check runs once more without a window manager.
# Usage: window_manager_e2e.sh path/to/rpncalc [openbox|xfwm4|icewm|fluxbox [RUNS [DPI]]]
# The test command runs it under openbox, xfwm4 and fluxbox; icewm is for trying by hand.
# RUNS is the number of start/close cycles (3), DPI the screens' Xft.dpi (none: 96).
set -euo pipefail

program=$1
window_manager=${2:-openbox}
runs=${3:-3}
dpi=${4:-}
here=$(cd "$(dirname "$0")" && pwd)
probe() { /usr/bin/python3 "$here/x11_probe.py" "$@"; }
# shellcheck source=../lib/e2e_common.sh
source "$here/../lib/e2e_common.sh"

start_x_server() {
    # -noreset: the resources below stay when their setter disconnects.
    start_xvfb -noreset
    if [[ -n $dpi ]]; then
        /usr/bin/python3 -c "from Xlib import Xatom, display; d = display.Display()
d.screen().root.change_property(d.intern_atom('RESOURCE_MANAGER'), Xatom.STRING, 8,
                                b'Xft.dpi:\t$dpi\n')
d.sync()"
    fi
}

cp "$program" "$work/rpncalc"
session=$work/rpncalc.cfg

write_session() {  # top left keypad-top keypad-left
    local zero=0.00000000000000E+0000
    printf '%s\r\n' "$zero" "$zero" "$zero" "$zero" "$1" "$2" "$zero" "$3" "$4" >"$session"
}

session_line() {
    sed -n "${1}p" "$session" | tr -d '\r '
}

# Closes the main window as a window manager's close box does, with one request: the program
# must be gone within a second of it.
close_calculator() {
    /usr/bin/python3 "$here/../entry_ui/close_window.py" "$main"
    wait_until 1 eval '! kill -0 "$calc_pid" 2>/dev/null' ||
        fail "the program still runs a second after the close request"
}

frame_is() {  # window x y
    [[ $(probe frame "$1") == "$2 $3" ]]
}

show_keypad() {
    click_control Button1 # Keys
    keypad=$(timeout 10 xdotool search --sync --onlyvisible --name '^RPN KEYS$' | head -n 1)
    [[ -n $keypad ]] || fail "the keypad window did not appear"
    # The Keys button leaves the keyboard with the main window.
    wait_until 5 eval '[[ $(probe focus) == "$main" ]]' ||
        fail "the keyboard focus is on $(probe focus), not on the main window $main"
}

# Keypad 7 and 2, each click followed at once by the next input, then Enter on the keyboard:
# X holds 72 and Y the pushed copy.
check_keypad_then_enter() {
    show_keypad
    # Clicked only where it stays: the session file keeps it at 300, 240.
    wait_until 5 frame_is "$keypad" 300 240 || fail "$1: keypad frame at $(probe frame "$keypad")"
    click_keypad_key "$keypad" SpeedButton7
    click_keypad_key "$keypad" SpeedButton2
    xdotool key Return
    close_calculator
    [[ $(session_line 1) == 7.20000000000000E+0001 ]] || fail "$1: X is '$(session_line 1)', not 72"
    [[ $(session_line 2) == 7.20000000000000E+0001 ]] || fail "$1: Y is '$(session_line 2)', not 72"
}

start_x_server
start_window_manager "$window_manager"

# A first run without a session file: the frame at the screen's corner, title bar and all.
start_calculator
wait_until 5 frame_is "$main" 0 0 || fail "first run: frame at $(probe frame "$main"), not 0 0"
close_calculator

# Known positions, run after run: the frames land there and the file keeps them unchanged.
write_session 100 200 240 300
for ((run = 1; run <= runs; run++)); do
    start_calculator
    wait_until 5 frame_is "$main" 200 100 ||
        fail "run $run: main frame at $(probe frame "$main"), not 200 100"
    show_keypad
    wait_until 5 frame_is "$keypad" 300 240 ||
        fail "run $run: keypad frame at $(probe frame "$keypad"), not 300 240"
    close_calculator
    for line in 5:100 6:200 8:240 9:300; do
        [[ $(session_line "${line%:*}") == "${line#*:}" ]] ||
            fail "run $run: session line ${line%:*} is '$(session_line "${line%:*}")', not ${line#*:}"
    done
done

# A position on the command line holds for that run over the saved one; the next run
# without it is back at the saved place, which the run with it left as it was.
for geometry in +60+50 522x311+60+50; do
    write_session 100 200 240 300
    start_calculator -geometry "$geometry"
    wait_until 5 frame_is "$main" 60 50 ||
        fail "-geometry $geometry: main frame at $(probe frame "$main"), not 60 50"
    close_calculator
    start_calculator
    wait_until 5 frame_is "$main" 200 100 ||
        fail "after -geometry $geometry: main frame at $(probe frame "$main"), not 200 100"
    close_calculator
done
# A run placed from the command line whose window the user then drags by its title bar: the
# next run opens where the user left it.
drag_title_bar() {  # window dx dy
    local frame_x frame_y client_x client_y
    read -r frame_x frame_y < <(probe frame "$1")
    read -r client_x client_y < <(probe client "$1")
    local x=$((client_x + 120)) y=$(((frame_y + client_y) / 2))
    xdotool mousemove "$x" "$y" mousedown 1
    for step in 1 2 3 4; do
        xdotool mousemove $((x + $2 * step / 4)) $((y + $3 * step / 4))
        sleep 0.1
    done
    xdotool mouseup 1
}
write_session 100 200 240 300
start_calculator -geometry +60+50
wait_until 5 frame_is "$main" 60 50 || fail "-geometry +60+50: main frame at $(probe frame "$main")"
drag_title_bar "$main" 160 120
wait_until 5 eval '[[ $(probe frame "$main") != "60 50" ]]' ||
    fail "the main frame did not move when its title bar was dragged"
sleep 1  # the place counts once the frame has stood there a moment
read -r dragged_x dragged_y < <(probe frame "$main")
close_calculator
start_calculator
wait_until 5 frame_is "$main" "$dragged_x" "$dragged_y" ||
    fail "after a drag in a -geometry run: main frame at $(probe frame "$main")," \
        "not $dragged_x $dragged_y"
close_calculator

# Offsets from the right and bottom edges count with the frame: -0-0 puts the frame's outer
# bottom-right corner on the screen's.
read -r screen_width screen_height < <(/usr/bin/python3 -c "from Xlib import display
s = display.Display().screen()
print(s.width_in_pixels, s.height_in_pixels)")
frame_ends_at() {  # window right bottom
    local x y w h
    read -r x y w h < <(probe framerect "$1")
    ((x + w == $2 && y + h == $3))
}
write_session 100 200 240 300
start_calculator -geometry -0-0
wait_until 5 frame_ends_at "$main" "$screen_width" "$screen_height" ||
    fail "-geometry -0-0: main frame at $(probe framerect "$main"), not ending at" \
        "$screen_width $screen_height"
close_calculator
write_session 100 200 240 300

# Back, then Top: the same window at the same place, the keypad above it on the screen, and on
# top transient for it.
start_calculator
show_keypad
wait_until 5 frame_is "$main" 200 100 || fail "frame at $(probe frame "$main") before Back"
for level in Back Top; do
    click_control Buttontop
    sleep 0.3 # nothing to poll for: the window must not change at all
    [[ -n $(xdotool search --onlyvisible --name "^$(main_caption)$" | grep -x "$main") ]] ||
        fail "after $level the main window has another id"
    frame_is "$main" 200 100 || fail "after $level the frame is at $(probe frame "$main")"
    if [[ $level == Top ]]; then
        wait_until 5 eval '[[ $(probe transient "$keypad") == "$main" ]]' ||
            fail "after $level the keypad is transient for $(probe transient "$keypad"), not $main"
    fi
    wait_until 5 eval '[[ $(probe over "$keypad" "$main") == 1 ]]' ||
        fail "after $level the keypad is below the main window: $(probe stacking)"
done
[[ $(probe above "$main") == 1 ]] || fail "after Top the main window does not stay on top"

# Help from F1 shows above the calculator that stays on top.
xdotool windowfocus --sync "$main"
xdotool key F1
help=$(timeout 10 xdotool search --sync --onlyvisible --name '^Calculator Help$' | head -n 1)
[[ -n $help ]] || fail "F1 opened no help window"
above_main() {
    local stacking=" $(probe stacking) "
    [[ " ${stacking#* $main }" == *" $help "* ]]
}
wait_until 5 above_main || fail "the help window is below the calculator: $(probe stacking)"
# Beside the calculator, where the screen has room for it: the two frames do not meet.
apart() {
    local mx my mw mh hx hy hw hh
    read -r mx my mw mh <<<"$(probe framerect "$main")"
    read -r hx hy hw hh <<<"$(probe framerect "$help")"
    ((hx >= mx + mw || hx + hw <= mx || hy >= my + mh || hy + hh <= my))
}
wait_until 5 apart ||
    fail "the help window $(probe framerect "$help") covers the calculator $(probe framerect "$main")"
close_calculator

# Keypad clicks and then Enter, under the window manager and without one.
start_calculator
check_keypad_then_enter "with $window_manager"
start_x_server
start_calculator
check_keypad_then_enter "without a window manager"
echo "PASS"
