# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the end-to-end scripts: a work folder that goes when the script ends, the
# processes they start ended with it, a failure report, polling, and an X server of their own.
# Sets `work` and `pids`; start_xvfb sets DISPLAY and `xvfb_pid`.

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

# An Xvfb on a free display, found by the server itself; further arguments go to Xvfb. The
# program runs on it through the toolkit's X11 platform.
start_xvfb() {
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
