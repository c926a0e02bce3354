#!/usr/bin/env bash
# Runs a program as it runs on a desktop where a screen reader is on: a virtual X server of its
# own, a D-Bus session with the accessibility bus, the desktop's "screen reader enabled" switch
# set, and a listener registered for the events a screen reader follows. The program finds the
# display in DISPLAY and VESK_IN_SESSION set.
# Usage: with-screen-reader.sh <program> [arguments...]
set -euo pipefail
if [ -z "${VESK_IN_SESSION:-}" ]; then
    exec env VESK_IN_SESSION=1 dbus-run-session -- "$0" "$@" 2> >(grep -v -e dbus-daemon -e SpiRegistry -e XDG_RUNTIME >&2)
fi
folder=$(mktemp -d)
xserver= listener=
trap 'rm -rf "$folder"; kill $listener $xserver 2>/dev/null || true' EXIT
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$folder/display" 2>/dev/null &
xserver=$!
for _ in $(seq 1 300); do [ -s "$folder/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$folder/display")" QT_QPA_PLATFORM=xcb
gdbus call --session --dest org.a11y.Bus --object-path /org/a11y/bus \
    --method org.freedesktop.DBus.Properties.Set org.a11y.Status ScreenReaderEnabled \
    '<true>' >/dev/null
/usr/bin/python3 - <<'PY' &
import gi
gi.require_version('Atspi', '2.0')
from gi.repository import Atspi, GLib
listener = Atspi.EventListener.new(lambda event: None)
for kind in ('object:', 'window:', 'focus:'):
    listener.register(kind)
GLib.MainLoop().run()
PY
listener=$!
sleep 1
"$@"
