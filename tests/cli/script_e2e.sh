#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program's scripts with no display at all: the issue's example, the locale's
# decimal separator, standard input that goes on after a problem, the session file left
# alone (and read, never written, with --from-session), and a gigabyte of input without a
# line end, read under a memory limit far below its size.
# Usage: script_e2e.sh path/to/rpncalc
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../lib/e2e_common.sh
source "$here/../lib/e2e_common.sh"

unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM XDG_SESSION_TYPE LC_ALL LC_NUMERIC LANG
# A copy of its own, so that a session file beside it would show; a home of its own, so that
# one in the user's folder would too.
cp "$1" "$work/rpncalc"
program=$work/rpncalc
export HOME=$work/home XDG_CONFIG_HOME=
mkdir "$HOME"

expect() {  # expected-stdout expected-exit-code command...
    local want=$1 code=$2
    shift 2
    local status=0
    "$@" >"$work/out" 2>"$work/err" || status=$?
    [[ $status -eq $code ]] || fail "$*: exit code $status, not $code; stderr: $(cat "$work/err")"
    [[ $(cat "$work/out") == "$want" ]] || fail "$*: printed '$(cat "$work/out")', not '$want'"
}

expect "15.5" 0 "$program" -e '3.5 4.25 + 2 *'
[[ ! -s $work/err ]] || fail "stderr of a good script: $(cat "$work/err")"
expect $'T 0\nZ 3\nY 1.5\nX 2' 0 env LC_ALL=C "$program" --stack -e '3 1,5 2'
[[ ! -e $work/rpncalc.cfg && -z $(ls -A "$HOME") ]] || fail "a script wrote a session file"
echo "scripts run without a display and leave no session file"

# Options that do not make a script are usage errors; --help names the script's options.
expect "" 2 "$program" --stack
[[ $(cat "$work/err") == "rpncalc: --stack, --exact and --from-session need -e or '-'. Try 'rpncalc --help'." ]] ||
    fail "--stack alone gave: $(cat "$work/err")"
expect "" 2 "$program" -e 1 -geometry +0+0
expect "" 2 "$program" -e
"$program" --help >"$work/out"
for option in "-e <TOKENS>" "--stack" "--exact" "--from-session" "Read tokens from standard input"; do
    grep -qF -- "$option" "$work/out" || fail "--help does not name $option"
done
echo "script options: usage errors exit 2, --help names them"

# The locale's separator, as the window shows it, from a locale built for the test.
if localedef -i de_DE -f UTF-8 "$work/de_DE.UTF-8" 2>/dev/null; then
    expect ",333333333333" 0 env LOCPATH="$work" LC_ALL=de_DE.UTF-8 "$program" -e '1 3 /'
    expect "0.333333333333333333342" 0 env LOCPATH="$work" LC_ALL=de_DE.UTF-8 "$program" \
        --exact -e '1 3 /'
    echo "the locale's ',' is shown, and --exact keeps '.'"
else
    echo "SKIP: no de_DE locale could be built here; the separator is not checked"
fi

# Standard input streams and goes on after a problem; the exit code still says it.
expect "1250025000" 0 bash -c "{ echo 0; seq 1 50000 | sed 's/$/ +/'; } | '$program' -"
expect "7" 1 bash -c "printf '1 0 /\n3 4 +\n' | '$program' -"
[[ $(cat "$work/err") == "rpncalc: line 1, column 5, '/': refused: division by zero" ]] ||
    fail "the problem's line was: $(cat "$work/err")"
echo "standard input streams and goes on after a problem"

# --from-session reads the session file beside the program and leaves it as it was.
printf ' 2.00000000000000E+0000\r\n 3.00000000000000E+0000\r\n 0.00000000000000E+0000\r\n 0.00000000000000E+0000\r\n10\r\n20\r\n 5.00000000000000E+0000\r\n300\r\n20\r\n' \
    >"$work/rpncalc.cfg"
cp -p "$work/rpncalc.cfg" "$work/saved.cfg"
touch -d '2001-01-01' "$work/rpncalc.cfg"
expect "10" 0 "$program" --from-session -e '+ rcl +'
cmp -s "$work/rpncalc.cfg" "$work/saved.cfg" || fail "--from-session changed the session file"
[[ $(stat -c %Y "$work/rpncalc.cfg") == $(date -d '2001-01-01' +%s) ]] ||
    fail "--from-session wrote the session file"
expect "0" 0 "$program" -e ''
printf 'not a session\r\n' >"$work/rpncalc.cfg"
expect "" 1 "$program" --from-session -e '1'
[[ $(cat "$work/err") == "rpncalc: The file $work/rpncalc.cfg has an incompatible format." ]] ||
    fail "an incompatible session file gave: $(cat "$work/err")"
echo "--from-session reads the session file and never writes it"

# A gigabyte without a line end, as blanks and as one token, within 150 MB of address space
# (the program with its libraries maps about 80 MB): a program that kept a line, or a token,
# could not read it.
limited() {  # stdin generator, then the program's arguments
    local generator=$1
    shift
    bash -c "$generator" | (ulimit -v 150000 && exec "$program" "$@")
}
expect "7" 0 limited "head -c 1G /dev/zero | tr '\0' ' '; echo 7" -
expect "8" 1 limited "echo 8; head -c 1G /dev/zero | tr '\0' '1'" -
[[ $(cat "$work/err") == "rpncalc: line 2, column 1, '1111111111111111111111111111111111111111...': longer than the 65536 characters the X field takes" ]] ||
    fail "the gigabyte token gave: $(cat "$work/err")"
echo "a gigabyte of input read within a 150 MB address space"
