#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A thousand idle connections to the running calculator's raise channel, kept up while they
# last: the calculator holds only a few of them, a second start still brings it forward, and
# SIGTERM still saves the session, also when the connections have used up its open-file
# limit. Usage: channel_flood_e2e.sh path/to/rpncalc
set -euo pipefail

program=$1
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../lib/e2e_common.sh
source "$here/../lib/e2e_common.sh"

mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR=$work/runtime
cp "$program" "$work/rpncalc"
# A session with a value in every register and the memory.
printf '%s\r\n' 1.5 -2.25 3E300 4 10 20 5.5 30 40 >"$work/rpncalc.cfg"
start_xvfb

catches_term() {
    local mask
    mask=$(awk '/^SigCgt:/ { print $2 }' "/proc/$1/status" 2>/dev/null) || return 1
    [[ -n $mask ]] && (((16#$mask >> 14) & 1))
}
open_files() {
    find "/proc/$calc_pid/fd" -mindepth 1 | wc -l
}
is_listening() {
    compgen -G "$work/runtime/rpncalc-*.socket" >/dev/null &&
        grep -q "$(basename "$(compgen -G "$work/runtime/rpncalc-*.socket")")" /proc/net/unix
}

"$work/rpncalc" >"$work/rpncalc.log" 2>&1 &
calc_pid=$!
pids+=("$calc_pid")
wait_until 20 catches_term "$calc_pid" || fail "the calculator does not handle SIGTERM"
wait_until 20 is_listening || fail "the calculator does not listen"
channel=$(compgen -G "$work/runtime/rpncalc-*.socket")
# The registers and the window as the first save wrote them, which the closing one writes
# again (the keypad, never shown, goes back to its designed place).
saved=$(head -n 7 "$work/rpncalc.cfg" | od -c)
awk 'NR == 1 { exit !($1 + 0 == 1.5) }' "$work/rpncalc.cfg" ||
    fail "the session was not loaded: $(cat "$work/rpncalc.cfg")"
idle_files=$(open_files)

coproc flood { exec python3 "$here/channel_flood.py" "$channel" 1000; }
pids+=("$flood_PID")
read -r -t 60 ready <&"${flood[0]}" || fail "the flood did not get its connections in"
[[ $ready == ready ]] || fail "the flood said: $ready"
# A few waiting connections, and one being taken.
files=$(open_files)
((files <= idle_files + 5)) || fail "the calculator holds $files files, $idle_files when idle"

# A second start during the flood.
code=0
timeout 20 "$work/rpncalc" >"$work/second.log" 2>&1 || code=$?
[[ $code -eq 0 ]] || fail "second start during the flood: exit code $code: $(cat "$work/second.log")"

# The connections use up every descriptor the calculator may open.
prlimit --pid "$calc_pid" --nofile=$((idle_files + 2))
wait_until 20 eval '(($(open_files) >= idle_files + 2))' ||
    fail "the flood did not reach the calculator's open-file limit"
inode=$(stat -c %i "$work/rpncalc.cfg")
kill -TERM "$calc_pid"
code=0
wait "$calc_pid" || code=$?
[[ $code -eq 0 ]] || fail "SIGTERM during the flood: exit code $code: $(cat "$work/rpncalc.log")"
[[ $(stat -c %i "$work/rpncalc.cfg") != "$inode" ]] || fail "SIGTERM during the flood: no save"
[[ $(head -n 7 "$work/rpncalc.cfg" | od -c) == "$saved" && $(wc -l <"$work/rpncalc.cfg") -eq 9 ]] ||
    fail "SIGTERM during the flood: the session file changed: $(od -c "$work/rpncalc.cfg")"
echo "PASS"
