#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds Tamsel and runs it against the station
# simulator: tamsel-station makes a pseudo-terminal, build/bin/data/CommConfig.ini maps COM1
# to it, and the simulator stops when Tamsel ends.
# Extra arguments go to tamsel-station, e.g. ./scripts/run.sh --speed 10
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD

./scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build -j2 --target Tamsel tamsel-station

BIN=$ROOT/build/bin
LINK=$ROOT/build/station-COM1
SETTINGS=$BIN/data/CommConfig.ini
mkdir -p "$BIN/data"
touch "$SETTINGS"

# [Ports] COM1=<link>; every other line of the settings file stays as it is.
awk -v dev="$LINK" '
  function put() { print "COM1=" dev; done = 1 }
  /^[ \t]*\[/ {
    if (inports && !done) put()
    inports = (tolower($0) ~ /^[ \t]*\[ports\][ \t\r]*$/)
    print; next
  }
  inports && tolower($0) ~ /^[ \t]*com1[ \t]*=/ { if (!done) put(); next }
  { print }
  END { if (!done) { if (!inports) print "[Ports]"; put() } }
' "$SETTINGS" > "$SETTINGS.tmp"
mv "$SETTINGS.tmp" "$SETTINGS"

"$BIN/tamsel-station" --link "$LINK" "$@" > "$ROOT/build/station.log" &
STATION=$!
trap 'kill "$STATION" 2>/dev/null || true; wait "$STATION" 2>/dev/null || true' EXIT

# The link appears once the simulator has its pseudo-terminal.
for _ in $(seq 50); do
  [ -e "$LINK" ] && break
  kill -0 "$STATION" 2>/dev/null || { echo "tamsel-station did not start; see build/station.log" >&2; exit 1; }
  sleep 0.1
done

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: Tamsel runs offscreen (Ctrl+C ends it)." >&2
  export QT_QPA_PLATFORM=offscreen
fi
echo "tamsel-station on $LINK, its log in build/station.log" >&2
# From its program folder, as a shortcut starts it: the record dialogs open build/bin/file.
cd "$BIN"
"$BIN/Tamsel"
