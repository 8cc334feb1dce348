#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# startup-ratio.sh EXE BARE [PAIRS]: inside an X server, starts EXE and the bare
# window BARE under Wine in turn, PAIRS times each (default 15), and times each
# start from launch to its window mapped. Prints the medians and their ratio.
# Run by scripts/windows, with one wineserver kept up for the whole run.
set -euo pipefail
exe=$1 bare=$2 pairs=${3:-15}

# Milliseconds from launch until a visible window named $2 exists.
time_start() {
    local start now
    start=$(date +%s%N)
    LANG=it_IT.UTF-8 LC_ALL=it_IT.UTF-8 wine "$1" >/dev/null 2>&1 &
    for _ in $(seq 20000); do
        xdotool search --onlyvisible --name "^$2\$" >/dev/null 2>&1 && break
    done
    now=$(date +%s%N)
    wine taskkill /f /im "$(basename "$1")" >/dev/null 2>&1 || true
    wait 2>/dev/null || true
    echo $(( (now - start) / 1000000 ))
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

program_times=() bare_times=()
time_start "$exe" Zelvamirontica >/dev/null  # the first start of each fills the caches
time_start "$bare" bare_window >/dev/null
for _ in $(seq "$pairs"); do
    program_times+=("$(time_start "$exe" Zelvamirontica)")
    bare_times+=("$(time_start "$bare" bare_window)")
done
p=$(printf '%s\n' "${program_times[@]}" | median)
b=$(printf '%s\n' "${bare_times[@]}" | median)
echo "start-up under Wine, launch to window mapped, medians of $pairs pairs:" \
     "program $p ms, bare window $b ms, ratio $(awk "BEGIN { printf \"%.2f\", $p / $b }")"
