#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package, checks it with lintian, installs it into this system with apt,
# validates the installed desktop entry and AppStream metadata, starts the desktop entry's
# command under Xvfb with a scratch home, checks that the session file appears under that
# home's ~/.config, and removes the package again. Needs root (or sudo) and the packages of
# scripts/install-deps.sh. An rpncalc package that is already installed is left
# alone: then the test stops after lintian.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
installed=
pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    if [[ -n $installed ]]; then
        "${sudo[@]}" apt-get -o DPkg::Lock::Timeout=300 purge -y -q rpncalc >/dev/null 2>&1 || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

deb=$("$root/scripts/package.sh" "$work/out")
echo "built $(basename "$deb")"
lintian --fail-on error,warning --suppress-tags initial-upload-closes-no-bugs "$deb" ||
    fail "lintian reports errors or warnings"
echo "lintian: no errors or warnings"

if dpkg-query -W -f='${Status}' rpncalc 2>/dev/null | grep -q "install ok installed"; then
    echo "rpncalc is installed on this system already: not installing the test package"
    exit 0
fi
installed=yes
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get -o DPkg::Lock::Timeout=300 install -y -q "$deb" >"$work/apt.log" 2>&1 || {
    cat "$work/apt.log" >&2
    fail "apt-get could not install the package"
}

entry=/usr/share/applications/rpncalc.desktop
desktop-file-validate "$entry" || fail "desktop-file-validate: $entry"
appstreamcli validate --pedantic --no-net /usr/share/metainfo/*.metainfo.xml >/dev/null ||
    fail "appstreamcli rejects the installed metadata"
[[ $(command -v rpncalc) == /usr/bin/rpncalc ]] || fail "rpncalc is not /usr/bin/rpncalc"
[[ -s /usr/lib/rpncalc/rpncalc.hlp ]] || fail "no help file beside the installed program"
# Read from the package: slim systems leave manual pages out when installing. The whole list
# is read: grep -q would stop at the match and break dpkg-deb's pipe, a failure to pipefail.
dpkg-deb -c "$deb" | grep ' ./usr/share/man/man1/rpncalc.1.gz$' >/dev/null ||
    fail "no manual page in the package"
[[ $(rpncalc --version | sed -n 1p) == "rpncalc $(dpkg-parsechangelog -l "$root/debian/changelog" \
    -S Version | sed 's/-[^-]*$//')" ]] || fail "rpncalc --version: $(rpncalc --version)"

# The menu's command line, on a server of our own, for a user whose home is new.
command=$(sed -n 's/^Exec=//p' "$entry")
home="$work/home"
mkdir -p "$home"
exec {displayfd}<> <(:)
Xvfb -displayfd "$displayfd" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
read -r -t 20 display <&"$displayfd" || fail "Xvfb did not start"
# A session bus of the test's own, which ends with it: without one the desktop's libraries
# would start a bus for the display that outlives the test.
exec {busfd}<> <(:)
dbus-daemon --session --nofork --print-address="$busfd" >"$work/dbus.log" 2>&1 &
pids+=($!)
read -r -t 20 bus <&"$busfd" || fail "the session bus did not start"
session="$home/.config/rpncalc/rpncalc.cfg"
# shellcheck disable=SC2086 # the entry's command line is split into words, as a menu does
env -u XDG_CONFIG_HOME -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY HOME="$home" \
    DISPLAY=":$display" DBUS_SESSION_BUS_ADDRESS="$bus" $command >"$work/run.log" 2>&1 &
app=$!
pids+=("$app")
# The caption as the build has it; the tool that prints it is not in the package.
caption=$("$root/build/rpncalc-layout" | sed -n 's/^caption //p')
[[ -n $caption ]] || fail "no caption from $root/build/rpncalc-layout"
window=$(DISPLAY=":$display" timeout 20 xdotool search --sync --onlyvisible \
    --name "^$caption$" | head -n 1)
[[ -n $window ]] || fail "no window: $(cat "$work/run.log")"
for _ in $(seq 100); do
    [[ -s $session ]] && break
    sleep 0.1
done
[[ -s $session ]] || fail "no session file at $session: $(cat "$work/run.log")"
DISPLAY=":$display" /usr/bin/python3 "$root/tests/entry_ui/close_window.py" "$window"
for _ in $(seq 100); do
    kill -0 "$app" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$app" 2>/dev/null && fail "the program did not end on a close request"
[[ $(tr -cd '\n' <"$session" | wc -c) -eq 9 ]] || fail "the session file is not whole"
[[ ! -e /usr/lib/rpncalc/rpncalc.cfg && ! -e /usr/bin/rpncalc.cfg ]] ||
    fail "a session file appeared under /usr"
echo "the installed rpncalc ran from the menu's command line and kept its session in ~/.config"

"${sudo[@]}" apt-get -o DPkg::Lock::Timeout=300 purge -y -q rpncalc >"$work/apt.log" 2>&1 ||
    fail "apt-get purge failed"
installed=
for path in /usr/bin/rpncalc /usr/lib/rpncalc "$entry" \
    /usr/share/icons/hicolor/scalable/apps/rpncalc.svg; do
    [[ ! -e $path && ! -L $path ]] || fail "$path is still there after the purge"
done
echo "the package was removed cleanly"
