#!/usr/bin/env bash
# Takes the screenshot of the main window that the README and the AppStream metadata show:
# starts the built program on a virtual screen with a window manager, at the desktop's default
# font, types a sentence and ticks the slang box. The picture shows the window with its frame.
#
# Usage: tools/take_screenshot.sh [build dir] [output png]
# Needs xvfb, openbox, xdotool, x11-utils and ImageMagick
# (apt-get install xvfb openbox xdotool x11-utils imagemagick).
set -euo pipefail
build=${1:-build}
output=${2:-doc/screenshots/main-window.png}
mkdir -p "$(dirname "$output")"

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp &
xvfb=$!
program=""
manager=""
trap 'kill $program $manager "$xvfb" 2>/dev/null || true' EXIT
export DISPLAY=$display
sleep 1
openbox &
manager=$!
sleep 1

"$build/app/schnackomat" &
program=$!
window=""
for _ in $(seq 50); do
    window=$(xdotool search --onlyvisible --name "Schnackomat V3.0" 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.1
done
sleep 1

xdotool type --delay 15 "Ich mache heute eine Party. Das ist cool! Wir gehen morgen schwimmen, bist du dabei?"
# Tick "Pfiii- & Benaldo- Style": the space bar on the focused box, reached with the Tab key.
xdotool key Tab Tab Tab Tab space
sleep 0.5

# The window with the frame the window manager gave it.
read -r left right top bottom < <(xprop -id "$window" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
x=$(xwininfo -id "$window" | awk '/Absolute upper-left X/ {print $4}')
y=$(xwininfo -id "$window" | awk '/Absolute upper-left Y/ {print $4}')
width=$(xwininfo -id "$window" | awk '/Width:/ {print $2}')
height=$(xwininfo -id "$window" | awk '/Height:/ {print $2}')
frame_width=$((width + left + right))
frame_height=$((height + top + bottom))
frame_x=$((x - left))
frame_y=$((y - top))
echo "frame ${frame_width}x${frame_height} at ${frame_x},${frame_y} on 1024x768; client ${width}x${height}"
import -window root -crop "${frame_width}x${frame_height}+${frame_x}+${frame_y}" +repage "$output"
echo "wrote $output"
