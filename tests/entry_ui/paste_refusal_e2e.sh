#!/usr/bin/env bash
# Pastes that must be refused quickly in the real program under X: a 50 MB clipboard text
# offered by xclip, and a clipboard owner that never answers. Each Ctrl+V must leave the X
# entry as it was and the window answering. Usage: paste_refusal_e2e.sh path/to/rpncalc
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

clipboard_text() {
    timeout 5 xclip -o -selection clipboard 2>/dev/null || true
}

# The X entry as the program holds it: Ctrl+C copies its selection, the whole entry here,
# which also shows that the window answers keys again.
expect_entry() {
    xdotool key --delay 50 ctrl+c
    for _ in $(seq 50); do
        [[ $(clipboard_text) == "$1" ]] && return 0
        sleep 0.1
    done
    fail "$2: the X entry reads '$(clipboard_text)', not '$1'"
}

xdotool type --delay 50 '42'

# 50 MB of digits: far beyond the paste limit.
head -c 50000000 /dev/zero | tr '\0' '7' >"$work/huge.txt"
xclip -quiet -selection clipboard -i "$work/huge.txt" >/dev/null 2>&1 &
pids+=($!)
# Until xclip owns the clipboard: it then lists its targets.
for _ in $(seq 50); do
    timeout 5 xclip -o -selection clipboard -t TARGETS 2>/dev/null | grep -q STRING && break
    sleep 0.1
done
# The whole entry selected: a paste taken as empty would erase it.
xdotool key --delay 50 shift+Home ctrl+v
expect_entry 42 "50 MB paste"

# An owner that never hands its text over.
coproc owner { /usr/bin/python3 "$here/silent_clipboard_owner.py"; }
pids+=("$owner_PID")
read -r -t 10 ready <&"${owner[0]}" || fail "the silent owner did not start"
[[ $ready == owner ]] || fail "the silent owner said '$ready'"
xdotool key --delay 50 shift+Home ctrl+v
# The copy that follows can only run once the paste has given up waiting.
expect_entry 42 "silent owner"

kill -0 "$calc_pid" 2>/dev/null || fail "the calculator ended"
echo "PASS"
