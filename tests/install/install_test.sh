#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs into a temporary prefix and starts the installed program through its bin link:
# it must stand beside its help file and be named by the desktop entry. In a prefix the user
# can write, its session file appears beside the program; in a read-only prefix, in the
# user's configuration folder. Usage: install_test.sh build-folder
set -euo pipefail
build=$1
prefix=$(mktemp -d)
home=$(mktemp -d)
pid=
cleanup() {
    [[ -n $pid ]] && kill "$pid" 2>/dev/null || true
    chmod -R u+w "$prefix" 2>/dev/null || true
    rm -rf "$prefix" "$home"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cmake --install "$build" --prefix "$prefix" >/dev/null
program_dir="$prefix/lib/rpncalc"
test -x "$program_dir/rpncalc"
test -s "$program_dir/rpncalc.hlp"
test -s "$prefix/share/icons/hicolor/scalable/apps/rpncalc.svg"
test -s "$prefix/share/man/man1/rpncalc.1"
[[ $(readlink -f "$prefix/bin/rpncalc") == "$(readlink -f "$program_dir/rpncalc")" ]] ||
    fail "bin/rpncalc does not lead to the program"
grep -qx "Exec=$program_dir/rpncalc" "$prefix/share/applications/rpncalc.desktop" ||
    fail "the desktop entry does not name the installed program"
desktop-file-validate "$prefix/share/applications/rpncalc.desktop"
appstreamcli validate --no-net --pedantic "$prefix"/share/metainfo/*.metainfo.xml >/dev/null

# Starts the installed program through the link, with a scratch home, and waits for the
# session file at $1. The rest of the arguments run it (as another user).
start_and_wait_for() {
    local session=$1
    shift
    HOME=$home XDG_CONFIG_HOME= QT_QPA_PLATFORM=offscreen "$@" "$prefix/bin/rpncalc" \
        >"$home/run.log" 2>&1 &
    pid=$!
    for _ in $(seq 100); do
        [[ -s $session ]] && break
        kill -0 "$pid" 2>/dev/null || fail "the program ended: $(cat "$home/run.log")"
        sleep 0.1
    done
    [[ -s $session ]] || fail "no session file at $session"
    lines=$(tr -cd '\n' <"$session" | wc -c)
    [[ $lines -eq 9 ]] || fail "the session file $session has $lines lines"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    pid=
}

# A prefix the user owns: beside the program (found through the link), as always.
start_and_wait_for "$program_dir/rpncalc.cfg"
[[ ! -e $home/.config ]] || fail "a configuration folder was made for a writable prefix"
echo "installed program started and wrote $program_dir/rpncalc.cfg"

# A read-only prefix: one file per user under ~/.config. Root may write anywhere, so as
# root the program runs as nobody, whose home the scratch folder becomes.
rm "$program_dir/rpncalc.cfg"
chmod -R a-w "$prefix"
chmod 755 "$prefix" "$home"
as_user=()
if [[ $(id -u) -eq 0 ]]; then
    chown nobody "$home"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
start_and_wait_for "$home/.config/rpncalc/rpncalc.cfg" "${as_user[@]}"
[[ ! -e $program_dir/rpncalc.cfg ]] || fail "a session file appeared in the read-only prefix"
[[ $(stat -c %a "$home/.config/rpncalc") == 700 ]] || fail "the session folder is not private"
echo "from a read-only prefix it wrote ~/.config/rpncalc/rpncalc.cfg"
