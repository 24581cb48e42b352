#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" -DRPNCALC_WERROR=ON
cd "$root/build"
ctest --output-on-failure -j "$(nproc)"

# The Debian package: built, checked, installed, started, removed again.
"$root/tests/package/deb_test.sh"

# The rule libraries once more under the sanitizers, and the fuzz targets.
"$root/scripts/sanitize.sh"
