#!/bin/sh
# The session photographed by screenshot.sh; runs inside the virtual display.
set -e
./build/src/vandrel &
program=$!
sleep 2
window=$(xdotool search --sync --name '^Vandrel$' | head -n 1)
xdotool windowmove "$window" 0 0
sleep 0.5
# Input values: a calibration-like curve pasted over the whole input column.
seq 0 30 | awk '{ x = $1 * 10; printf "%.3f\n", 20 + 0.002 * x * x - 0.3 * x }' | xclip -selection clipboard
xdotool mousemove 150 200 click 1
xdotool key --clearmodifiers ctrl+a 2>/dev/null || true
xdotool mousemove 150 200 click 1
sleep 0.2
for i in $(seq 1 30); do xdotool key --clearmodifiers shift+Down 2>/dev/null || true; done
xdotool key --clearmodifiers ctrl+v
sleep 0.5
# Editor offsets typed into three cells.
for cell in "450 224 5" "450 248 8" "450 272 -3"; do
  set -- $cell
  xdotool mousemove "$1" "$2" click 1
  xdotool type --delay 50 "$3"
  xdotool key Return
done
sleep 0.5
import -window "$window" docs/screenshot.png
kill "$program"
