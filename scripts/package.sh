#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from a copy of the source tree (dpkg-buildpackage writes its
# results beside the tree it builds) and puts rpncalc_*.deb into the folder given (default:
# build/package). Needs debhelper (scripts/install-deps.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build/package}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

version=$(dpkg-parsechangelog -l "$root/debian/changelog" -S Version)
tree="$work/rpncalc-${version%-*}"
mkdir -p "$tree" "$out"
tar -C "$root" --exclude='./build*' --exclude=./.git --exclude=./.cache -cf - . |
    tar -C "$tree" -xf -
(cd "$tree" && DEB_BUILD_OPTIONS="parallel=$(nproc) ${DEB_BUILD_OPTIONS:-}" \
    dpkg-buildpackage -b -us -uc >"$work/build.log" 2>&1) || {
    tail -40 "$work/build.log" >&2
    echo "the package build failed" >&2
    exit 1
}
cp "$work"/rpncalc_*.deb "$work"/rpncalc_*.changes "$work"/rpncalc_*.buildinfo "$out/"
ls "$out"/rpncalc_*.deb
