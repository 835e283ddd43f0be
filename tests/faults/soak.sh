#!/bin/sh
# A long run on the no-op GL driver, unpaced, inside the X display of the
# caller: frames shown, resident memory and main heap at the start and at the
# end, and whatever the program wrote to standard error.
#   soak.sh <program> <frame-counter library> <seconds>
# The driver's own growth (see below) would exhaust the machine in an hour of
# unpaced frames, so the run stops early once VmRSS passes SOAK_MAX_RSS_KIB.
set -u
PROGRAM="$1"
COUNTER="$2"
SECONDS_TO_RUN="$3"
MAX_RSS="${SOAK_MAX_RSS_KIB:-4194304}"
WORK="$(mktemp -d /tmp/tarnwick-soak.XXXXXX)"
COUNT="$WORK/frames"

heap_kib() { awk '/\[heap\]$/ {h=1; next} /^[0-9a-f]+-/ {h=0} h && /^Rss:/ {print $2; exit}' "/proc/$1/smaps" 2>/dev/null; }
rss_kib() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status" 2>/dev/null; }

GALLIUM_NOOP=1 vblank_mode=0 MALLOC_MMAP_THRESHOLD_=524288 ALSOFT_DRIVERS=null TARNWICK_NO_DIALOGS=1 \
    LD_PRELOAD="$COUNTER" TARNWICK_FRAME_COUNT_FILE="$COUNT" \
    "$PROGRAM" /s 2>"$WORK/stderr" &
PID=$!
sleep 10
START_FRAMES="$(cat "$COUNT" 2>/dev/null || echo 0)"
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
done
END_FRAMES="$(cat "$COUNT" 2>/dev/null || echo 0)"
END_RSS="$(rss_kib $PID)"
END_HEAP="$(heap_kib $PID)"
kill "$PID" 2>/dev/null
wait "$PID" 2>/dev/null

echo "soak: $STATUS ($SECONDS_TO_RUN s asked)"
echo "soak: frames after 10 s: $START_FRAMES; at the end: $END_FRAMES"
echo "soak: VmRSS after 10 s: ${START_RSS:-?} KiB; at the end: ${END_RSS:-?} KiB"
echo "soak: main heap after 10 s: ${START_HEAP:-?} KiB; at the end: ${END_HEAP:-?} KiB"
echo "soak: (the no-op driver keeps every 1 MiB constant-upload buffer, so VmRSS grows with the frames; the heap must not)"
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
