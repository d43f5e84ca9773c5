#!/usr/bin/env bash
# How often the real program wakes the processor, and how much of it it uses,
# idle and while a talk runs with no sound playing.
#
# Starts build/orlatim as its own process under Xvfb at 1920x1080 (full
# screen, time line on, SDL's dummy audio driver) and reads /proc for every
# one of its threads: wake-ups (voluntary + involuntary context switches) and
# time on a core (schedstat, in nanoseconds). Threads that start or end during
# a window are counted for the part of it they lived. The involuntary ones
# are shown apart too: they are the thread being preempted, more of them
# the busier the machine is.
#
#   bench/wakeups.sh [--display N] [--idle SECONDS] [--running SECONDS]
#                    [--settle SECONDS] [--stage] [BUILD_DIR]
#
# --stage gives the Xvfb screen two monitors of 1920x1080 side by side (one
# more client keeps the server from resetting them) and opens the stage
# window on the second: it must add no wake-up of its own.
#
# --settle waits that long after "start" before measuring (default 2): a
# talk's first minute also draws each digit's ink once, later minutes only
# copy it.
#
# Needs Xvfb, openbox and xdotool. Run it on a quiet machine: the figures are
# the program's own, but a busy machine delays its wake-ups.
set -euo pipefail

display=97
idle=30
running=60
settle=2
stage=
build=build
while [ $# -gt 0 ]; do
  case $1 in
    --display) display=$2; shift 2 ;;
    --idle) idle=$2; shift 2 ;;
    --running) running=$2; shift 2 ;;
    --settle) settle=$2; shift 2 ;;
    --stage) stage=1; shift ;;
    *) build=$1; shift ;;
  esac
done
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$build" && pwd)
for tool in Xvfb openbox xdotool; do
  command -v $tool >/dev/null || { echo "wakeups.sh: $tool is missing" >&2; exit 1; }
done

work=$(mktemp -d)
pids=()
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" 2>/dev/null || true
    wait "${pids[i]}" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT

export DISPLAY=:$display
if [ -n "$stage" ]; then
  # The server forgets its monitors when its last client leaves.
  Xvfb "$DISPLAY" -screen 0 3840x1080x24 -nolisten tcp -noreset >/dev/null 2>&1 &
else
  Xvfb "$DISPLAY" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
fi
pids+=($!)
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
if [ -n "$stage" ]; then
  xrandr --setmonitor lectern 1920/510x1080/287+0+0 screen >/dev/null
  xrandr --setmonitor stage 1920/510x1080/287+1920+0 none
  printf '[stage]\r\nscreen=stage\r\n' >"$work/Orlatim-stage.ini"
fi
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1

cp "$build"/sounds/* "$work"/
# The default settings with the time line on (flag 4 of line 2).
sed '2s/.*/1,1,1,1,1,1,0,0,0\r/' "$root/tests/fuzz/corpus/settings_file/default.cfg" >"$work/Orlatim.cfg"
(cd "$work" && exec env SDL_AUDIODRIVER=dummy "$build/orlatim" >"$work/stderr.txt" 2>&1) &
pids+=($!)
pid=${pids[-1]}

window=
for _ in $(seq 100); do
  window=$(xdotool search --onlyvisible --name 'Orlatim  ver' 2>/dev/null | head -n1) && [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "wakeups.sh: the main window did not appear" >&2; exit 1; }
if [ -n "$stage" ] && ! xdotool search --onlyvisible --name '^Orlatim$' >/dev/null 2>&1; then
  echo "wakeups.sh: the stage window did not appear" >&2
  exit 1
fi
xdotool windowactivate --sync "$window"
xdotool key --clearmodifiers F11
sleep 2
geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p')

# One line per thread after the given word: id, name, context switches,
# involuntary ones, nanoseconds on a core. Shell builtins only: a process
# started here would share the cores with the one measured.
snapshot() {
  local task comm key value v n run
  for task in /proc/"$pid"/task/*; do
    read -r comm <"$task/comm" 2>/dev/null || continue
    v='' n=''
    while read -r key value; do
      case $key in
        voluntary_ctxt_switches:) v=$value ;;
        nonvoluntary_ctxt_switches:) n=$value ;;
      esac
    done <"$task/status" 2>/dev/null
    read -r run _ <"$task/schedstat" 2>/dev/null || continue
    [ -n "$v" ] && [ -n "$n" ] && echo "$1 ${task##*/} ${comm// /_} $((v + n)) $n $run"
  done
}

# Samples every second; a thread's share is its last sample minus its first
# (or its whole count when it started inside the window).
measure() {
  local label=$1 seconds=$2 file="$work/$1.samples"
  : >"$file"
  snapshot start >>"$file"
  for _ in $(seq "$seconds"); do
    sleep 1
    snapshot at >>"$file"
  done
  awk -v label="$label" -v seconds="$seconds" '
    $1 == "start" { first[$2] = $4; firstForced[$2] = $5; firstRun[$2] = $6 }
    { name[$2] = $3; last[$2] = $4; lastForced[$2] = $5; lastRun[$2] = $6 }
    END {
      printf "%s, %d s\n", label, seconds
      printf "  %-8s %-18s %12s %12s %12s\n", "thread", "name", "wake-ups/s", "preempted/s", "% of a core"
      for (t in name) {
        w = (last[t] - first[t]) / seconds
        f = (lastForced[t] - firstForced[t]) / seconds
        c = 100 * (lastRun[t] - firstRun[t]) / (seconds * 1e9)
        totalW += w; totalF += f; totalC += c
        printf "  %-8s %-18s %12.2f %12.2f %12.4f\n", t, name[t], w, f, c | "sort -n"
      }
      close("sort -n")
      printf "  %-27s %12.2f %12.2f %12.4f\n", "all threads", totalW, totalF, totalC
    }' "$file"
}

echo "orlatim $pid, window $geometry${stage:+, stage window on a second screen}, SDL_AUDIODRIVER=dummy, time line on, load $(cut -d' ' -f1-3 /proc/loadavg)"
sleep 3
measure "idle, never started" "$idle"
xdotool windowactivate --sync "$window"
xdotool key --clearmodifiers space
sleep "$settle"
measure "running, no sound playing, from ${settle} s" "$running"
if [ -s "$work/stderr.txt" ]; then
  echo "stderr of orlatim:"
  cat "$work/stderr.txt"
fi
