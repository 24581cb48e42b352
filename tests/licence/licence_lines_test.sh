#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a source file (C++, CMake, shell, Python, the package's build script, the
# templates the build fills in) does not name its licence in an SPDX line near its top, so
# that a file copied out of the tree still says under which terms it may be passed on.
set -euo pipefail
root=${1:?usage: licence_lines_test.sh SOURCE_DIR}
cd "$root"

# The project's files: those under version control, not a scratch file or what a build or the
# package left in the tree; a tarball without .git has only the project's files, less those.
project_files() {
    if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
        git ls-files --cached -z
    else
        find . \( -path './build*' -o -path ./.git -o -path './obj-*' -o -path ./debian/rpncalc \
            -o -path ./debian/.debhelper \) -prune -o -type f -printf '%P\0'
    fi
}

missing=0
checked=0
while IFS= read -r -d '' file; do
    case $file in
        *.cpp | *.h | *.cmake | */CMakeLists.txt | CMakeLists.txt | *.sh | *.py | *.in | \
            debian/rules) ;;
        *) continue ;;
    esac
    checked=$((checked + 1))
    if ! head -n 3 "$file" | grep -q 'SPDX-License-Identifier: [A-Za-z0-9.+-]'; then
        echo "no SPDX licence line in the first three lines: $file" >&2
        missing=$((missing + 1))
    fi
done < <(project_files)

((checked > 0)) || { echo "no source files found under $root" >&2; exit 1; }
((missing == 0)) || exit 1
echo "$checked source files name their licence"
