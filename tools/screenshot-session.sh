#!/bin/sh
# The session photographed by screenshot.sh; runs inside the virtual display, under a
# window manager so that windows get frames, focus and menus as on a desktop. The
# coordinates are relative to the main window's inside, whatever its frame.
set -e
openbox >/dev/null 2>&1 &
manager=$!
sleep 1
# The German run starts from the same settings, without the first run's recovery file.
german_home=$(mktemp -d)
cp -r "$HOME/.vandrel" "$german_home/"

click() {
  xdotool mousemove --window "$window" "$1" "$2" click 1
}

# Waits for the main window, titled $1, and puts it in the top-left corner.
find_window() {
  sleep 2
  window=$(xdotool search --sync --name "$1" | head -n 1)
  xdotool windowactivate --sync "$window"
  xdotool windowmove --sync "$window" 0 0
  sleep 0.5
}

# A calibration-like curve pasted over the whole input column (a click on a cell for the
# focus, then on the column title to select the column), and three editor offsets typed
# into their cells, the middle one written $1.
fill_window() {
  seq 0 30 | awk '{ x = $1 * 10; printf "%.3f\n", 20 + 0.0015 * x * x - 0.35 * x }' \
    | xclip -selection clipboard
  click 125 189
  click 126 168
  xdotool key ctrl+v
  sleep 0.3
  for cell in "240 4" "265 $1" "290 -3"; do
    set -- $cell
    click 456 "$1"
    xdotool type --delay 40 -- "$2"
    xdotool key Return
  done
  click 456 400
  sleep 0.5
}

./build/src/vandrel &
program=$!
trap 'kill "$program" "$manager" 2>/dev/null || true' EXIT
find_window '^Untitled.* - Vandrel$'
fill_window 6.5
import -window "$window" docs/screenshot.png

# The Help menu open over the window: menus are windows of their own, so the picture is
# taken from the screen, cut to the window's top-left corner with its frame.
xdotool key alt+h
sleep 0.7
import -window root -crop 440x200+0+0 +repage docs/help-menu.png
xdotool key Escape
sleep 0.3

click 943 613
sleep 1
graph=$(xdotool search --sync --name '^Graph Data$' | head -n 1)
xdotool windowmove "$graph" 0 0
xdotool windowsize "$graph" 640 440
sleep 1
import -window "$graph" docs/graph.png

# Editing in the graph beside the editor table: a click selects the point at 50, Ctrl+click
# adds the one at 100, and a drag moves both up; the picture is taken while the button is
# still held, cut to the editor table and the graph window.
xdotool windowmove "$graph" 638 0
sleep 0.5
point() {
  xdotool mousemove --window "$graph" "$1" "$2"
}
# The pauses keep the clicks from making a double click, which opens the offset field.
point 200 291
xdotool click 1
sleep 0.7
point 280 314
xdotool keydown ctrl click 1 keyup ctrl
sleep 0.7
xdotool mousedown 1
for y in 306 296 286 276 266 258; do
  point 281 "$y"
  sleep 0.1
done
sleep 0.5
import -window root -crop 942x445+338+0 +repage docs/graph-editing.png
xdotool mouseup 1

# The same session in German, with decimal commas, into docs/german.png.
kill "$program"
wait "$program" 2>/dev/null || true
HOME="$german_home" LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 ./build/src/vandrel &
program=$!
find_window '^Unbenannt.* - Vandrel$'
fill_window 6,5
xdotool key alt+b
sleep 0.7
import -window root -crop 1001x635+0+0 +repage docs/german.png
xdotool key Escape
rm -rf "$german_home"
