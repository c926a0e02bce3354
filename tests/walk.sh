#!/usr/bin/env bash
# The whole road through the real program in a real X window, as a person walks it with the
# keyboard and as a screen reader meets it (tests/screen-reader.py, over the accessibility bus),
# started as the desktop entry starts it on a saved report (the worked example):
# Accept, the employee details typed anew, View Results on the drawings the report chose,
# Accept, Risk Levels, Save into a fresh folder. Then the report must be the one opened, and
# the program must have ended. A picture of every window is kept in the build folder
# (walk-screens/).
#
# Usage: walk.sh <program> <build folder> <source folder>
# In CI (CI=true, as root on a throw-away machine) the Debian package is built and installed
# first, its file type checked with xdg-mime, and the installed program is walked instead.
set -euo pipefail
program=$1 build=$2 source=$3
# A virtual X server of our own and the accessibility bus with a screen reader's switch on.
[ -n "${VESK_IN_SESSION:-}" ] || exec "$source/tools/with-screen-reader.sh" "$0" "$@"
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT

if [ "${CI:-}" = true ] && [ "$(id -u)" = 0 ]; then
    (cd "$build" && cpack -G DEB >/dev/null)
    dpkg -i "$build"/vesk_*.deb >/dev/null
    program=/usr/bin/vesk
    [ -f /usr/share/applications/vesk.desktop ] || { echo "no desktop entry installed"; exit 1; }
    # Saved reports are a type of their own, opened by the program; other text files are not.
    echo "Notes" >"$folder/notes.txt" && cp "$source/tests/data/report-road.txt" "$folder/A VESK Analysis.txt"
    # Asked as GNOME asks (GIO): the generic fallback, File::MimeInfo, ignores glob weights.
    q() { XDG_CURRENT_DESKTOP=GNOME xdg-mime query "$@" 2>/dev/null || true; }
    types="$(q filetype "$folder/A VESK Analysis.txt") $(q filetype "$folder/notes.txt") $(q \
        default text/x-vesk-report) $(q default text/plain)"
    [[ $types == "text/x-vesk-report text/plain vesk.desktop "* && $types != *vesk.desktop ]] ||
        { echo "file types: $types"; exit 1; }
    rm "$folder/A VESK Analysis.txt" "$folder/notes.txt"
fi

screens=$build/walk-screens
rm -rf "$screens" && mkdir -p "$screens"
# Waits for the window of this title, gives it the keyboard focus as a click would (without a
# window manager nothing does) and keeps a picture of the screen, if named.
window() { # title [picture]
    local id=
    for _ in $(seq 1 100); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) || true
        [ -n "$id" ] && break
        sleep 0.1
    done
    [ -n "$id" ] || { echo "window \"$1\" did not appear"; exit 1; }
    sleep 0.5
    xdotool windowactivate --sync "$id" 2>/dev/null || xdotool windowfocus --sync "$id"
    sleep 0.1
    [ -z "${2:-}" ] || import -window root "$screens/$2.png"
}

# The save dialog opens in the folder of the report the program was started on.
cp "$source/tests/data/report-road.txt" "$folder/"
(cd "$folder" && "$program" "$folder/report-road.txt") &
pid=$!

window "KOLVE - Caution Statement" 1-caution
xdotool key Return
window "Employee Details"
for text in "Anna O'Brien" "E-1234" "Hall B"; do
    [ "$text" = "Anna O'Brien" ] || xdotool key Tab
    xdotool key ctrl+a
    xdotool type --delay 20 "$text"
done
import -window root "$screens/2-employee.png"
xdotool key Return
window "VESK" 3-posture
# As a screen reader meets the window; it leaves every choice as the report made it.
/usr/bin/python3 "$source/tests/screen-reader.py" "$screens/posture-tab1-as-heard.txt" ||
    { echo "the screen reader check failed"; exit 1; }
window "VESK"
xdotool key alt+r
window "KOLVE - Caution Statement"
xdotool key Return
window "Results - VESK" 4-results
xdotool key alt+r
window "VESK - Risk Level" 5-risk-level
xdotool key alt+s
window "Save" 6-save
# The name box holds the employee name as typed; keep it and save.
xdotool key Return
sleep 1
import -window root "$screens/7-file-saved.png"
xdotool key Return

for _ in $(seq 1 50); do kill -0 $pid 2>/dev/null && sleep 0.1; done
! kill $pid 2>/dev/null || { echo "the program is still running after File Saved"; exit 1; }

stem="$folder/Anna O'Brien VESK Analysis"
cmp "$stem.txt" "$source/tests/data/report-road.txt" || { echo "report differs"; exit 1; }
# What the database holds is read back by the saving tests; here it only has to be there.
[ "$(mdb-ver "$stem.mdb")" = JET4 ] || { echo "not a Jet 4 database"; exit 1; }
echo "walked the whole road; both files are right and the program has ended"
