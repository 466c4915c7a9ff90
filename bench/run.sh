#!/usr/bin/env bash
# Runs the benchmarks against a build folder and prints their figures:
#   bash bench/run.sh BUILD
# Without a display it starts a virtual one, 2560x1440 (ORVANE_BENCH_SCREEN), so the player's
# window can take the 1080p movie's size as it does on such a desktop. Where
# PulseAudio is installed it runs a private server with a null sink, so both the player and
# the bare pipeline have a sound device (without one the player's start-up notice about the
# missing sound card would wait for an answer). Everything it starts it stops again, and each
# benchmark ends by itself.
set -euo pipefail
build=${1:-build}
build=$(cd "$build" && pwd)
clip="$build/fixtures/bench-1080p.mp4"
for f in "$build/orvane-player" "$build/bench/playback" "$build/bench/seek" \
  "$build/bench/bare-playbin" "$clip"; do
  [ -e "$f" ] || { echo "bench: $f missing (cmake --build $build --target bench)" >&2; exit 2; }
done

work=$(mktemp -d /tmp/orvane-bench-run.XXXXXX)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  for p in "${pids[@]}"; do wait "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  display=99
  while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
    display=$((display + 1))
  done
  Xvfb ":$display" -screen 0 "${ORVANE_BENCH_SCREEN:-2560x1440}x24" -nolisten tcp \
    >/dev/null 2>&1 &
  pids+=($!)
  export ORVANE_BENCH_XSERVER_PID=$!
  export DISPLAY=":$display"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
fi

# A private sound server, so nothing of the user's is touched.
if command -v pulseaudio >/dev/null 2>&1; then
  export XDG_RUNTIME_DIR="$work/runtime" PULSE_RUNTIME_PATH="$work/runtime/pulse"
  mkdir -p "$PULSE_RUNTIME_PATH" && chmod 700 "$XDG_RUNTIME_DIR"
  HOME="$work" pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit \
    --disable-shm=false --log-level=error \
    --load="module-null-sink sink_name=bench" --load="module-native-protocol-unix" \
    >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 50); do [ -S "$PULSE_RUNTIME_PATH/native" ] && break; sleep 0.1; done
else
  # Without a sound device the player asks the user first: answer its notice as run-demo
  # does. The first-frame figure then includes that wait.
  echo "bench: no PulseAudio here; answering the player's no-sound-card notice" \
    "(its first-frame time includes that)" >&2
  (
    while sleep 0.05; do
      for w in $(xdotool search --name '^Orvane Player$' 2>/dev/null); do
        xdotool key --window "$w" Return 2>/dev/null || true
      done
    done
  ) &
  pids+=($!)
fi
# The player must not find a desktop session bus of the user's.
unset DBUS_SESSION_BUS_ADDRESS

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
timeout 600 "$build/bench/playback" "$build/orvane-player" "$build/bench/bare-playbin" "$clip" \
  "${ORVANE_BENCH_RUNS:-3}"
echo
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
timeout 300 "$build/bench/seek" "$clip"
