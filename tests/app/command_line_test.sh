#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the real program with each command line of the table and checks its exit code and
# what it prints, with no display at all; then shows that the toolkit's own options still
# reach the toolkit. Usage: command_line_test.sh path/to/rpncalc version
set -euo pipefail
program=$1
version=$2
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../lib/e2e_common.sh
source "$here/../lib/e2e_common.sh"

unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM XDG_SESSION_TYPE
# A display number with no server behind it.
free=900
while [[ -e /tmp/.X11-unix/X$free ]]; do
    free=$((free + 1))
done

# arguments | environment | exit code | stdout pattern | stderr pattern (one line)
no_platform="^rpncalc: cannot start the window system platform"
cases=(
    "--help||0|^Usage: .*--version.*Show the version|^$"
    "-h||0|^Usage: |^$"
    "--version||0|^rpncalc $version Copyright 2026 rpncalc developers\. License GPL-3\.0-or-later: GNU GPL version 3 or later <https://gnu\.org/licenses/gpl\.html>\. This is free software: you are free to change and redistribute it\. There is NO WARRANTY, to the extent permitted by law\.$|^$"
    "-v||0|^rpncalc $version Copyright 2026 rpncalc developers\. License GPL-3\.0-or-later: |^$"
    "--bogus||2|^$|^rpncalc: Unknown option 'bogus'\. Try 'rpncalc --help'\.$"
    "-x||2|^$|^rpncalc: Unknown option 'x'\."
    "stray||2|^$|^rpncalc: Unexpected argument 'stray'\."
    "-platform||2|^$|^rpncalc: Missing value after '-platform'\."
    "||1|^$|^rpncalc: cannot open a display: DISPLAY is not set"
    "|DISPLAY=:$free|1|^$|^rpncalc: cannot open display ':$free'$"
    "-display :$free||1|^$|^rpncalc: cannot open display ':$free'$"
    "-platform xcb -display :$free||1|^$|^rpncalc: cannot open display ':$free'$"
    "-platform bogus||1|^$|$no_platform 'bogus': its Qt plugin is missing or cannot connect$"
    "|QT_QPA_PLATFORM=bogus|1|^$|$no_platform 'bogus'"
    "|QT_QPA_PLATFORM=wayland|1|^$|$no_platform 'wayland'"
    "|QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=wayland-$free|1|^$|$no_platform 'wayland'"
)
for case in "${cases[@]}"; do
    IFS='|' read -r args environment code out err <<<"$case"
    status=0
    # shellcheck disable=SC2086 # the arguments and the assignments are words
    env $environment "$program" $args >"$work/out" 2>"$work/err" </dev/null ||
        status=$?
    [[ $status -eq $code ]] || fail "'$args' ($environment): exit code $status, not $code"
    out_text=$(tr '\n' ' ' <"$work/out" | sed 's/ $//')
    [[ $out_text =~ $out ]] || fail "'$args': stdout was: $(cat "$work/out")"
    [[ $(wc -l <"$work/err") -le 1 ]] || fail "'$args': more than one line on stderr"
    [[ $(cat "$work/err") =~ $err ]] || fail "'$args': stderr was: $(cat "$work/err")"
done
echo "${#cases[@]} command lines answered as expected"

# The toolkit's options: started from a copy (its session file appears beside it), so that
# this never touches the build folder's session.
cp "$program" "$work/rpncalc"
wait_for_session() {
    for _ in $(seq 100); do
        [[ -s $work/rpncalc.cfg ]] && return 0
        kill -0 "${pids[-1]}" 2>/dev/null || fail "the program ended: $(cat "$work/run.log")"
        sleep 0.1
    done
    fail "no session file after start-up: $(cat "$work/run.log")"
}

start_session_bus
"$work/rpncalc" -platform offscreen -style Fusion >"$work/run.log" 2>&1 &
pids+=($!)
wait_for_session
kill "${pids[-1]}"
wait "${pids[-1]}" || true
rm -f "$work/rpncalc.cfg"

exec {displayfd}<> <(:)
Xvfb -displayfd "$displayfd" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
read -r -t 20 number <&"$displayfd" || fail "Xvfb did not start"
"$work/rpncalc" -display ":$number" -geometry +40+40 >"$work/run.log" 2>&1 &
pids+=($!)
wait_for_session
DISPLAY=":$number" timeout 20 xdotool search --sync --onlyvisible --name "^$(main_caption)$" \
    >/dev/null || fail "no window on the display given by -display"
echo "the toolkit's -platform, -style, -display and -geometry options were accepted"
