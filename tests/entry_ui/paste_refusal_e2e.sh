#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Pastes that must be refused in the real program under X, by every way text enters the X
# field (Ctrl+V, Shift+Insert, the Paste button, a middle-click, the field's context menu, a
# drop from another program): a 50 MB text offered by xclip (or announced by the drag), and an
# owner that never answers. Each must leave the X entry as
# it was, the window answering, and the memory near where it was.
# Usage: paste_refusal_e2e.sh path/to/rpncalc
set -euo pipefail

program=$1
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../lib/e2e_common.sh
source "$here/../lib/e2e_common.sh"

cp "$program" "$work/rpncalc"

start_xvfb

"$work/rpncalc" >"$work/rpncalc.log" 2>&1 &
calc_pid=$!
pids+=("$calc_pid")
window=$(timeout 20 xdotool search --sync --onlyvisible --name "^${RPNCALC_CAPTION:?the window caption}$" | head -n 1)
[[ -n $window ]] || fail "the calculator window did not appear"
xdotool windowfocus --sync "$window"

# The controls as designed (left, top, width, height at 120 dpi), scaled as the window is.
designed_width=522
window_width=$(xdotool getwindowgeometry --shell "$window" | sed -n 's/^WIDTH=//p')
centre() {
    awk -v l="$1" -v t="$2" -v w="$3" -v h="$4" -v s="$window_width" -v d="$designed_width" \
        'BEGIN { printf "%d %d\n", (l + w / 2) * s / d, (t + h / 2) * s / d }'
}
read -r edit_x edit_y < <(centre 36 131 193 33)
read -r paste_x paste_y < <(centre 335 129 82 36)

clipboard_text() {
    timeout 5 xclip -o -selection clipboard 2>/dev/null || true
}

# The X entry as the program holds it: Ctrl+C copies its selection, the whole entry here,
# which also shows that the window answers keys again.
expect_entry() {
    xdotool key --delay 50 ctrl+a ctrl+c
    for _ in $(seq 50); do
        [[ $(clipboard_text) == "$1" ]] && return 0
        sleep 0.1
    done
    fail "$2: the X entry reads '$(clipboard_text)', not '$1'"
}

peak_memory_kib() {
    sed -n 's/^VmHWM:[[:space:]]*\([0-9]*\) kB/\1/p' "/proc/$calc_pid/status"
}

# Asks for a paste the way $1 names. The field's own paths (Shift+Insert, the menu, a
# middle-click) paste at the caret, over the selection: the whole entry is selected first, so
# that a paste taken as empty would show too.
paste_by() {
    case $1 in
        ctrl+v | shift+Insert)
            xdotool key --delay 50 End shift+Home "$1"
            ;;
        button)
            xdotool mousemove --window "$window" "$paste_x" "$paste_y" click 1
            ;;
        middle-click)
            xdotool mousemove --window "$window" "$edit_x" "$edit_y" click 2
            ;;
        menu)
            xdotool key --delay 50 End shift+Home
            xdotool mousemove --window "$window" "$edit_x" "$edit_y" click 3
            wait_until 5 xdotool search --onlyvisible --pid "$calc_pid" --class "" >/dev/null
            sleep 0.3
            xdotool key --delay 50 p
            ;;
    esac
}

# Which selection each way reads.
selection_of() {
    [[ $1 == middle-click ]] && echo primary || echo clipboard
}

xdotool type --delay 50 '42'
head -c 50000000 /dev/zero | tr '\0' '7' >"$work/huge.txt"

for way in ctrl+v shift+Insert button middle-click menu; do
    selection=$(selection_of "$way")

    # 50 MB of digits: far beyond the paste limit.
    xclip -quiet -selection "$selection" -i "$work/huge.txt" >/dev/null 2>&1 &
    xclip_pid=$!
    pids+=("$xclip_pid")
    # Until the text is xclip's: the calculator owned the selection before.
    wait_until 5 sh -c "[ \"\$(timeout 5 xclip -o -selection $selection 2>/dev/null | head -c 2)\" = 77 ]" ||
        fail "$way: xclip did not take the $selection selection"
    before=$(peak_memory_kib)
    paste_by "$way"
    expect_entry 42 "$way, 50 MB"
    after=$(peak_memory_kib)
    # Taken whole, the text alone would be 50 MB, and twice that as the toolkit's text.
    ((after - before < 40000)) || fail "$way, 50 MB: the peak memory grew by $((after - before)) KiB"
    kill "$xclip_pid" 2>/dev/null || true

    # An owner that never hands its text over.
    coproc owner { /usr/bin/python3 "$here/silent_clipboard_owner.py" "${selection^^}"; }
    owner_pid=$owner_PID
    pids+=("$owner_pid")
    read -r -t 10 ready <&"${owner[0]}" || fail "$way: the silent owner did not start"
    [[ $ready == owner ]] || fail "$way: the silent owner said '$ready'"
    paste_by "$way"
    # The copy that follows can only run once the paste has given up waiting.
    expect_entry 42 "$way, silent owner"
    kill "$owner_pid" 2>/dev/null || true
    wait "$owner_pid" 2>/dev/null || true
done

# A drop from another program, at the X field's centre on the screen: the drag's text is read
# as the clipboard's is.
eval "$(xdotool getwindowgeometry --shell "$window")"
# How the drag ended: its last line.
drop() {
    /usr/bin/python3 "$here/drag_source.py" "$window" $((X + edit_x)) $((Y + edit_y)) "$@" |
        tail -n 1
}
before=$(peak_memory_kib)
dropped=$(drop huge 50000000)
[[ $dropped == "finished refused" ]] || fail "drop, 50 MB: the drag ended with '$dropped'"
expect_entry 42 "drop, 50 MB"
after=$(peak_memory_kib)
((after - before < 40000)) || fail "drop, 50 MB: the peak memory grew by $((after - before)) KiB"
dropped=$(drop silent)
[[ $dropped == "finished refused" ]] || fail "drop, silent owner: the drag ended with '$dropped'"
expect_entry 42 "drop, silent owner"
# A short text goes in where it falls, beside the selection: the refusals above were the
# reader's doing, not a drop that never arrived.
dropped=$(drop text 5)
[[ $dropped == "finished accepted" ]] || fail "drop of 5: the drag ended with '$dropped'"
expect_entry 425 "drop of 5"

kill -0 "$calc_pid" 2>/dev/null || fail "the calculator ended"
echo "PASS"
