#!/usr/bin/env bash
# Makes the user guide's pictures again (data/help/<en|zh>/img/*.png) from the real program:
# Tamsel runs under Xvfb against tamsel-station, in a throw-away program folder with a small
# profile table, records part of a simulated process and is photographed in each language.
# Needs: ./scripts/setup.sh done and a build in build/ (this script builds what it needs).
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
DISPLAY_NO=${GUIDE_DISPLAY:-77}

command -v xdotool >/dev/null || { echo "xdotool is missing: apt-get install xdotool" >&2; exit 1; }
cmake --build build -j2 --target Tamsel tamsel-station >/dev/null

WORK=$(mktemp -d)
cleanup() {
  [ -n "${TAMSEL_PID:-}" ] && kill "$TAMSEL_PID" 2>/dev/null || true
  [ -n "${STATION_PID:-}" ] && kill "$STATION_PID" 2>/dev/null || true
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
  exec 9>&- 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

Xvfb ":$DISPLAY_NO" -screen 0 1400x900x24 >/dev/null 2>&1 &
XVFB_PID=$!
export DISPLAY=":$DISPLAY_NO"
sleep 1

# A small profile table: two desoldering and one soldering row (208-byte records, GBK texts).
write_table() {
  python3 - "$1" "$2" <<'PY'
import struct, sys
path, lang = sys.argv[1], sys.argv[2]
def text(s):
    b = s.encode("gbk")[:20]
    return bytes([len(b)]) + b + bytes(20 - len(b))
zh = lang == "zh"
rows = [
    ("MB-2040", "BGA U7", "拆焊" if zh else "Desoldering", 100, 150, 120, 50, 140, 183, 45, 195, 15, "IR", "2.5*10mm", "5.5*10mm"),
    ("MB-2040", "QFP U12", "焊接" if zh else "Soldering", 90, 140, 150, 60, 180, 217, 40, 235, 20, "IR", "2.0*10mm", "3.0*10mm"),
    ("PSU-310", "BGA U3", "拆焊" if zh else "Desoldering", 100, 160, 130, 45, 160, 217, 50, 230, 15, "Thermocouple", "4.0*10mm", "4.0*10mm"),
]
out = struct.pack("<H", len(rows))
for (board, comp, typ, T0, TB, T1, S1, T2, TL, S2, T3, S3, sensor, sx, sy) in rows:
    out += text(board) + text(comp) + text(typ)
    out += struct.pack("<9f", T0, TB, T1, T2, S1, TL, T3, S2, S3)
    out += text(sensor) + text("℃") + text("左上" if zh else "left up") + text(sx) + text(sy)
    out += bytes([0, 0, 128, 63])
open(path, "wb").write(out)
PY
}

shoot() { import -display "$DISPLAY" -window root "$1"; }

for lang in en zh; do
  PROG=$WORK/$lang
  mkdir -p "$PROG/data" "$PROG/file" "$WORK/sys-$lang"
  cp build/bin/Tamsel build/bin/libTamselcrc.so "$PROG/"
  cp -r build/bin/data/. "$PROG/data/"
  write_table "$PROG/data/model.irl" "$lang"
  LINK=$WORK/link-$lang
  printf '[Ports]\nCOM1=%s\n[Option]\nlanguage=%s\nintrals=0.5\n' "$LINK" "$([ "$lang" = zh ] && echo 1 || echo 0)" \
    > "$PROG/data/CommConfig.ini"
  printf '[IRPaswd]\ninistoin=0\n' > "$WORK/sys-$lang/IRpaswd.ini"

  mkfifo "$WORK/station-in-$lang"
  build/bin/tamsel-station --link "$LINK" --speed 8 < "$WORK/station-in-$lang" > "$WORK/station-$lang.log" &
  STATION_PID=$!
  exec 9>"$WORK/station-in-$lang"
  for _ in $(seq 50); do [ -e "$LINK" ] && break; sleep 0.1; done

  TAMSEL_SYSTEM_DIR=$WORK/sys-$lang "$PROG/Tamsel" >/dev/null 2>&1 &
  TAMSEL_PID=$!
  WIN=""
  for _ in $(seq 100); do
    WIN=$(xdotool search --name '^Tamsel' 2>/dev/null | head -1 || true)
    [ -n "$WIN" ] && break
    sleep 0.1
  done
  [ -n "$WIN" ] || { echo "Tamsel did not show its window" >&2; exit 1; }
  xdotool windowmove "$WIN" 0 0 windowsize "$WIN" 1400 900
  sleep 3

  # Select the first profile row by its header so the preview draws it.
  xdotool mousemove 20 700 click 1 || true
  xdotool key --window "$WIN" F9         # Record
  echo start >&9                          # the station's start key
  sleep 20
  shoot "data/help/$lang/img/main.png"
  convert "data/help/$lang/img/main.png" -crop 1400x330+0+570 +repage "data/help/$lang/img/profiles.png"

  # A double click on the chart gives it the whole window.
  xdotool mousemove 500 300 click --repeat 2 1
  sleep 1
  shoot "data/help/$lang/img/record.png"

  xdotool key --window "$WIN" F9          # stop recording so the window may close
  sleep 0.5
  # SIGTERM ends Tamsel as Exit does; a question box left open would keep it, so not for long.
  kill "$TAMSEL_PID" 2>/dev/null || true
  for _ in $(seq 30); do kill -0 "$TAMSEL_PID" 2>/dev/null || break; sleep 0.1; done
  kill -9 "$TAMSEL_PID" 2>/dev/null || true; wait "$TAMSEL_PID" 2>/dev/null || true; TAMSEL_PID=""
  echo quit >&9; exec 9>&-
  wait "$STATION_PID" 2>/dev/null || true; STATION_PID=""
done
echo "pictures written to data/help/en/img and data/help/zh/img"
