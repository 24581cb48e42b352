#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a C++ file under version control is not laid out as the repository's
# .clang-format says (clang-format -i on the file fixes it).
set -euo pipefail
root=${1:?usage: format_test.sh SOURCE_DIR}
cd "$root"

# The files under version control, not a scratch file or an in-tree build folder; a tarball
# without .git has only the project's files, less its build folders.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t files < <(git ls-files --cached -- '*.cpp' '*.h' '*.h.in')
else
    mapfile -t files < <(find . \( -path './build*' -o -path './obj-*' \) -prune -o \
                             \( -name '*.cpp' -o -name '*.h' -o -name '*.h.in' \) -print)
fi
if ((${#files[@]} == 0)); then
    echo "no C++ files found under $root" >&2
    exit 1
fi
clang-format --dry-run --Werror "${files[@]}"
echo "${#files[@]} files formatted as .clang-format says"
