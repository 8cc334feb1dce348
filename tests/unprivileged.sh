#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# unprivileged.sh PROGRAM [ARGUMENT...]
# Runs a test program as an unprivileged user when started as root: root may
# write into read-only folders, so the tests of a refused write would skip. The
# user is a numeric uid that no account, group or process has, and the program
# runs from a temporary folder of that uid (also its TMPDIR), which is removed
# afterwards. Anyone else, or a root that cannot change its uid, runs the
# program as it is.
set -eu

if [ "$(id -u)" -ne 0 ] || ! command -v setpriv >/dev/null 2>&1; then
    exec "$@"
fi

in_use() {
    getent passwd "$1" >/dev/null || getent group "$1" >/dev/null \
        || stat --printf '%u\n%g\n' /proc/[0-9]* 2>/dev/null | grep -qx "$1"
}
uid=59999
while in_use "$uid"; do
    uid=$((uid - 1))
done
drop() {
    setpriv --reuid="$uid" --regid="$uid" --clear-groups "$@"
}
if ! drop true 2>/dev/null; then
    exec "$@"
fi

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM
# A copy, since the build folder may be closed to other users (under root's home).
cp "$1" "$folder/"
program="$folder/$(basename "$1")"
shift
chown -R "$uid:$uid" "$folder"
cd "$folder"
status=0
TMPDIR="$folder" drop "$program" "$@" || status=$?
exit "$status"
