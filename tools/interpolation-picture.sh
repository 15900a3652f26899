#!/bin/sh
# Draws docs/interpolation.png: the same editor points joined each of the three ways, as
# the real program's graph window shows them, side by side under each way's name. The
# program runs under a virtual X display with a window manager, and each way is chosen in
# the editor group's Interpolation choice as a user chooses it. Needs what screenshot.sh
# needs; VANDREL_DISPLAY=N picks the display number.
set -e
cd "$(dirname "$0")/.."

# Inside the virtual display: open the document, show the graph and photograph it once
# for each way. Coordinates are relative to the main window's inside.
if [ "${1:-}" = "--session" ]; then
  work=$2
  openbox >/dev/null 2>&1 &
  manager=$!
  sleep 1
  ./build/src/vandrel "$work/points.vandrel" &
  program=$!
  trap 'kill "$program" "$manager" 2>/dev/null || true' EXIT
  sleep 2
  window=$(xdotool search --sync --name '^points.vandrel.* - Vandrel$' | head -n 1)
  xdotool windowactivate --sync "$window"
  xdotool windowmove --sync "$window" 0 0
  sleep 0.5
  xdotool mousemove --window "$window" 947 614 click 1
  sleep 1
  graph=$(xdotool search --sync --name '^Graph Data$' | head -n 1)
  xdotool windowmove "$graph" 0 0
  xdotool windowsize "$graph" 450 310
  sleep 1
  for way in linear monotone spline; do
    import -window "$graph" "$work/$way.png"
    # The next way: the choice opened by a click, the item below taken with Return.
    xdotool mousemove --window "$window" 500 171 click 1
    sleep 0.7
    xdotool key Down Return
    sleep 1
  done
  exit 0
fi

for tool in xvfb-run openbox xdotool import montage; do
  command -v "$tool" >/dev/null 2>&1 || missing=1
done
if [ -n "$missing" ]; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get install -y -qq xvfb xauth openbox xdotool imagemagick
fi
make build
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/.vandrel"
# Input 0 to 200 by 1, all 0, so that the output is the offset curve itself; nine editor
# points with a rise, a plateau, a dip and a step, where the ways differ most.
awk 'BEGIN {
  n = split("0 0 1 5 5.5 2 2 7 7", offsets, " ")
  printf "{\n    \"editor\": {\n        \"end\": 200,\n        \"increment\": 25,\n"
  printf "        \"offsets\": [\n"
  for (i = 1; i <= n; ++i) printf "            %s%s\n", offsets[i], i < n ? "," : ""
  printf "        ],\n        \"start\": 0\n    },\n"
  printf "    \"input\": {\n        \"end\": 200,\n        \"increment\": 1,\n"
  printf "        \"start\": 0,\n        \"values\": [\n"
  for (i = 0; i <= 200; ++i) printf "            0%s\n", i < 200 ? "," : ""
  printf "        ]\n    },\n    \"vandrel\": 1,\n    \"zero_offset\": false\n}\n"
}' > "$work/points.vandrel"
display_choice="-a"
[ -z "${VANDREL_DISPLAY:-}" ] || display_choice="-n $VANDREL_DISPLAY"
HOME="$work" xvfb-run $display_choice -s "-screen 0 1280x800x24" \
  sh tools/interpolation-picture.sh --session "$work"
montage -font DejaVu-Sans -pointsize 15 \
  -label "Linear" "$work/linear.png" \
  -label "Monotone cubic" "$work/monotone.png" \
  -label "Natural spline" "$work/spline.png" \
  -tile 3x1 -geometry +4+4 docs/interpolation.png
