#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# zelvamirontica-batch as a live source's reader sees it: live.sh CHECK PROGRAM
#   live_pipe       lines written one at a time into a pipe, each leg read back
#                   before the next line is written; a termination signal still
#                   gives the leg of the held epoch
#   closed_pipe     a reader that goes away ends the program quietly, not as a success
#   system_messages the system's reasons keep their accented letters (it_IT.UTF-8)
# Exit status 77: the check cannot run here.
set -uo pipefail
check=$1
program=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; [ -s "$work/err" ] && sed 's/^/stderr: /' "$work/err" >&2; exit 1; }

live_pipe() {
    coproc batch { exec "$program" --separatore=punto 2>"$work/err"; }
    local to=${batch[1]} from=${batch[0]} pid=$batch_PID line
    # The next line of output within 10 s (generous: no timing is measured),
    # beginning with $1.
    expect() {
        IFS= read -r -t 10 line <&"$from" || fail "nothing within 10 s, expected '$1'"
        [[ $line == "$1"* ]] || fail "got '$line', expected '$1...'"
    }
    # Nothing more yet: the leg is not known until a later line.
    quiet() {
        if IFS= read -r -t 0.5 line <&"$from"; then fail "got '$line' before it could be known"; fi
    }
    send() { printf '%s\r\n' "$1" >&"$to"; }

    expect "riga,ora1_s,"
    send "45;9;10;15;30"; quiet
    send "44;10;11;45;0"; expect "2,36930,42300,136.578403580859,"
    # An epoch is known when the next one begins: its RMC may still follow.
    send '$GPGGA,114600.00,4430.0000,N,01021.0000,E,1,08,0.9,120.0,M,46.9,M,,*66'; quiet
    send '$GPRMC,114600.00,A,4430.0000,N,01021.0000,E,3.1,45.0,081226,,,A*61'; quiet
    send '$GPGGA,114610.00,4430.0100,N,01021.0000,E,1,08,0.9,120.0,M,46.9,M,,*66'
    expect "3,42300,42360,"
    # The input stays open: the signal alone ends it, and the held epoch's leg comes out.
    kill -TERM "$pid"
    expect "5,42360,42370,0.0185324877527418,"
    wait "$pid"
    local status=$?
    [ "$status" -eq 143 ] || fail "exit status $status after SIGTERM, expected 143"
    [ -s "$work/err" ] && fail "messages on standard error"
    return 0
}

closed_pipe() {
    local status
    yes '45 9 10 15 30' | head -n 200000 | "$program" 2>"$work/err" | head -n 1 >/dev/null
    status=${PIPESTATUS[2]}
    [ "$status" -ne 0 ] || fail "exit status 0 though most legs were not written"
    [ -s "$work/err" ] && fail "a message for a reader that went away"
    echo "exit status $status, no message"
}

system_messages() {
    locale -a 2>/dev/null | grep -qix 'it_IT.utf8' || { echo "no it_IT.UTF-8 locale"; exit 77; }
    # The fault: "? una directory", the C library's text cut down to ASCII.
    LC_ALL=it_IT.UTF-8 "$program" "$work" >/dev/null 2>"$work/err"
    grep -q 'È una directory' "$work/err" || fail "no 'È una directory'"
    cat "$work/err"
}

"$check"
