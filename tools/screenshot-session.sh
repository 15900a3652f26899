#!/bin/sh
# The session photographed by screenshot.sh; runs inside the virtual display. The
# coordinates are those of the window at the top-left corner of the screen.
set -e
./build/src/vandrel &
program=$!
sleep 2
window=$(xdotool search --sync --name '^Vandrel$' | head -n 1)
xdotool windowmove "$window" 0 0
sleep 0.5

# A calibration-like curve pasted over the whole input column: click a cell for the
# focus, then the column title to select the column.
seq 0 30 | awk '{ x = $1 * 10; printf "%.3f\n", 20 + 0.0015 * x * x - 0.35 * x }' \
  | xclip -selection clipboard
xdotool mousemove 125 189 click 1
xdotool mousemove 126 168 click 1
xdotool key ctrl+v
sleep 0.3

# Three editor offsets typed into their cells.
for cell in "214 4" "239 6.5" "264 -3"; do
  set -- $cell
  xdotool mousemove 456 "$1" click 1
  xdotool type --delay 40 -- "$2"
  xdotool key Return
done
xdotool mousemove 456 400 click 1
sleep 0.5
import -window "$window" docs/screenshot.png

xdotool mousemove 943 613 click 1
sleep 1
graph=$(xdotool search --sync --name '^Graph Data$' | head -n 1)
xdotool windowmove "$graph" 0 0
xdotool windowsize "$graph" 640 440
sleep 1
import -window "$graph" docs/graph.png
kill "$program"
