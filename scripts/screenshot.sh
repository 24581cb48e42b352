#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs build/rpncalc on a virtual X screen under a window manager (openbox), works a division,
# opens the Trig/Log panel and saves the window, frame and all, as docs/screenshot.png.
# Needs Xvfb, openbox, xdotool and python3-xlib (scripts/install-deps.sh).
# Usage: screenshot.sh [--dpi N] [--keypad KEYPAD.png] [OUTPUT.png]
#   --dpi N     the screen's Xft.dpi (120, the layout's designed resolution, unless told)
#   --keypad F  also opens the keypad window and saves it, frame and all, as F
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program="$root/build/rpncalc"
dpi=120
keypad_png=
output=$root/docs/screenshot.png
while (($#)); do
    case $1 in
        --dpi) dpi=$2 && shift 2 ;;
        --keypad) keypad_png=$(realpath -m "$2") && shift 2 ;;
        -*) echo "unknown option $1" >&2 && exit 2 ;;
        *) output=$(realpath -m "$1") && shift ;;
    esac
done
[[ -x "$program" ]] || { echo "build the program first: scripts/build.sh" >&2; exit 1; }
xlib() { /usr/bin/python3 -c "from Xlib import X, Xatom, display; d = display.Display(); $1"; }

# The program writes its session file beside itself: run a copy, so that the screenshot
# neither reads nor changes the user's session.
work=$(mktemp -d)
cp "$program" "$root/build/rpncalc.hlp" "$work/"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    # The program writes its session file as it ends: let it finish before the folder goes.
    wait "${pids[@]}" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# The X server picks a free display itself and says which; -noreset keeps the resources
# set below when their setter disconnects.
exec {displayfd}<> <(:)
Xvfb -displayfd "$displayfd" -screen 0 1024x768x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
pids+=($!)
read -r -t 20 display <&"$displayfd" || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$display
unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb

# The desktop's font resolution, as xrdb would set it.
xlib "d.screen().root.change_property(d.intern_atom('RESOURCE_MANAGER'), Xatom.STRING, 8,
b'Xft.dpi:\t$dpi\n'); d.sync()"
# Its defaults, from a settings file of its own: an empty one opens an error dialog.
echo '<openbox_config xmlns="http://openbox.org/3.4/rc"/>' >"$work/openbox.xml"
openbox --config-file "$work/openbox.xml" >"$work/openbox.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    xlib "import sys; sys.exit(not d.screen().root.get_full_property(
d.intern_atom('_NET_SUPPORTING_WM_CHECK'), X.AnyPropertyType))" && break
    sleep 0.1
done

"$work/rpncalc" >"$work/rpncalc.log" 2>&1 &
pids+=($!)
# The caption and the controls' places, as the build has them.
layout_facts=$("$root/build/rpncalc-layout")
caption=$(sed -n 's/^caption //p' <<<"$layout_facts")
window=$(timeout 20 xdotool search --sync --onlyvisible --name "^$caption$" |
    head -n 1)
[[ -n $window ]] || { echo "the calculator window did not appear" >&2; exit 1; }
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"

# 355 Enter 113 divide, typed.
xdotool type --delay 50 "355"
xdotool key Return
xdotool type --delay 50 "113"
xdotool type "/"

# The Trig button takes no keyboard focus and has no key: click its centre, scaled as the
# program scales its layout (designed at 120 dpi, in screen pixels).
read -r left top width height < <(
    awk '$1 == "control" && $2 == "ButtonSmall" { print $3, $4, $5, $6 }' <<<"$layout_facts"
)
[[ -n $height ]] || { echo "no ButtonSmall in the layout" >&2; exit 1; }
xdotool mousemove --window "$window" $(((2 * left + width) * dpi / 240)) \
    $(((2 * top + height) * dpi / 240)) click 1
xdotool mousemove 1020 760
sleep 0.5

frame_of() {  # the root's child that holds the window: its frame
    xlib "
w = d.create_resource_object('window', $1)
while w.query_tree().parent != d.screen().root:
    w = w.query_tree().parent
print(w.id)"
}

save() {  # window png
    /usr/bin/python3 "$root/scripts/grab_png.py" "$(frame_of "$1")" "$2"
    echo "saved $2"
}

mkdir -p "$(dirname "$output")"
save "$window" "$output"

if [[ -n $keypad_png ]]; then
    # Keys is the one push button that Tab reaches from the X field.
    xdotool key Tab space
    keypad=$(timeout 10 xdotool search --sync --onlyvisible --name '^RPN KEYS$' | head -n 1)
    [[ -n $keypad ]] || { echo "the keypad window did not appear" >&2; exit 1; }
    sleep 2
    save "$keypad" "$keypad_png"
fi
