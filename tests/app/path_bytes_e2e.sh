#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Paths are bytes: a program folder whose name is no valid UTF-8, a configuration folder or
# home named so, and a program path longer than the system's path limit. The calculator is
# started from a folder that holds an unrelated .cfg, which must stay as it was; its session
# file is where its folder says, or nowhere when the program's own path cannot be read, and
# then every end by a signal says why and gives exit code 1, even one during the start.
# Usage: path_bytes_e2e.sh path/to/rpncalc
set -euo pipefail

program=$1
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../lib/e2e_common.sh
source "$here/../lib/e2e_common.sh"

# The ordinary user of the cases that need a folder the program cannot write.
chmod 755 "$work"
e9=$'\xe9'
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR=$work/runtime

# The working folder, with a file that a session file named by a relative path would hit.
mkdir "$work/run"
printf 'unrelated\r\nbytes\r\n' >"$work/run/.cfg"
unrelated=$(sha256sum <"$work/run/.cfg")

# A program folder named in Latin-1.
mkdir "$work/caf$e9"
cp "$program" "$work/caf$e9/rpncalc"

# A program folder that the ordinary user cannot write: the session goes to the user's own
# configuration folder, named in Latin-1 itself or below such a home.
mkdir "$work/system"
cp "$program" "$work/system/rpncalc"
for folder in "conf$e9" "home$e9"; do
    mkdir "$work/$folder"
    chown nobody:nogroup "$work/$folder"
done
chown nobody:nogroup "$work/runtime"

# A program path of more than 4096 bytes, reached through two links of about 2 KiB each,
# since neither a link nor a path given to exec may be that long.
deep() { for i in $(seq "$1" "$2"); do printf 'd%0100d/' "$i"; done; }
first=$(deep 1 20)
second=$(deep 21 45)
mkdir -p "$work/long/$first$second"
ln -s "${first%/}" "$work/long/s1"
ln -s "${second%/}" "$work/long/$first/s2"
cp "$program" "$work/long/s1/s2/rpncalc"

start_xvfb

# True once process $1 catches SIGTERM (bit 15 of its caught-signals mask): from then on a
# TERM saves and ends it as a session's end does, rather than killing it.
catches_term() {
    local mask
    mask=$(awk '/^SigCgt:/ { print $2 }' "/proc/$1/status" 2>/dev/null) || return 1
    [[ -n $mask ]] && (((16#$mask >> 14) & 1))
}

# Waits for the message box captioned $1 and answers it with Enter.
dismiss() {
    local box
    box=$(timeout 20 xdotool search --sync --onlyvisible --name "$1" | head -n 1)
    [[ -n $box ]] || fail "$name: no box captioned $1"
    xdotool windowfocus --sync "$box"
    xdotool key Return
    wait_until 10 bash -c "! xdotool search --onlyvisible --name '$1' >/dev/null" ||
        fail "$name: the box captioned $1 stayed"
}

# name | program | runs as | environment | session file that appears ("" for none) | exit code
# at SIGTERM
cases=(
    "program folder in Latin-1|$work/caf$e9/rpncalc|root||$work/caf$e9/rpncalc.cfg|0"
    "XDG_CONFIG_HOME in Latin-1|$work/system/rpncalc|nobody|XDG_CONFIG_HOME=$work/conf$e9|$work/conf$e9/rpncalc/rpncalc.cfg|0"
    "HOME in Latin-1|$work/system/rpncalc|nobody|HOME=$work/home$e9|$work/home$e9/.config/rpncalc/rpncalc.cfg|0"
    "program path over 4096 bytes|$work/long/s1/s2/rpncalc|root|||1"
)
for case in "${cases[@]}"; do
    IFS='|' read -r name exe user environment session expected_code <<<"$case"
    rm -f "$work/run.log"
    (
        cd "$work/run"
        if [[ $user == nobody ]]; then
            # shellcheck disable=SC2086 # the assignments are words
            exec setpriv --reuid=nobody --regid=nogroup --clear-groups \
                env -u XDG_CONFIG_HOME $environment "$exe"
        fi
        # shellcheck disable=SC2086 # the assignments are words
        exec env $environment "$exe"
    ) >"$work/run.log" 2>&1 &
    calc_pid=$!
    pids+=("$calc_pid")
    if [[ -n $session ]]; then
        wait_until 20 test -s "$session" || fail "$name: no session file at $session"
    else
        # The start says that no session can be kept, and its first save fails.
        dismiss '^Error$'
        dismiss '^Rpncalc$'
    fi
    wait_until 10 catches_term "$calc_pid" || fail "$name: SIGTERM is not handled"
    kill -TERM "$calc_pid"
    code=0
    wait "$calc_pid" || code=$?
    [[ $code -eq $expected_code ]] || fail "$name: exit code $code, not $expected_code"
    if [[ -z $session ]]; then
        grep -q "the program's own path cannot be read (File name too long)" "$work/run.log" ||
            fail "$name: the failed save did not say why"
    fi
    if [[ -n $session ]]; then
        [[ $(tr -d '\r' <"$session" | wc -l) -eq 9 ]] || fail "$name: the session file is not whole"
    fi
    [[ $(sha256sum <"$work/run/.cfg") == "$unrelated" ]] || fail "$name: the unrelated .cfg changed"
    [[ $(ls -A "$work/run") == .cfg ]] || fail "$name: files appeared in the working folder"
    [[ -z $(find "$work/long" -name '*.cfg' -print -quit) ]] ||
        fail "$name: a session file beside the long path"
done

# A signal while the start still says that no session can be kept, before anything is loaded:
# the end says why the session was not saved, and gives exit code 1, as every later one does.
name="program path over 4096 bytes, ended at the start"
rm -f "$work/run.log"
(cd "$work/run" && exec "$work/long/s1/s2/rpncalc") >"$work/run.log" 2>&1 &
calc_pid=$!
pids+=("$calc_pid")
timeout 20 xdotool search --sync --onlyvisible --name '^Error$' >/dev/null ||
    fail "$name: no box says that the session cannot be kept"
wait_until 10 catches_term "$calc_pid" || fail "$name: SIGTERM is not handled"
kill -TERM "$calc_pid"
code=0
wait "$calc_pid" || code=$?
[[ $code -eq 1 ]] || fail "$name: exit code $code, not 1"
grep -q "the program's own path cannot be read (File name too long)" "$work/run.log" ||
    fail "$name: the end did not say why the session was not saved"
[[ $(ls -A "$work/run") == .cfg ]] || fail "$name: files appeared in the working folder"
[[ -z $(find "$work/long" -name '*.cfg' -print -quit) ]] ||
    fail "$name: a session file beside the long path"
echo "PASS"
