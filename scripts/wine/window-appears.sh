# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the Wine checks: waits for a top-level window named exactly $1
# (default: the program's), up to two minutes. Polled, because one search can
# die on a window that Wine closes while it looks.
window_appears() {
    local name=${1:-Zelvamirontica}
    for _ in $(seq 240); do
        xdotool search --onlyvisible --name "^$name\$" >/dev/null 2>&1 && return 0
        sleep 0.5
    done
    return 1
}
