#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program in a folder that another user may write: a sticky one like /tmp, or one a
# group shares. That user puts a link rpncalc.cfg -> a file of the calculator's user, a file
# of their own with numbers in it, or a folder beside the program. The calculator keeps its
# session in the user's own ~/.config/rpncalc/rpncalc.cfg instead, says so on stderr, asks
# nothing, loads none of the other user's numbers, and leaves every planted thing and the
# file the link names byte for byte as they were, a save at SIGTERM included.
# Usage: shared_folder_e2e.sh path/to/rpncalc
set -euo pipefail

program=$1
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../lib/e2e_common.sh
source "$here/../lib/e2e_common.sh"
# shellcheck source=../lib/other_users.sh
source "$here/../lib/other_users.sh"

chmod 755 "$work"
home=$work/home
mkdir -m 700 "$home" "$work/runtime"
printf 'alias ls="ls --color"\n' >"$home/.bashrc"
chown -R "$own_uid:$own_uid" "$home" "$work/runtime"
victim_file=$home/.bashrc
victim_sum=$(sha256sum <"$victim_file")
per_user=$home/.config/rpncalc/rpncalc.cfg

# The two kinds of shared folder, each with the calculator's user's copy of the program.
mkdir -m 1777 "$work/sticky"
mkdir -m 775 "$work/team"
chown "$own_uid:nogroup" "$work/team"
chmod 775 "$work/team"
for folder in sticky team; do
    cp "$program" "$work/$folder/rpncalc"
    chown "$own_uid:$own_uid" "$work/$folder/rpncalc"
done

start_xvfb

# What stands at a path, the link itself, and what a file or folder there holds.
state_of() {
    stat -c '%F %u %a %N' "$1"
    if [[ -d $1 && ! -L $1 ]]; then
        ls -A "$1"
    elif [[ -f $1 && ! -L $1 ]]; then
        sha256sum <"$1"
    fi
}

# folder | what the other user plants beside the program
cases=(
    "sticky|ln -s $victim_file rpncalc.cfg"
    "sticky|printf '42\r\n42\r\n42\r\n42\r\n10\r\n10\r\n42\r\n10\r\n10\r\n' >rpncalc.cfg"
    "sticky|mkdir rpncalc.cfg"
    "team|ln -s $victim_file rpncalc.cfg"
    "team|printf '42\r\n42\r\n42\r\n42\r\n10\r\n10\r\n42\r\n10\r\n10\r\n' >rpncalc.cfg"
)
for case in "${cases[@]}"; do
    IFS='|' read -r folder plant <<<"$case"
    name="$folder folder, $plant"
    rm -rf "$work/$folder/rpncalc.cfg" "$home/.config"
    (cd "$work/$folder" && "${as_nobody[@]}" sh -c "$plant") || fail "$name: could not plant it"
    planted=$(state_of "$work/$folder/rpncalc.cfg")

    "${as_own_user[@]}" env XDG_RUNTIME_DIR="$work/runtime" HOME="$home" "$work/$folder/rpncalc" \
        >"$work/run.log" 2>&1 &
    calc_pid=$!
    pids+=("$calc_pid")
    # The first save comes after the load, and after any box the load shows.
    wait_until 20 test -s "$per_user" ||
        fail "$name: no session file at $per_user: $(cat "$work/run.log")"
    grep -qF "rpncalc: the session is kept in $per_user: another user may change the folder $work/$folder" \
        "$work/run.log" || fail "$name: the start did not say where the session is: $(cat "$work/run.log")"
    wait_until 10 catches_term "$calc_pid" || fail "$name: SIGTERM is not handled"
    kill -TERM "$calc_pid"
    code=0
    wait "$calc_pid" || code=$?
    [[ $code -eq 0 ]] || fail "$name: exit code $code at SIGTERM: $(cat "$work/run.log")"

    [[ $(sha256sum <"$victim_file") == "$victim_sum" ]] || fail "$name: $victim_file changed"
    [[ $(state_of "$work/$folder/rpncalc.cfg") == "$planted" ]] ||
        fail "$name: what was planted changed"
    [[ $(head -n 1 "$per_user") == " 0.00000000000000E+0000"$'\r' ]] ||
        fail "$name: the other user's numbers were loaded: $(head -n 1 "$per_user")"
    [[ $(tr -d '\r' <"$per_user" | wc -l) -eq 9 ]] || fail "$name: the session file is not whole"
    [[ $(stat -c %u "$per_user") == "$own_uid" ]] || fail "$name: the session file is not the user's"
done
echo "PASS"
