#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program on its own X server and accessibility bus, read as a screen reader reads it:
# roles, states and descriptions in the compact view and in the large one, with the keypad
# window shown and hidden again.
# Usage: accessibility_e2e.sh path/to/rpncalc
set -euo pipefail

program=$1
here=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=../lib/e2e_common.sh
source "$here/lib/e2e_common.sh"

cp "$program" "$work/rpncalc"
start_xvfb
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/atspi.log" 2>&1 &
pids+=($!)

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$work/rpncalc" >"$work/rpncalc.log" 2>&1 &
pids+=($!)
main=$(timeout 20 xdotool search --sync --onlyvisible --name "^${RPNCALC_CAPTION:?the window caption}$" |
    head -n 1)
[[ -n $main ]] || fail "the calculator window did not appear"

/usr/bin/python3 "$here/app/atspi_check.py" compact || fail "the compact view's tree"

# The Trig button opens the large view.
click_control ButtonSmall
/usr/bin/python3 "$here/app/atspi_check.py" large || fail "the large view's tree"

# Keys shows the keypad window and hides it again; the main window's tree stays true.
click_control Button1
/usr/bin/python3 "$here/app/atspi_check.py" large keypad || fail "the tree with the keypad shown"
click_control Button1
/usr/bin/python3 "$here/app/atspi_check.py" large nokeypad || fail "the tree with the keypad hidden"
echo "PASS"
