#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Another user took the name of the user's lock folder /tmp/rpncalc-<uid> first: a folder of
# theirs open to all, a file, a FIFO, or a link to a private folder of the user's. A start
# without XDG_RUNTIME_DIR (su, ssh, a terminal outside the desktop) uses none of them, says
# so on stderr, and keeps its lock in a private folder of the user's own; two starts on one
# session file still meet (the second brings the first to the front and ends with exit
# code 0), nothing that was planted changes, and the lock files go with the calculator.
# Usage: lock_folder_e2e.sh path/to/rpncalc
set -euo pipefail

program=$1
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../lib/e2e_common.sh
source "$here/../lib/e2e_common.sh"
# shellcheck source=../lib/other_users.sh
source "$here/../lib/other_users.sh"

caption="^${RPNCALC_CAPTION:?the window caption}$"
chmod 755 "$work"
home=$work/home
mkdir -m 700 "$home" "$home/private" "$work/calc"
cp "$program" "$work/calc/rpncalc"
chown -R "$own_uid:$own_uid" "$home" "$work/calc"
lock_folder=/tmp/rpncalc-$own_uid
cache=$home/.cache/rpncalc

start_xvfb

# What stands at a path, the link itself, and what a folder or file there holds.
state_of() {
    stat -c '%F %u %a %N' "$1"
    if [[ -d $1 && ! -L $1 ]]; then
        ls -A "$1"
    elif [[ -f $1 ]]; then
        sha256sum <"$1"
    fi
    ls -A "$home/private"
}

# Runs what follows as the test's own user, without a runtime folder; a command, not a
# function, so that the calculator's process id is the one started.
as_user_at_a_terminal=("${as_own_user[@]}" env -u XDG_RUNTIME_DIR HOME="$home")

# name | what the other user plants at the lock folder's name
cases=(
    "another user's folder open to all|mkdir $lock_folder && chmod 777 $lock_folder"
    "a file|echo planted >$lock_folder"
    "a FIFO|mkfifo -m 666 $lock_folder"
    "a link to the user's private folder|ln -s $home/private $lock_folder"
)
for case in "${cases[@]}"; do
    IFS='|' read -r name plant <<<"$case"
    rm -rf "$lock_folder"
    (cd /tmp && "${as_nobody[@]}" sh -c "$plant") || fail "$name: could not plant it"
    before=$(state_of "$lock_folder")

    "${as_user_at_a_terminal[@]}" "$work/calc/rpncalc" >"$work/first.log" 2>&1 &
    calc_pid=$!
    pids+=("$calc_pid")
    window=$(timeout 20 xdotool search --sync --onlyvisible --pid "$calc_pid" --name "$caption" |
        head -n 1)
    [[ -n $window ]] || fail "$name: the calculator window did not appear: $(cat "$work/first.log")"
    grep -qF "rpncalc: $lock_folder is not a folder of yours alone; the lock is kept in $cache" \
        "$work/first.log" || fail "$name: the start did not say where the lock is: $(cat "$work/first.log")"
    [[ -n $(find "$cache" -name 'rpncalc-*.lock') ]] || fail "$name: no lock in $cache"

    code=0
    "${as_user_at_a_terminal[@]}" timeout 10 "$work/calc/rpncalc" >"$work/second.log" 2>&1 ||
        code=$?
    [[ $code -eq 0 ]] || fail "$name: second start: exit code $code ($(cat "$work/second.log"))"
    [[ $(xdotool search --name "$caption" | wc -l) -eq 1 ]] ||
        fail "$name: second start: more than one calculator window"
    kill -0 "$calc_pid" || fail "$name: the first calculator ended"

    wait_until 10 catches_term "$calc_pid" || fail "$name: SIGTERM is not handled"
    kill -TERM "$calc_pid"
    code=0
    wait "$calc_pid" || code=$?
    [[ $code -eq 0 ]] || fail "$name: exit code $code at SIGTERM"
    [[ $(state_of "$lock_folder") == "$before" ]] || fail "$name: what was planted changed"
    [[ -z $(ls -A "$cache") ]] || fail "$name: left in $cache: $(ls -A "$cache")"
done
echo "PASS"
