#!/bin/sh
# A long run on the no-op GL driver inside the X display of the caller:
# frames shown, resident memory and main heap at the start, every ten minutes
# and at the end, the CPU time used, and whatever the program wrote to
# standard error.
#   soak.sh <program> <frame-counter library> <seconds>
# Frames are paced at SOAK_FPS (default 60, a common display's rate; 0 leaves
# them to the program's own pacing, at the refresh rate the display reports).
# The no-op driver never frees its constant-upload buffers, so VmRSS grows by
# a couple of KiB per frame whatever the program does: at unpaced rates an
# hour would exhaust the machine, hence the pacing and the
# stop once VmRSS passes SOAK_MAX_RSS_KIB. The main heap, where every smaller
# allocation lives, is what must stay flat.
set -u
PROGRAM="$1"
COUNTER="$2"
SECONDS_TO_RUN="$3"
FPS="${SOAK_FPS:-60}"
MAX_RSS="${SOAK_MAX_RSS_KIB:-4194304}"
WORK="$(mktemp -d /tmp/tarnwick-soak.XXXXXX)"
COUNT="$WORK/frames"

heap_kib() { awk '/\[heap\]$/ {h=1; next} /^[0-9a-f]+-/ {h=0} h && /^Rss:/ {print $2; exit}' "/proc/$1/smaps" 2>/dev/null; }
rss_kib() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status" 2>/dev/null; }
cpu_seconds() { awk -v hz="$(getconf CLK_TCK)" '{print int(($14 + $15) / hz)}' "/proc/$1/stat" 2>/dev/null; }
frames() { cat "$COUNT" 2>/dev/null || echo 0; }
sample() { echo "soak: $1 s: $(frames) frames, VmRSS $(rss_kib $PID) KiB, heap $(heap_kib $PID) KiB, CPU $(cpu_seconds $PID) s"; }

GALLIUM_NOOP=1 vblank_mode=0 MALLOC_MMAP_THRESHOLD_=524288 ALSOFT_DRIVERS=null TARNWICK_NO_DIALOGS=1 \
    LD_PRELOAD="$COUNTER" TARNWICK_FRAME_COUNT_FILE="$COUNT" TARNWICK_FRAME_PACE_HZ="$FPS" \
    "$PROGRAM" /s 2>"$WORK/stderr" &
PID=$!
echo "soak: $SECONDS_TO_RUN s at $FPS frames a second (0: the program's own pacing), pid $PID"
sleep 10
sample 10
START_FRAMES="$(frames)"
START_RSS="$(rss_kib $PID)"
START_HEAP="$(heap_kib $PID)"
ELAPSED=10
STATUS="ran to the end"
while [ "$ELAPSED" -lt "$SECONDS_TO_RUN" ]; do
    sleep 10
    ELAPSED=$((ELAPSED + 10))
    if ! kill -0 "$PID" 2>/dev/null; then
        STATUS="ended by itself after about $ELAPSED s"
        break
    fi
    if [ "$(rss_kib $PID)" -gt "$MAX_RSS" ]; then
        STATUS="stopped after $ELAPSED s: VmRSS above $MAX_RSS KiB"
        break
    fi
    [ $((ELAPSED % 600)) -eq 0 ] && sample "$ELAPSED"
done
END_FRAMES="$(frames)"
END_RSS="$(rss_kib $PID)"
END_HEAP="$(heap_kib $PID)"
END_CPU="$(cpu_seconds $PID)"
kill "$PID" 2>/dev/null
wait "$PID" 2>/dev/null

echo "soak: $STATUS ($SECONDS_TO_RUN s asked)"
echo "soak: frames after 10 s: $START_FRAMES; at the end: $END_FRAMES"
echo "soak: VmRSS after 10 s: ${START_RSS:-?} KiB; at the end: ${END_RSS:-?} KiB"
echo "soak: main heap after 10 s: ${START_HEAP:-?} KiB; at the end: ${END_HEAP:-?} KiB"
echo "soak: CPU time used: ${END_CPU:-?} s"
if [ -n "${START_RSS:-}" ] && [ -n "${END_RSS:-}" ] && [ "$END_FRAMES" -gt "$START_FRAMES" ]; then
    echo "soak: VmRSS change per frame: $(( (END_RSS - START_RSS) * 1024 / (END_FRAMES - START_FRAMES) )) bytes"
fi
grep -v "vblank_mode overridden" "$WORK/stderr" > "$WORK/errors"
if [ -s "$WORK/errors" ]; then
    echo "soak: the program's standard error:"
    sed 's/^/    /' "$WORK/errors" | head -50
else
    echo "soak: nothing on standard error"
fi
[ "$STATUS" = "ran to the end" ] && [ ! -s "$WORK/errors" ]; RESULT=$?
rm -rf "$WORK"
exit $RESULT
