#!/usr/bin/env bash
# Starts the real program under a virtual X server, finds the caution statement by its title,
# presses "Exit " with the keyboard and checks that the process has ended.
set -euo pipefail
program=$1
if [ -z "${VESK_SMOKE_IN_XVFB:-}" ]; then
    export VESK_SMOKE_IN_XVFB=1
    exec xvfb-run -a -s "-screen 0 1920x1080x24" "$0" "$@"
fi

# The X server may still be starting when this script runs.
for _ in $(seq 1 100); do
    xdotool getdisplaygeometry >/dev/null 2>&1 && break
    sleep 0.1
done
"$program" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT

window=
for _ in $(seq 1 100); do
    window=$(xdotool search --name "^KOLVE - Caution Statement$" 2>/dev/null | head -n 1) || true
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "the caution statement did not appear"; exit 1; }

xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
# "Accept" has the focus; Tab moves to "Exit ", Space presses it.
xdotool key --window "$window" Tab space

for _ in $(seq 1 50); do
    kill -0 $pid 2>/dev/null || { wait $pid; echo "the program ended"; exit 0; }
    sleep 0.1
done
echo "the program is still running after Exit"
exit 1
