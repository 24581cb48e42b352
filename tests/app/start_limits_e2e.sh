#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the real program under resource limits too low for it to run (ulimit -n 16, ulimit
# -s 64), with an X server it could reach: it must end at once with one line on stderr that
# names the limit and exit code 1, its session file byte for byte as it was. A limit that is
# only a soft one below what the program needs is raised, and the program runs.
# Usage: start_limits_e2e.sh path/to/rpncalc
set -euo pipefail

program=$1
here=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=../lib/e2e_common.sh
source "$here/lib/e2e_common.sh"

cp "$program" "$work/rpncalc"
start_xvfb

session=$' 5.00000000000000E+0000\r\n 6.00000000000000E+0000\r\n0\r\n0\r\n10\r\n20\r\n0\r\n300\r\n20\r\n'
printf '%s' "$session" >"$work/rpncalc.cfg"
before=$(sha256sum <"$work/rpncalc.cfg")

# limit | what the line names
cases=(
    "-n 16|ulimit -n"
    "-s 64|ulimit -s"
)
for case in "${cases[@]}"; do
    IFS='|' read -r limit names <<<"$case"
    # shellcheck disable=SC2086 # the limit's option and value are two words
    (ulimit $limit && exec "$work/rpncalc") >"$work/out.log" 2>"$work/err.log" &
    calc_pid=$!
    pids+=("$calc_pid")
    wait_until 20 eval '! kill -0 "$calc_pid" 2>/dev/null' ||
        fail "ulimit $limit: the program did not end"
    code=0
    wait "$calc_pid" || code=$?
    [[ $code -eq 1 ]] || fail "ulimit $limit: exit code $code, not 1"
    [[ $(wc -l <"$work/err.log") -eq 1 ]] ||
        fail "ulimit $limit: stderr is not one line: $(cat "$work/err.log")"
    grep -q "^rpncalc: .*$names" "$work/err.log" ||
        fail "ulimit $limit: the line does not name the limit: $(cat "$work/err.log")"
    [[ ! -s $work/out.log ]] || fail "ulimit $limit: something on stdout: $(cat "$work/out.log")"
    [[ $(sha256sum <"$work/rpncalc.cfg") == "$before" ]] ||
        fail "ulimit $limit: the session file changed"
done

# A soft open-file limit of 16 under the usual hard one: raised, and the program runs, saving
# its session at once.
(($(ulimit -H -n) >= 64)) || fail "the hard open-file limit here is below 64"
rm "$work/rpncalc.cfg"
(ulimit -S -n 16 && exec "$work/rpncalc") >"$work/rpncalc.log" 2>&1 &
calc_pid=$!
pids+=("$calc_pid")
wait_until 20 test -s "$work/rpncalc.cfg" || fail "soft limit: no session file appeared"
kill -TERM "$calc_pid"
code=0
wait "$calc_pid" || code=$?
[[ $code -eq 0 ]] || fail "soft limit: exit code $code"
echo "PASS"
