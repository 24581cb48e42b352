# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the end-to-end scripts: a work folder that goes when the script ends, the
# processes they start ended with it, a failure report, polling, and an X server of their own.
# Sets `work` and `pids`; start_xvfb sets DISPLAY and `xvfb_pid`. Also: the window manager,
# the calculator started and its window found, a control clicked by its object name.

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    # An ended calculator saves its session: its folder goes only after it has.
    for pid in "${pids[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT
# A command that fails outside a check ends the script (set -e): say which one.
set -o errtrace
trap 'echo "FAIL: line $LINENO of ${BASH_SOURCE[0]}: $BASH_COMMAND (exit $?)" >&2' ERR

# Reports the failure, with what the program printed when there is a log of it.
fail() {
    echo "FAIL: $*" >&2
    if [[ -s $work/rpncalc.log ]]; then
        cat "$work/rpncalc.log" >&2
    fi
    exit 1
}

# Runs `$@` every 0.05 s until it succeeds, for at most $1 seconds.
wait_until() {
    local seconds=$1
    shift
    local tries=$((seconds * 20))
    for ((i = 0; i < tries; i++)); do
        "$@" && return 0
        sleep 0.05
    done
    return 1
}

# A session bus of the script's own, so that the services it starts (the accessibility bus,
# xfwm4's settings daemon) end with it instead of outliving the test on a bus nobody stops.
start_session_bus() {
    exec {busfd}<> <(:)
    dbus-daemon --session --nofork --print-address="$busfd" >"$work/dbus.log" 2>&1 &
    pids+=($!)
    local address
    read -r -t 20 address <&"$busfd" || fail "the session bus did not start"
    export DBUS_SESSION_BUS_ADDRESS=$address
}

# An Xvfb on a free display, found by the server itself; further arguments go to Xvfb. The
# program runs on it through the toolkit's X11 platform, with a session bus of its own.
start_xvfb() {
    start_session_bus
    exec {displayfd}<> <(:)
    Xvfb -displayfd "$displayfd" -screen 0 1280x1024x24 -nolisten tcp "$@" \
        >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    pids+=("$xvfb_pid")
    local display
    read -r -t 20 display <&"$displayfd" || fail "Xvfb did not start"
    export DISPLAY=":$display"
    unset WAYLAND_DISPLAY
    export QT_QPA_PLATFORM=xcb
}

# The facts of the windows (caption, designed sizes, each control's designed rectangle)
# come from the build's rpncalc-layout, found beside the program unless RPNCALC_LAYOUT names
# it; a script sets `program` before it calls these.
layout_facts() {  # [--dpi N]
    local tool=${RPNCALC_LAYOUT:-$(dirname "$program")/rpncalc-layout}
    [[ -x $tool ]] || fail "no $tool to read the window's layout from"
    "$tool" "$@"
}
main_caption() {
    layout_facts | sed -n 's/^caption //p'
}

e2e_lib=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# Starts the window manager `name` on the X server, its settings in the work folder, and
# waits until it manages windows.
start_window_manager() {  # openbox|xfwm4|icewm|fluxbox|metacity|marco
    local wm_command
    case $1 in
        # Its defaults, from a settings file of its own: an empty one opens an error dialog.
        openbox)
            echo '<openbox_config xmlns="http://openbox.org/3.4/rc"/>' >"$work/openbox.xml"
            wm_command=(openbox --config-file "$work/openbox.xml")
            ;;
        # xfwm4 reads its settings over the script's session bus.
        xfwm4) wm_command=(xfwm4 --compositor=off) ;;
        icewm | fluxbox) wm_command=("$1") ;;
        # Their settings over a D-Bus session bus too; no compositor, as under xfwm4.
        metacity) wm_command=(dbus-run-session -- metacity --sm-disable --compositor=none) ;;
        marco) wm_command=(dbus-run-session -- marco --sm-disable --no-composite) ;;
        *) fail "unknown window manager $1" ;;
    esac
    HOME=$work "${wm_command[@]}" >"$work/wm.log" 2>&1 &
    pids+=($!)
    wait_until 10 eval '[[ $(/usr/bin/python3 "$e2e_lib/../desktop/x11_probe.py" wm) == 1 ]]' ||
        fail "$1 did not start"
}

# Starts the copy of the program in the work folder (it keeps its session file beside it)
# with `$@` as its options, and finds its main window. Sets `calc_pid` and `main`.
calc_pid=
main=
start_calculator() {  # [program options]
    local caption
    caption=$(main_caption)
    "$work/rpncalc" "$@" >>"$work/rpncalc.log" 2>&1 &
    calc_pid=$!
    pids+=("$calc_pid")
    main=$(timeout 20 xdotool search --sync --onlyvisible --name "^$caption$" | head -n 1)
    [[ -n $main ]] || fail "the calculator window did not appear"
}

# Clicks the centre of a designed rectangle of `window`, scaled by the window's width over
# its designed width.
click_designed() {  # window designed-width left top width height
    eval "$(xdotool getwindowgeometry --shell "$1")"
    local x=$(((($3 + $5 / 2) * WIDTH) / $2)) y=$(((($4 + $6 / 2) * WIDTH) / $2))
    # No --sync: it waits for a motion that never comes when the pointer is there already.
    xdotool mousemove --window "$1" "$x" "$y" click 1
}

# Clicks the control `name` of `window` where the layout puts it: the facts' lines of the kind
# `kind` hold the control rectangles, and the line `client-line W H` the window's designed
# size.
click_laid_out() {  # window client-line kind name
    local facts client rectangle
    facts=$(layout_facts)
    client=$(awk -v line="$2" 'index($0, line " ") == 1 { print $(NF - 1) }' <<<"$facts")
    rectangle=$(awk -v kind="$3" -v name="$4" '$1 == kind && $2 == name { print $3, $4, $5, $6 }' \
        <<<"$facts")
    [[ -n $client && -n $rectangle ]] || fail "the layout has no $3 $4"
    # shellcheck disable=SC2086
    click_designed "$1" "$client" $rectangle
}

# Clicks the main window's control with the object name `name` where the layout puts it.
click_control() {  # name
    click_laid_out "$main" client control "$1"
}

# Clicks the key with the object name `name` on the keypad window `keypad`.
click_keypad_key() {  # keypad name
    click_laid_out "$1" "keypad client" keypad-control "$2"
}
