#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# XML built to exhaust memory or time, streamed through a pipe: a 300 MB
# attribute, 2,000,000 nested elements and a 50 MB time. Each must give one message, within
# 5 s of CPU and a peak resident size under 16 MB, however large the input.
# GNU time measures the program alone, not the writer of its input. Under
# AddressSanitizer the program's shadow memory alone passes 16 MB, so there
# (SANITIZED=1) the peak is printed but not bounded.
#   xml_bounds.sh PROGRAM
set -uo pipefail
program=$1
command -v python3 >/dev/null && [ -x /usr/bin/time ] || { echo "python3 and GNU time are needed" >&2; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

stream() {  # stream attribute|nested|time: the document on standard output
    python3 - "$1" <<'PY'
import sys
out = sys.stdout.buffer
MB = 1 << 20
try:
    if sys.argv[1] == "attribute":
        out.write(b'<?xml version="1.0"?>\n<gpx version="1.1"><trk><trkseg>\n<trkpt lat="45" lon="9" x="')
        for _ in range(300):
            out.write(b"a" * MB)
        out.write(b'"/></trkseg></trk></gpx>\n')
    elif sys.argv[1] == "time":
        out.write(b'<?xml version="1.0"?>\n<gpx version="1.1"><trk><trkseg>\n<trkpt lat="45" lon="9"><time>')
        for _ in range(50):
            out.write(b"2" * MB)
        out.write(b'</time></trkpt></trkseg></trk></gpx>\n')
    else:
        out.write(b'<?xml version="1.0"?>\n<gpx version="1.1">')
        for _ in range(2000):
            out.write(b"<e>" * 1000)
        for _ in range(2000):
            out.write(b"</e>" * 1000)
        out.write(b"</gpx>\n")
    out.flush()
except BrokenPipeError:
    pass  # the program has given up on the input, as it should
PY
}

failed=0
for kind in attribute nested time; do
    stream "$kind" | /usr/bin/time -o "$work/usage" -f "%M %U %S" "$program" --separatore=punto \
        >/dev/null 2>"$work/messages"
    status=${PIPESTATUS[1]}
    read -r peak_kb user system < <(tail -n 1 "$work/usage")  # after any "Command exited" line
    messages=$(wc -l < "$work/messages")
    cpu=$(awk -v u="$user" -v s="$system" 'BEGIN { print u + s }')
    echo "$kind: status $status, $messages message(s), $cpu s of CPU, peak $((peak_kb / 1024)) MB"
    sed 's/^/    /' "$work/messages"
    peak_limit_kb=$((16 * 1024))
    [ "${SANITIZED:-0}" = 1 ] && peak_limit_kb=$((1 << 30))
    if [ "$status" -ne 1 ] || [ "$messages" -ne 1 ] || [ "$peak_kb" -ge "$peak_limit_kb" ] \
        || awk -v c="$cpu" 'BEGIN { exit !(c >= 5) }'; then
        failed=1
    fi
done
exit $failed
