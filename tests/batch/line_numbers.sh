#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Line numbers as an editor, grep -n and sed -n count them, in LF and CR LF
# inputs holding lone CRs inside lines, a long line of junk with CRs in it, and
# UBX frames with LF bytes in their payload. Each row's seconds are its own
# line number, so every leg's riga must equal its ora2_s, and every message's
# FILE:LINE must name a line that sed shows as junk.
#   line_numbers.sh PROGRAM
set -euo pipefail
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
command -v python3 >/dev/null || { echo "python3 is needed to write the inputs" >&2; exit 77; }

python3 - "$work" <<'PY'
import sys
work = sys.argv[1]

def ubx(payload):
    frame = b"\xb5\x62\x01\x07" + bytes([len(payload) & 0xFF, len(payload) >> 8]) + payload
    a = b = 0
    for byte in frame[2:]:
        a = (a + byte) & 0xFF
        b = (b + a) & 0xFF
    return frame + bytes([a, b])

for name, end in (("lf", b"\n"), ("crlf", b"\r\n")):
    out = b""
    line = 1
    def put(text):
        global out, line
        out += text + end
        line += 1
    put(b"# rows whose seconds are their own line number")
    for i in range(40):
        if i % 7 == 3:
            put(b"45 9 0 0 %d\rjunk, a lone CR inside" % line)
        elif i % 11 == 5:
            put(b"junk " + b"x\r" * 40000)
        elif i % 13 == 8:
            frame = ubx(b"\n\r\n\x00\n")
            out += frame
            line += frame.count(b"\n")
            put(b"45 9 0 0 %d" % line)
        else:
            put(b"45 9 0 0 %d" % line)
    open(f"{work}/{name}.txt", "wb").write(out)
PY

status=0
for name in lf crlf; do
    input=$work/$name.txt
    "$program" --separatore=punto "$input" >"$work/legs" 2>"$work/messages" || true
    legs=$(tail -n +2 "$work/legs" | wc -l)
    [ "$legs" -gt 20 ] || { echo "$name: only $legs legs" >&2; status=1; }
    while IFS=, read -r riga ora1 ora2 rest; do
        [ "$riga" = "$ora2" ] || { echo "$name: a leg at riga $riga is the row of line $ora2" >&2; status=1; }
    done < <(tail -n +2 "$work/legs")
    messages=0
    while IFS= read -r message; do
        line=${message#"$input":}
        line=${line%%:*}
        sed -n "${line}p" "$input" | grep -q junk \
            || { echo "$name: '$message' names a line that is no junk" >&2; status=1; }
        messages=$((messages + 1))
    done < "$work/messages"
    junk=$(grep -c junk "$input")
    [ "$messages" -eq "$junk" ] || { echo "$name: $messages messages for $junk lines of junk" >&2; status=1; }
done
exit $status
