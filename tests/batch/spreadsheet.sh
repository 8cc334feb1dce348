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
cp "$data/fixes.fods" "$work/"
status=0
for filter in "csv" \
              "csv:Text - txt - csv (StarCalc):59,34,76,1,,0,true,true" \
              "csv:Text - txt - csv (StarCalc):32,34,76,1"; do
    rm -f "$work/fixes.csv"
    (cd "$work" && LC_ALL=it_IT.UTF-8 soffice -env:UserInstallation="file://$work/profile" --headless \
        --convert-to "$filter" fixes.fods >/dev/null 2>&1)
    [ -s "$work/fixes.csv" ] || { echo "FAIL: LibreOffice wrote nothing for '$filter'"; exit 1; }
    echo "== $filter:"
    cat "$work/fixes.csv"
    if ! "$program" --separatore=punto "$work/fixes.csv" >"$work/legs.csv" 2>"$work/err" \
        || [ -s "$work/err" ] || ! cmp -s "$work/legs.csv" "$data/spreadsheet.expected"; then
        echo "FAIL: legs or messages differ:"
        cat "$work/legs.csv" "$work/err"
        status=1
    fi
done

rm -f "$work/logger.csv"
cp "$data/logger.fods" "$work/"
(cd "$work" && LC_ALL=it_IT.UTF-8 soffice -env:UserInstallation="file://$work/profile" --headless \
    --convert-to "csv:Text - txt - csv (StarCalc):59,34,76" logger.fods >/dev/null 2>&1)
[ -s "$work/logger.csv" ] || { echo "FAIL: LibreOffice wrote nothing for logger.fods"; exit 1; }
echo "== logger.fods:"
cat "$work/logger.csv"
if ! "$program" --separatore=punto "$work/logger.csv" >"$work/legs.csv" 2>"$work/err" \
    || [ -s "$work/err" ] || ! cmp -s "$work/legs.csv" "$data/logger_sheet.expected"; then
    echo "FAIL: legs or messages differ:"
    cat "$work/legs.csv" "$work/err"
    status=1
fi
exit $status
