# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced after e2e_common.sh by the end-to-end scripts that need users other than the one
# running them (root): a user of the test's own that no other process has, to run the
# calculator as, and `nobody` to plant things where the calculator looks.

[[ $(id -u) -eq 0 ]] || fail "needs root, to run programs as other users"

# A user id that no account and no process has, and that has no folder under /tmp: the
# calculator's user, so that what the test plants in /tmp/rpncalc-<uid> meets nobody else's
# calculator. Its folder there goes with the test.
own_uid=
for _ in $(seq 20); do
    candidate=$((3000000000 + RANDOM * 32768 + RANDOM))
    if ! getent passwd "$candidate" >/dev/null && [[ ! -e /tmp/rpncalc-$candidate ]] &&
        ! pgrep -U "$candidate" >/dev/null; then
        own_uid=$candidate
        break
    fi
done
[[ -n $own_uid ]] || fail "no free user id"
other_users_cleanup() {
    cleanup
    rm -rf "/tmp/rpncalc-$own_uid"
    # The toolkit's runtime folder for a user without a name, when this test's user made it.
    if [[ $(stat -c %u /tmp/runtime- 2>/dev/null) == "$own_uid" ]]; then
        rm -rf /tmp/runtime-
    fi
}
trap other_users_cleanup EXIT

# Commands that run what follows them as the test's own user (in its own group and no
# other), and as another user of the machine.
as_own_user=(setpriv --reuid="$own_uid" --regid="$own_uid" --clear-groups)
as_nobody=(setpriv --reuid=nobody --regid=nogroup --clear-groups)

# True once process $1 catches SIGTERM (bit 15 of its caught-signals mask): from then on a
# TERM saves and ends it as a session's end does, rather than killing it.
catches_term() {
    local mask
    mask=$(awk '/^SigCgt:/ { print $2 }' "/proc/$1/status" 2>/dev/null) || return 1
    [[ -n $mask ]] && (((16#$mask >> 14) & 1))
}
