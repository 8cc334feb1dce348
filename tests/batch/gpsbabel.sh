#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program's reading of GPX, TCX and KML held against GPSBabel's: each file
# is read by GPSBabel into points (latitude, longitude, UTC time), those points
# become the program's own 5-number rows, and every leg with clocks that the
# program wrote from the file itself must be among the legs of those rows: the
# same times of day, distance, interval and speeds, so the same positions and
# times were read. (Rows have no segments, and GPSBabel keeps points the
# program rejects, so GPSBabel's list may have legs more, never fewer.)
#   gpsbabel.sh PROGRAM DATA   (exit status 77: no gpsbabel)
set -uo pipefail
program=$1
data=$2
command -v gpsbabel >/dev/null || { echo "no gpsbabel"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for reading in "gpx track11.gpx" "gtrnctr activity.tcx" "kml track.kml"; do
    read -r format file <<<"$reading"
    gpsbabel -t -i "$format" -f "$data/$file" -o unicsv,utc=0 -F "$work/points.csv" || exit 1
    # Latitude, longitude and the time of day of every point with a time and a
    # latitude the program would take, as the window's five numbers.
    awk -F, '{ sub(/\r$/, "") }
             NR == 1 { for (i = 1; i <= NF; ++i) column[$i] = i; next }
             { time = $column["Time"]; lat = $column["Latitude"] }
             time != "" && lat <= 90 && lat >= -90 {
                 split(time, t, ":"); print lat, $column["Longitude"], t[1], t[2], t[3] }' \
        "$work/points.csv" >"$work/rows.txt"
    "$program" --separatore=punto "$work/rows.txt" | cut -d, -f2- | sort >"$work/babel.legs"
    "$program" --separatore=punto "$data/$file" 2>/dev/null | cut -d, -f2- | grep -v '^,' | sed 1d | sort \
        >"$work/ours.legs"
    missing=$(comm -23 "$work/ours.legs" "$work/babel.legs")
    count=$(wc -l <"$work/ours.legs")
    if [ "$count" -eq 0 ] || [ -n "$missing" ]; then
        echo "FAIL: $file: $count legs; not among GPSBabel's points' legs:"
        echo "$missing"
        status=1
    else
        echo "$file: all $count legs with clocks match GPSBabel's reading"
    fi
done
exit $status
