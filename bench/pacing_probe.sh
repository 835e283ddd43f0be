#!/bin/sh
# Runs a program full screen in the caller's X display for a while and prints
# the buffer swaps it made per second and the share of a core it used, once
# its start-up is over.
#   pacing_probe.sh <program> <frame-counter library> <seconds>
set -u
PROGRAM="$1"
COUNTER="$2"
SECONDS_TO_MEASURE="$3"
COUNT="$(mktemp /tmp/tarnwick-pacing.XXXXXX)"
LD_PRELOAD="$COUNTER" TARNWICK_FRAME_COUNT_FILE="$COUNT" "$PROGRAM" /s 2>/dev/null &
PID=$!
frames() { cat "$COUNT" 2>/dev/null || echo 0; }
ticks() { awk '{print $14 + $15}' "/proc/$PID/stat" 2>/dev/null || echo 0; }
sleep 3
F0="$(frames)"; T0="$(ticks)"; S0="$(date +%s.%N)"
sleep "$SECONDS_TO_MEASURE"
F1="$(frames)"; T1="$(ticks)"; S1="$(date +%s.%N)"
kill "$PID" 2>/dev/null
wait "$PID" 2>/dev/null
rm -f "$COUNT"
awk -v f0="$F0" -v f1="$F1" -v t0="$T0" -v t1="$T1" -v s0="$S0" -v s1="$S1" -v hz="$(getconf CLK_TCK)" \
    'BEGIN { d = s1 - s0; printf "frames_per_second %.3f\ncpu_percent %.3f\n", (f1 - f0) / d, 100 * (t1 - t0) / hz / d }'
