#!/usr/bin/env bash
# Runs build/rpncalc on a virtual X screen, works a division, opens the Trig/Log panel and
# saves the window as docs/screenshot.png. Needs Xvfb, xdotool and xwd (scripts/install-deps.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program="$root/build/rpncalc"
[[ -x "$program" ]] || { echo "build the program first: scripts/build.sh" >&2; exit 1; }

# The program writes its session file beside itself: run a copy, so that the screenshot
# neither reads nor changes the user's session.
work=$(mktemp -d)
cp "$program" "$root/build/rpncalc.hlp" "$work/"

display=:99
while [[ -e /tmp/.X11-unix/X${display#:} ]]; do
    display=:$((${display#:} + 1))
done
Xvfb "$display" -screen 0 800x500x24 -nolisten tcp &
xvfb=$!
app=
cleanup() {
    [[ -n "$app" ]] && kill "$app" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
export DISPLAY=$display
for _ in $(seq 50); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done

# Qt's own setting puts the screen at the layout's designed 120 pixels per inch.
QT_FONT_DPI=120 "$work/rpncalc" &
app=$!
window=$(xdotool search --sync --onlyvisible --name "Pelko RPN Calculator")
xdotool windowfocus --sync "$window" 2>/dev/null || true

# Clicks a control at its designed centre, scaled as the window scaled its layout
# (522 pixels wide as designed).
eval "$(xdotool getwindowgeometry --shell "$window")"
click() {
    local x y
    x=$(python3 -c "print(round($1 * $WIDTH / 522))")
    y=$(python3 -c "print(round($2 * $WIDTH / 522))")
    xdotool mousemove --window "$window" "$x" "$y" click 1
    sleep 0.2
}

# 355 Enter 113 divide, then the Trig/Log panel.
xdotool type --delay 50 "355"
click 282 148 # Enter
xdotool type --delay 50 "113"
click 235 194 # divide
click 482 66  # Trig
xdotool mousemove 790 490
sleep 0.5

mkdir -p "$root/docs"
xwd -silent -id "$window" >"$work/window.xwd"
python3 "$root/scripts/xwd_to_png.py" "$work/window.xwd" "$root/docs/screenshot.png"
echo "saved $root/docs/screenshot.png"
