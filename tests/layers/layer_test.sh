#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a folder includes a folder above it, or when a folder below ui/ includes Qt or
# the X libraries. Each folder may include only itself and the folders listed for it; every
# arrow between folders points down, and the benchmarks reach only the libraries below ui/.
# The desktop protocol speaks to the toolkit and the X server, but its rules (desktop/rules/)
# use neither and include only one another.
set -euo pipefail
root=${1:?usage: layer_test.sh SOURCE_DIR}

declare -A allowed=(
    [engine]="engine"
    [entry]="engine entry"
    [session]="engine session"
    [cli]="engine entry session cli"
    [layout]="engine layout version"
    [desktop/rules]="desktop/rules"
    [desktop]="desktop desktop/rules"
    [help]="help"
    [ui]="engine entry session layout version desktop desktop/rules help ui"
    [app]="engine entry session layout version desktop desktop/rules help ui cli app"
    [bench]="engine layout version bench"
    [tools]="engine layout version tools"
)
# Only the desktop protocol, the widgets, the program around them and the benchmark's toolkit
# floor may use the toolkit and the display.
declare -A toolkit=([desktop]=1 [ui]=1 [app]=1 [bench]=1)

failures=0
checked=()
for folder in "${!allowed[@]}"; do
    [[ -d $root/$folder ]] || continue
    checked+=("$folder")
    while IFS= read -r line; do
        file=${line%%:*}
        include=$(sed -E 's/^[^:]*:[0-9]+:[[:space:]]*#[[:space:]]*include[[:space:]]*//' <<<"$line")
        if [[ -z ${toolkit[$folder]:-} && $include =~ ^\<(Q|q[a-z]+/|xcb|X11/) ]]; then
            echo "$file includes $include: $folder/ may use neither the toolkit nor the display" >&2
            failures=$((failures + 1))
        elif [[ $include =~ ^\"(([a-z_]+)(/[a-z_/]+)?)/[^/]+\" ]]; then
            # A subfolder with rules of its own counts as itself, any other as its folder.
            target=${BASH_REMATCH[1]}
            [[ -n ${allowed[$target]+set} ]] || target=${BASH_REMATCH[2]}
            if [[ " ${allowed[$folder]} " != *" $target "* ]]; then
                echo "$file includes $include: $folder/ may include only ${allowed[$folder]}" >&2
                failures=$((failures + 1))
            fi
        elif [[ $include =~ ^\" ]]; then
            echo "$file includes $include: name the folder of every project header" >&2
            failures=$((failures + 1))
        fi
    done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include' "$root/$folder" --include='*.h' \
                 --include='*.cpp' --include='*.h.in' || true)
done

if ((failures > 0)); then
    echo "$failures include(s) break the layers" >&2
    exit 1
fi
echo "layers hold: ${checked[*]}"
