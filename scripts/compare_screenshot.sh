#!/usr/bin/env bash
# docs/compare.png: the difference table under Xvfb against korvo-unit-sim, then two
# F9 presses: the frames the program writes and the backups it keeps are printed.
#   scripts/compare_screenshot.sh [build folder]   (needs Xvfb, xdotool, ImageMagick, strace)
set -euo pipefail
B=${1:-build}
W=$(mktemp -d)
mkdir -p "$W/config/korvo-tci" "$W/data"
export XDG_CONFIG_HOME=$W/config XDG_DATA_HOME=$W/data XDG_RUNTIME_DIR=$W/rt
mkdir -p "$XDG_RUNTIME_DIR"; chmod 700 "$XDG_RUNTIME_DIR"
printf '[FORM_HLAV]\r\nLeft=0\r\nTop=0\r\nLanguage=0\r\n[BASIC]\r\nComPort=1\r\n[PORTS]\r\nCOM1=%s\r\n' "$W/unit" > "$W/config/korvo-tci/Korvo_TCI.ini"
# The editor's set: the start-up set with four fields changed.
python3 - "$W/config/korvo-tci/_Korvo_TCI.ini" <<'PY'
import sys
img=[3,9,7,125,1,1,0,1,0,0, 15,20,30,45,50,60,70,80,90,100, 5,15,22,25,33,33,33,33,33,33]+[0]*25
out=b""
for i,v in enumerate(img):
    out+=b"%5u " % v
    if i in (9,19,29,39,49): out+=b"\r\n"
open(sys.argv[1],"wb").write(out)
PY
"$B/tools/korvo-unit-sim" --link "$W/unit" > "$W/sim.out" 2>&1 &
SIM=$!
Xvfb :77 -screen 0 1280x1024x24 >/dev/null 2>&1 &
XV=$!
trap 'kill $APP $SIM $XV 2>/dev/null || true; rm -rf "$W"' EXIT
sleep 1
export DISPLAY=:77
"$B/app/korvo-tci" > "$W/app.out" 2>&1 &
APP=$!
sleep 4
xdotool search --name "Korvo" | head -1 > "$W/win"
WIN=$(xdotool search --onlyvisible --name "Korvo" | head -1)
xdotool windowfocus "$WIN" 2>/dev/null || true
sleep 0.5
xdotool key F6
sleep 2
import -window root "$W/root.png"
convert "$W/root.png" -crop 753x790+0+0 +repage docs/compare.png
xdotool key Escape
sleep 0.5
# The frames the program writes to the unit, by their first byte (monitor requests left out).
strace -f -e trace=write -e write=all -xx -s 60 -p $APP -o "$W/strace.out" &
ST=$!
sleep 1
xdotool mousemove 240 465 click 1; sleep 0.3; xdotool key F9
sleep 3
echo "backups after the first F9:"; ls "$W/data/korvo-tci/backups" || true
xdotool mousemove 240 465 click 1; sleep 0.3; xdotool key F9
sleep 3
echo "backups after the second F9:"; ls "$W/data/korvo-tci/backups"
kill $ST; sleep 0.3
echo "frames written:"
grep -E ', 52\) += 52' "$W/strace.out" | sed -E 's/.*write\([0-9]+, "\\x([0-9a-f]{2}).*/\1/' | grep -v '^30$' | tr '\n' ' '; echo
