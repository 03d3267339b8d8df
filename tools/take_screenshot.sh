#!/usr/bin/env bash
# Takes the screenshot of the main window that the README and the AppStream metadata show:
# starts the built program on a virtual screen, types a sentence and ticks the slang box.
#
# Usage: tools/take_screenshot.sh [build dir] [output png]
# Needs xvfb, xdotool and ImageMagick (apt-get install xvfb xdotool imagemagick).
set -euo pipefail
build=${1:-build}
output=${2:-doc/screenshots/main-window.png}
mkdir -p "$(dirname "$output")"

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 800x600x24 -nolisten tcp &
xvfb=$!
trap 'kill "$program" "$xvfb" 2>/dev/null || true' EXIT
export DISPLAY=$display
sleep 1

"$build/app/schnackomat" &
program=$!
for _ in $(seq 50); do
    window=$(xdotool search --name "Schnackomat V3.0" 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.1
done

xdotool type --delay 15 "Ich mache heute eine Party. Das ist cool! Wir gehen morgen schwimmen, bist du dabei?"
# Tick "Pfiii- & Benaldo- Style": the space bar on the focused box, reached with the Tab key.
xdotool key Tab Tab Tab Tab space
sleep 0.5

# The window's client area, without the rest of the virtual screen.
eval "$(xdotool getwindowgeometry --shell "$window")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$output"
echo "wrote $output"
