#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a source file (C++, CMake, shell, Python, the package's build script, the
# templates the build fills in) does not name its licence in an SPDX line near its top, so
# that a file copied out of the tree still says under which terms it may be passed on.
set -euo pipefail
root=${1:?usage: licence_lines_test.sh SOURCE_DIR}

missing=0
checked=0
while IFS= read -r -d '' file; do
    checked=$((checked + 1))
    if ! head -n 3 "$file" | grep -q 'SPDX-License-Identifier: [A-Za-z0-9.+-]'; then
        echo "no SPDX licence line in the first three lines: ${file#"$root"/}" >&2
        missing=$((missing + 1))
    fi
done < <(find "$root" \( -path "$root/build*" -o -path "$root/.git" -o -path "$root/obj-*" \
    -o -path "$root/debian/rpncalc" -o -path "$root/debian/.debhelper" \) -prune -o -type f \
    \( -name '*.cpp' -o -name '*.h' -o -name '*.cmake' -o -name 'CMakeLists.txt' \
    -o -name '*.sh' -o -name '*.py' -o -name '*.in' -o -path "$root/debian/rules" \) -print0)

((checked > 0)) || { echo "no source files found under $root" >&2; exit 1; }
((missing == 0)) || exit 1
echo "$checked source files name their licence"
