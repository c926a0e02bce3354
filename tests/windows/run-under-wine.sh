#!/usr/bin/env bash
# Runs the core's Windows build (tools/cross-compile-core.sh) under Wine: the safe-write's checks,
# then a database that core_check.exe writes over an old file, read back with mdbtools and
# mdb-reader. The Wine prefix is made once, in the build folder; console programs need no
# display. Usage: tests/windows/run-under-wine.sh <build folder>
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$(cd "$1" && pwd)
export WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
windowsPath() { echo "Z:${1//\//\\}"; }
status=0
fail() { echo "FAIL  $*"; status=1; }

if [ ! -e "$WINEPREFIX/vesk-ready" ]; then
    rm -rf "$WINEPREFIX"
    log=$( (wineboot -i && wine winecfg /v win10 && wineserver -w) 2>&1) ||
        { echo "$log"; echo "Could not set up the Wine prefix $WINEPREFIX"; exit 1; } >&2
    touch "$WINEPREFIX/vesk-ready"
fi

work=$build/wine-run
links="$work/exclusive creation"
rm -rf "$work"
mkdir -p "$links"

# The same rows as core_check.cpp writes, as each reader gives them.
database=$work/Check.mdb
printf old >"$database"
exported=$(printf '%s\n' 'Score|Word' '1|Negligible' '7|Medium' '15|Very High' 'Zoë Ørsted|Łódź 日本 €')
read='[{"name":"Check","columns":["Score text400","Word text400"],"rows":[["1","Negligible"],["7","Medium"],["15","Very High"],["Zoë Ørsted","Łódź 日本 €"]]}]'
if ! wine "$build/core_check.exe" "$(windowsPath "$database")"; then
    fail "database: core_check.exe could not write it"
elif ! diff <(echo "$exported") <(mdb-export -Q -d '|' "$database" Check); then
    fail "database: mdb-export reads other rows (above: < expected, > read)"
elif ! diff <(echo "$read") <(cd "$root" && node tests/js/read-mdb.mjs "$database"); then
    fail "database: mdb-reader reads other rows (above: < expected, > read)"
else
    echo "ok    database written over an old file, read back by mdb-export and mdb-reader"
fi

echo "skip  links made by Windows: Wine makes none, and deletes what a link points at"
printf victim >"$links/victim"
ln -s victim "$links/.x000000000000"
ln -s nowhere "$links/.y000000000000"
wine "$build/test_safewrite_windows.exe" "$(windowsPath "$work")" | tr -d '\r' || status=1
[ -L "$links/.x000000000000" ] && [ -L "$links/.y000000000000" ] ||
    fail "exclusive creation: a planted link was replaced or removed"
exit $status
