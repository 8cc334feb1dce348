#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# installer-check.sh INSTALLER MODE: inside an X server and a Wine prefix,
# installs silently in MODE (CurrentUser or AllUsers), then checks what that
# mode writes and nothing of the other: the program, its Start-menu entry and
# its uninstall record; starts the installed program; installs again over it
# (one install remains); uninstalls through the recorded command; checks that
# nothing is left. Run by scripts/windows.
set -euo pipefail
installer=$1
mode=$2
key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Zelvamirontica'

# A Windows folder of this prefix as a Unix path.
folder() { winepath -u "$(wine cmd /c echo "%$1%" 2>/dev/null | tr -d '\r')"; }
case $mode in
    CurrentUser) dir="$(folder LOCALAPPDATA)/Programs/Zelvamirontica"
                 menu="$(folder APPDATA)/Microsoft/Windows/Start Menu/Programs"
                 hive=HKCU other=HKLM ;;
    AllUsers)    dir="$(folder ProgramW6432)/Zelvamirontica"
                 menu="$(folder ProgramData)/Microsoft/Windows/Start Menu/Programs"
                 hive=HKLM other=HKCU ;;
    *) echo "installer-check.sh: mode CurrentUser or AllUsers" >&2; exit 2 ;;
esac
fail() { echo "installer ($mode): $*" >&2; exit 1; }
recorded() { wine reg query "$1\\$key" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/.*REG_SZ *//p"; }

for round in first again; do
    wine "$installer" /S "/$mode"
    [ -f "$dir/zelvamirontica.exe" ] || fail "no program in $dir ($round install)"
    [ -f "$dir/zelvamirontica-batch.exe" ] || fail "no console program in $dir ($round install)"
    [ -f "$menu/Zelvamirontica.lnk" ] || fail "no Start-menu entry ($round install)"
    [ -n "$(recorded $hive InstallLocation)" ] || fail "no uninstall record under $hive"
    [ -z "$(recorded $other InstallLocation)" ] || fail "an uninstall record under $other too"
done
echo "installer ($mode): installed twice into one place, Start-menu entry and $hive record"

"$(dirname "$0")/start-exe.sh" "$dir/zelvamirontica.exe" "installer ($mode): the installed program"

uninstall=$(recorded $hive QuietUninstallString)
[ -n "$uninstall" ] || fail "no quiet uninstall command recorded"
# "C:\...\Uninstall.exe" /S /Mode: the quoted program, then its arguments.
program=${uninstall#\"}
program=${program%%\"*}
read -ra arguments <<<"${uninstall##*\" }"
wine "$program" "${arguments[@]}"
# The uninstaller finishes from a copy of itself, after it has returned.
for _ in $(seq 60); do [ -e "$dir" ] || [ -e "$menu/Zelvamirontica.lnk" ] || break; sleep 0.5; done
if [ -e "$dir" ] || [ -e "$menu/Zelvamirontica.lnk" ] || [ -n "$(recorded $hive InstallLocation)" ]; then
    fail "the uninstaller left something behind"
fi
echo "installer ($mode): uninstalled, nothing left"
