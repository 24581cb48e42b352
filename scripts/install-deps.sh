#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian 12 packages that building, running and testing rpncalc need, and only
# those that are missing. Uses sudo when not run as root.
set -euo pipefail

packages=(
    g++ cmake make pkg-config
    qt6-base-dev libxcb1-dev libxcb-xkb-dev libx11-dev
    libgtest-dev libgmock-dev
    libbenchmark-dev
    clang libclang-rt-14-dev clang-format
    fonts-liberation
    xvfb xauth x11-utils x11-apps x11-xserver-utils xclip xdotool wmctrl
    openbox xfwm4 fluxbox icewm metacity marco mate-settings-daemon-common dbus dbus-x11
    python3 python3-xlib
    dbus at-spi2-core python3-pyatspi
    desktop-file-utils appstream
    debhelper dpkg-dev lintian
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

sudo=()
if [[ $(id -u) -ne 0 ]]; then
    sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
