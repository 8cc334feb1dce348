#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The round trip through a real spreadsheet: LibreOffice, under Italian
# settings, exports a sheet of fixes as CSV in its default dialect (',' between
# fields, decimal commas in quotes), with ';' and quoted text cells, and with
# blanks; zelvamirontica-batch must read each into the same legs. Then a
# logger's sheet (a "sep=;" first row, a header of Italian names, date and
# time cells) exported with ';', read by its columns.
#   spreadsheet.sh PROGRAM DATA   (exit status 77: no LibreOffice or no it_IT.UTF-8)
set -uo pipefail
program=$1
data=$2
command -v soffice >/dev/null || { echo "no soffice (libreoffice-calc-nogui)"; exit 77; }
locale -a 2>/dev/null | grep -qix 'it_IT.utf8' || { echo "no it_IT.UTF-8 locale"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
# export_and_check SHEET FILTER EXPECTED: LibreOffice's export of SHEET with
# FILTER must give the EXPECTED legs and no message.
export_and_check() {
    local sheet=$1 filter=$2 expected=$3 csv=${1%.fods}.csv
    cp "$data/$sheet" "$work/"
    rm -f "$work/$csv"
    (cd "$work" && LC_ALL=it_IT.UTF-8 soffice -env:UserInstallation="file://$work/profile" --headless \
        --convert-to "$filter" "$sheet" >/dev/null 2>&1)
    [ -s "$work/$csv" ] || { echo "FAIL: LibreOffice wrote nothing for $sheet with '$filter'"; status=1; return; }
    echo "== $sheet, $filter:"
    cat "$work/$csv"
    if ! "$program" --separatore=punto "$work/$csv" >"$work/legs.csv" 2>"$work/err" \
        || [ -s "$work/err" ] || ! cmp -s "$work/legs.csv" "$data/$expected"; then
        echo "FAIL: legs or messages differ:"
        cat "$work/legs.csv" "$work/err"
        status=1
    fi
}
for filter in "csv" \
              "csv:Text - txt - csv (StarCalc):59,34,76,1,,0,true,true" \
              "csv:Text - txt - csv (StarCalc):32,34,76,1"; do
    export_and_check fixes.fods "$filter" spreadsheet.expected
done
export_and_check logger.fods "csv:Text - txt - csv (StarCalc):59,34,76" logger_sheet.expected
exit $status
