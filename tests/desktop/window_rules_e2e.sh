#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the real program under a real window manager and checks the window rules that each
# manager could bend its own way: Back really puts the window among ordinary windows and Top
# above them (by the server's stacking order), the client area is exactly its designed size in
# both views and stays put through view toggles, a maximise or fullscreen request is undone
# and the place saved is the normal one, a move by a pager keeps the size and is saved, and a
# window saved far off comes back whole on the screen.
# Usage: window_rules_e2e.sh path/to/rpncalc openbox|xfwm4|icewm|fluxbox [DPI]
# DPI is the screen's Xft.dpi (none: 96); the toolkit scales by DPI/96.
set -euo pipefail

program=$1
window_manager=$2
dpi=${3:-96}
here=$(cd "$(dirname "$0")" && pwd)
probe() { /usr/bin/python3 "$here/x11_probe.py" "$@"; }
# shellcheck source=../lib/e2e_common.sh
source "$here/../lib/e2e_common.sh"

# The client's size in screen pixels at this resolution, in the large and the compact view.
read -r _ width large compact < <(layout_facts --dpi "$dpi" | grep '^window ')

start_xvfb -noreset
/usr/bin/python3 -c "from Xlib import Xatom, display; d = display.Display()
d.screen().root.change_property(d.intern_atom('RESOURCE_MANAGER'), Xatom.STRING, 8,
                                b'Xft.dpi:\t$dpi\n')
d.sync()"
# A state that the manager is known to carry out at once, and that changes nothing else.
marker=SKIP_PAGER
if [[ $window_manager == fluxbox ]]; then
    marker=STICKY
fi
start_window_manager "$window_manager"

cp "$program" "$work/rpncalc"
session=$work/rpncalc.cfg
write_session() {  # top left
    local zero=0.00000000000000E+0000
    printf '%s\r\n' "$zero" "$zero" "$zero" "$zero" "$1" "$2" "$zero" 300 20 >"$session"
}
session_position() {
    echo "$(sed -n 5p "$session" | tr -d '\r ') $(sed -n 6p "$session" | tr -d '\r ')"
}

close_calculator() {
    /usr/bin/python3 "$here/../entry_ui/close_window.py" "$main"
    wait_until 5 eval '! kill -0 "$calc_pid" 2>/dev/null' || fail "the program did not end"
}

click_top() { click_control Buttontop; }
click_trig() { click_control ButtonSmall; }

stands() {  # x y width height: the frame's corner and the client's size
    [[ $(probe frame "$main") == "$1 $2" && $(probe size "$main") == "$3 $4" ]]
}
where() { echo "frame $(probe frame "$main"), client $(probe size "$main")"; }

# Exact size in both views, and no pixel of movement through the toggles.
write_session 100 200
start_calculator
wait_until 5 stands 200 100 "$width" "$compact" ||
    fail "compact view: $(where), not frame 200 100, client $width $compact"
for round in 1 2; do
    click_trig
    wait_until 5 stands 200 100 "$width" "$large" ||
        fail "large view ($round): $(where), not frame 200 100, client $width $large"
    click_trig
    wait_until 5 stands 200 100 "$width" "$compact" ||
        fail "compact view again ($round): $(where), not frame 200 100, client $width $compact"
done

# Back and Top, checked by the real stacking order against an ordinary window that is raised
# after each click.
probe ordinary "ordinary window" >"$work/ordinary" &
pids+=($!)
wait_until 5 eval '[[ -s $work/ordinary ]]' || fail "the ordinary window did not appear"
ordinary=$(cat "$work/ordinary")
# As a user brings it forward: some managers raise only the window they activate.
raise_ordinary() {
    xdotool windowactivate "$ordinary" 2>/dev/null || true
    xdotool windowraise "$ordinary"
}
raise_ordinary
wait_until 5 eval '[[ $(probe over "$main" "$ordinary") == 1 ]]' ||
    fail "on top, the calculator is below a raised ordinary window"
click_top
raise_ordinary
wait_until 5 eval '[[ $(probe over "$main" "$ordinary") == 0 ]]' ||
    fail "after Back, a raised ordinary window stays below the calculator"
click_top
wait_until 5 eval '[[ $(probe over "$main" "$ordinary") == 1 ]]' ||
    fail "after Top, the calculator is below an ordinary window"
raise_ordinary
wait_until 5 eval '[[ $(probe over "$main" "$ordinary") == 1 ]]' ||
    fail "after Top, a raised ordinary window went above the calculator"
[[ $(probe frame "$main") == "200 100" ]] || fail "Back and Top moved the frame: $(where)"

# Maximise and fullscreen requests, as a pager or a key binding sends them. A request for a
# state that the manager carries out follows each: once that shows, the request before it has
# been dealt with.
for request in "MAXIMIZED_VERT MAXIMIZED_HORZ" FULLSCREEN; do
    for state in $request; do
        probe request "$main" add "$state"
    done
    probe request "$main" add "$marker"
    wait_until 5 eval '[[ $(probe states "$main") == *$marker* ]]' ||
        fail "$window_manager did not carry out a request after ${request// /+}"
    probe request "$main" remove "$marker"
    normal() {
        [[ $(probe states "$main") != *MAXIMIZED* && $(probe states "$main") != *FULLSCREEN* ]] &&
            stands 200 100 "$width" "$compact"
    }
    wait_until 5 normal ||
        fail "${request// /+} not undone: $(where), states $(probe states "$main")"
done
close_calculator
[[ $(session_position) == "100 200" ]] || fail "saved at $(session_position), not 100 200"

# A move by a pager or a script, the request wmctrl sends (each manager reads its corner its
# own way): the window keeps its fixed size, and the place it went to is the place saved.
write_session 100 200
start_calculator
wait_until 5 stands 200 100 "$width" "$compact" || fail "not placed before the move: $(where)"
wmctrl -i -r "$main" -e 0,300,200,-1,-1
wait_until 5 eval '[[ $(probe frame "$main") != "200 100" ]]' || fail "wmctrl did not move the frame"
wait_until 5 eval '[[ $(probe size "$main") == "$width $compact" ]]' ||
    fail "after a move by wmctrl the client is $(probe size "$main"), not $width $compact"
read -r moved_x moved_y < <(probe frame "$main")
close_calculator
[[ $(session_position) == "$moved_y $moved_x" ]] ||
    fail "moved by wmctrl to $moved_x $moved_y, saved at $(session_position) (top left)"

# Far off: the whole frame comes onto the screen.
write_session 5000 -7000
start_calculator
on_screen() {
    local x y w h
    read -r x y w h <<<"$(probe outer "$main")"
    ((x >= 0 && y >= 0 && x + w <= 1280 && y + h <= 1024))
}
wait_until 5 on_screen || fail "saved far off: the frame is at $(probe outer "$main")"
close_calculator
echo "PASS"
