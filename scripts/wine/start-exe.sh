#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# start-exe.sh EXE [LABEL]: inside an X server, starts EXE under Wine with
# Italian settings and fails unless its window appears. Run by scripts/windows.
set -uo pipefail
. "$(dirname "$0")/window-appears.sh"
exe=$1
label=${2:-$(basename "$exe")}
LANG=it_IT.UTF-8 LC_ALL=it_IT.UTF-8 wine "$exe" &
window_appears && shown=yes || shown=no
wine taskkill /f /im "$(basename "$exe")" >/dev/null 2>&1 || true
if [ $shown = no ]; then
    echo "$label: no window appeared" >&2
    exit 1
fi
echo "$label: its window Zelvamirontica appeared"
