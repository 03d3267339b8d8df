#!/usr/bin/env bash
# Takes the screenshot of the Windows window under wine that the README shows, in the state of
# the Linux window's screenshot (tools/take_screenshot.sh): on a virtual screen with a window
# manager, types the same sentence and ticks the slang box. The picture shows the window with
# the frame the window manager gave it.
#
# Usage: tools/take_windows_screenshot.sh [windows build dir] [output png]
# Needs wine, xvfb, openbox, xdotool, x11-utils and ImageMagick.
set -euo pipefail
build=${1:-build-windows}
output=${2:-doc/screenshots/windows-window.png}
mkdir -p "$(dirname "$output")"

scratch=$(mktemp -d)
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp &
xvfb=$!
manager=""
program=""
finish() {
    kill $program 2>/dev/null || true
    wineserver -k 2>/dev/null || true
    kill $manager "$xvfb" 2>/dev/null || true
    rm -rf "$scratch"
}
trap finish EXIT
export DISPLAY=$display WINEPREFIX=$scratch/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
sleep 1
openbox &
manager=$!
wineboot --init >/dev/null 2>&1
wineserver -w

wine "$build/win/schnackomat.exe" &
program=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Schnackomat V3\.0' | head -n 1)
xdotool windowactivate --sync "$window" 2>/dev/null || true
sleep 1

xdotool type --delay 15 "Ich mache heute eine Party. Das ist cool! Wir gehen morgen schwimmen, bist du dabei?"
# Tick "Pfiii- & Benaldo- Style": the space bar on the focused box, reached with the Tab key.
xdotool key --delay 50 Tab Tab Tab Tab space
sleep 1

read -r left right top bottom < <(xprop -id "$window" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
x=$(xwininfo -id "$window" | awk '/Absolute upper-left X/ {print $4}')
y=$(xwininfo -id "$window" | awk '/Absolute upper-left Y/ {print $4}')
width=$(xwininfo -id "$window" | awk '/Width:/ {print $2}')
height=$(xwininfo -id "$window" | awk '/Height:/ {print $2}')
frame_width=$((width + left + right))
frame_height=$((height + top + bottom))
echo "frame ${frame_width}x${frame_height}; client ${width}x${height}"
import -window root -crop "${frame_width}x${frame_height}+$((x - left))+$((y - top))" +repage \
    "$output"
echo "wrote $output"
