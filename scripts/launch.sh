#!/usr/bin/env bash
# Installs what is missing, builds, and starts the calculator.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
if [[ -x "$root/build/rpncalc" ]]; then
    exec "$root/build/rpncalc"
fi
