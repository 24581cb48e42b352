#!/usr/bin/env bash
# Installs into a temporary prefix and starts the installed program: it must stand beside
# its help file, write its session file beside itself at start-up, and be named by the
# desktop entry.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'kill "${pid:-0}" 2>/dev/null || true; rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
program_dir="$prefix/lib/rpncalc"
test -x "$program_dir/rpncalc"
test -s "$program_dir/rpncalc.hlp"
test -s "$prefix/share/icons/hicolor/scalable/apps/rpncalc.svg"
grep -qx "Exec=$program_dir/rpncalc" "$prefix/share/applications/rpncalc.desktop"

QT_QPA_PLATFORM=offscreen "$program_dir/rpncalc" &
pid=$!
for _ in $(seq 100); do
    if [[ -s "$program_dir/rpncalc.cfg" ]]; then
        break
    fi
    sleep 0.1
done
lines=$(tr -cd '\n' <"$program_dir/rpncalc.cfg" | wc -c)
if [[ $lines -ne 9 ]]; then
    echo "session file beside the installed program has $lines lines" >&2
    exit 1
fi
kill -0 "$pid"
echo "installed program started and wrote $program_dir/rpncalc.cfg"
