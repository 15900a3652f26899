#!/bin/sh
# Photographs the real main window under a virtual X display with a window manager, with
# a short session of typing, pasting and editing in the graph, into docs/screenshot.png,
# docs/help-menu.png, docs/graph.png, docs/graph-editing.png and, in German,
# docs/german.png. Needs xvfb, openbox,
# xdotool, xclip and ImageMagick (installed here when missing). VANDREL_DISPLAY=N picks
# the display number; otherwise a free one is taken.
set -e
cd "$(dirname "$0")/.."
for tool in xvfb-run openbox xdotool xclip import; do
  command -v "$tool" >/dev/null 2>&1 || missing=1
done
if [ -n "$missing" ]; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get install -y -qq xvfb xauth openbox xdotool xclip imagemagick
fi
make build
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/.vandrel"
cat > "$home/.vandrel/Settings.ini" <<'INI'
[General]
Input_Start=0
Input_Increment=10
Input_End=300
Edit_Start=0
Edit_Increment=50
Edit_End=300
Display_Precision=2
Output_Copy_Option=1
Zero_Offset_Data=false
INI
display_choice="-a"
[ -z "${VANDREL_DISPLAY:-}" ] || display_choice="-n $VANDREL_DISPLAY"
HOME="$home" xvfb-run $display_choice -s "-screen 0 1280x800x24" sh tools/screenshot-session.sh
