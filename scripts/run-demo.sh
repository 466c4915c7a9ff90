#!/usr/bin/env bash
# Starts the player on the generated demo clip. Without a display it runs on a virtual one for
# a few seconds, saves a screenshot of the screen under the build folder and prints its path.
set -euo pipefail
build=${1:-build}
player="$build/orvane-player"
demo="$build/fixtures/demo.mp4"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$player" "$demo"
fi

# Find a free display number for Xvfb.
display=99
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$player_pid" 2>/dev/null || true; kill "$xvfb" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  DISPLAY=":$display" xdpyinfo >/dev/null 2>&1 && break
  sleep 0.1
done
export DISPLAY=":$display"

"$player" "$demo" &
player_pid=$!
seconds=${ORVANE_DEMO_SECONDS:-3}
for _ in $(seq "$seconds"); do
  sleep 1
  # A virtual display has no sound card: answer the start-up notice so the window opens.
  # (Space, not Return: the box closes on the press and a lost Return release repeats.)
  for w in $(xdotool search --onlyvisible --name '^Orvane Player$' 2>/dev/null); do
    xdotool key --window "$w" space 2>/dev/null || true
  done
done
shot="$build/screenshot.png"
import -window root "$shot"
echo "Screenshot of the running player: $shot"
