#!/bin/sh
# Starts PROGRAM on a private Xvfb with its own session bus and accessibility bus, then runs
# the AT-SPI client CLIENT against it. The exit code is the client's.
program=$1
client=$2
shift 2
work=$(mktemp -d)
xvfb=""
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null
  [ -n "$DBUS_SESSION_BUS_PID" ] && kill "$DBUS_SESSION_BUS_PID" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# The first free display from 90 on; Xvfb writes the number it took.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start:"; cat "$work/xvfb.log"; exit 1; }
DISPLAY=:$(cat "$work/display")
export DISPLAY
eval "$(dbus-launch --sh-syntax)"
export XDG_RUNTIME_DIR="$work"
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
unset QT_SCALE_FACTOR

"$program" &
app=$!
/usr/bin/python3 "$client" orbalta "$@"
