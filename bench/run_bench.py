#!/usr/bin/env python3
"""Runs the benchmarks and prints one table: each figure as the median and
spread (min-max) of repeated runs, next to its floor measured in the same run
and the ratio of the medians. Every GL run has a private virtual X server
(scripts/with-xvfb, black root) on Mesa's llvmpipe, swap interval 0.

    run_bench.py BUILD_DIR [--repeats N] [--frame-repeats N] [--noop-frames N] [--only frames|pacing]
"""
import argparse
import json
import os
import statistics
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
WITH_XVFB = os.path.join(ROOT, "scripts", "with-xvfb")


def run(build, argv, screen="1920x1080x24", extra_env=None, timeout=120):
    env = dict(os.environ)
    env.update({
        "XVFB_SCREEN": screen,
        "XVFB_ARGS": "-br",
        "TARNWICK_NO_DIALOGS": "1",
        "ALSOFT_DRIVERS": "null",
        "vblank_mode": "0",
    })
    env.pop("GALLIUM_NOOP", None)
    env.update(extra_env or {})
    argv = [a if not a.startswith("@") else os.path.join(build, a[1:]) for a in argv]
    out = subprocess.run([WITH_XVFB] + argv, env=env, capture_output=True, text=True, timeout=timeout)
    values = {}
    for line in out.stdout.splitlines():
        parts = line.split()
        if len(parts) == 2:
            try:
                values[parts[0]] = float(parts[1])
            except ValueError:
                pass
    if out.returncode != 0 and not values:
        sys.stderr.write("run failed: %s\n%s" % (" ".join(argv), out.stderr[-2000:]))
    return values


def collect(samples, key):
    return [s[key] for s in samples if key in s and s[key] >= 0]


def fmt(values, unit):
    if not values:
        return "n/a"
    med = statistics.median(values)
    return "%.3g %s (%.3g-%.3g)" % (med, unit, min(values), max(values))


ROWS = []


def row(name, values, unit, floor_values=None, floor_name=""):
    ratio = ""
    if values and floor_values:
        ratio = "%.2fx" % (statistics.median(values) / statistics.median(floor_values))
    ROWS.append((name, fmt(values, unit), floor_name, fmt(floor_values, unit) if floor_values else "", ratio))


def embedded_resource_bytes(build):
    # The sizes of the files the resource table embeds.
    total = 0
    with open(os.path.join(ROOT, "resources", "resources.txt")) as manifest:
        for line in manifest:
            parts = line.split()
            if len(parts) != 3 or line.startswith("#"):
                continue
            name = parts[2]
            path = (os.path.join(build, name) if name.startswith("generated/")
                    else os.path.join(ROOT, "resources", name))
            total += os.path.getsize(path)
    return total


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--repeats", type=int, default=3)
    parser.add_argument("--noop-frames", type=int, default=2000)
    # Frame costs swing most with the load of a shared machine: more runs.
    parser.add_argument("--frame-repeats", type=int, default=5)
    parser.add_argument("--only", choices=["frames", "pacing"], help="only the frame-cost or the pacing rows")
    args = parser.parse_args()
    build = os.path.abspath(args.build)
    reps = args.repeats

    # 1. Start-up, from outside: the real program and the floor alternate.
    if not args.only:
        real, floor, phases = [], [], []
        for _ in range(reps):
            real.append(run(build, ["@bench/first_frame_probe", "1.5", "@tarnwick", "/s"]))
            floor.append(run(build, ["@bench/first_frame_probe", "1.5", "@bench/gl_bench", "floor-startup"]))
            phases.append(run(build, ["@bench/gl_bench", "phases"]))
        row("start-up: process start to first frame", collect(real, "first_frame_ms"), "ms",
            collect(floor, "first_frame_ms"), "window + upload + 1 swap")
        for phase in ["window", "shaders", "textures", "buffers", "sound", "first_frame"]:
            row("  phase: " + phase.replace("_", " "), collect(phases, "phase_%s_ms" % phase), "ms")
        row("  phases in-process total", collect(phases, "phases_total_ms"), "ms",
            collect(floor, "floor_total_ms"), "floor in-process")

    if args.only == "pacing":
        pacing_rows(build, reps)
        print_table()
        return

    # 2. Frame cost on llvmpipe.
    # A frame at 1920x1080 takes seconds on llvmpipe: few frames, after one
    # warm-up frame (its draws generate the shaders' code).
    # The split by stage: one stage (or part of the clock's vertex shader)
    # swapped for the floor's, the rest as the program has it.
    stages = [("vertex", "  vertex stage floor, fragment real"),
              ("fragment", "  fragment stage floor, vertex real"),
              ("clock-ranges", "  clock vertex: ranges + lighting, no motion"),
              ("clock-lighting", "  clock vertex: lighting only")]
    for screen, label, frames in [("640x360x24", "640x360", 6), ("1920x1080x24", "1920x1080", 3)]:
        f_real, f_floor = [], []
        f_stage = {name: [] for name, _ in stages}
        for _ in range(args.frame_repeats):
            f_real.append(run(build, ["@bench/gl_bench", "frames", str(frames)], screen))
            f_floor.append(run(build, ["@bench/gl_bench", "floor-frames", str(frames)], screen))
            for name, _ in stages:
                f_stage[name].append(run(build, ["@bench/gl_bench", "frames", str(frames)], screen,
                                         {"BENCH_STAGE": name}))
        if label == "640x360":
            f_floor_small = f_floor
        row("frame cost llvmpipe %s" % label, collect(f_real, "frame_ms"), "ms",
            collect(f_floor, "frame_ms"), "same buffers, simplest shaders")
        for name, title in stages:
            row(title, collect(f_stage[name], "frame_ms"), "ms", collect(f_floor, "frame_ms"), "same floor")
        # The same runs' process CPU time (every rasterizer thread): the work
        # done, less disturbed than wall time by other loads on the machine.
        cpu_ms = lambda runs: [v / 1e3 for v in collect(runs, "cpu_us")]
        row("  CPU time per frame %s" % label, cpu_ms(f_real), "ms", cpu_ms(f_floor), "floor's CPU time")
        for name, title in stages:
            row("  CPU:" + title[1:], cpu_ms(f_stage[name]), "ms", cpu_ms(f_floor), "floor's CPU time")

    if args.only:
        print_table()
        return

    # What the anisotropic filtering the program leaves off on a software
    # rasterizer would cost there: the textures at llvmpipe's maximum (16),
    # as the program sets them on a graphics processor.
    capped = [run(build, ["@bench/gl_bench", "frames", "3"], "640x360x24", {"BENCH_ANISOTROPY": "16"})
              for _ in range(reps)]
    row("  640x360 with anisotropy 16 (as on a GPU)", collect(capped, "frame_ms"), "ms",
        collect(f_floor_small, "frame_ms"), "same floor as above")

    # 3. CPU per frame, rendering discarded.
    noop = {"GALLIUM_NOOP": "1"}
    c_real, c_empty = [], []
    for _ in range(reps):
        c_real.append(run(build, ["@bench/gl_bench", "frames", str(args.noop_frames)], extra_env=noop))
        c_empty.append(run(build, ["@bench/gl_bench", "empty", str(args.noop_frames)], extra_env=noop))
    row("CPU per frame (GALLIUM_NOOP=1)", collect(c_real, "cpu_us"), "us",
        collect(c_empty, "cpu_us"), "empty loop: clear + swap")
    row("  wall per frame (GALLIUM_NOOP=1)", collect(c_real, "frame_ms"), "ms",
        collect(c_empty, "frame_ms"), "empty loop")

    pacing_rows(build, reps)

    # 4. Peak resident memory (of the start-up runs above).
    resources_mb = embedded_resource_bytes(build) / 1e6
    rss_real = [v / 1e3 for v in collect(real, "peak_rss_kb")]
    rss_floor = [v / 1e3 for v in collect(floor, "peak_rss_kb")]
    row("peak resident memory", rss_real, "MB", rss_floor, "start-up floor program")
    ROWS.append(("  embedded resources", "%.3g MB" % resources_mb, "", "",
                 "%.2fx" % (statistics.median(rss_real) / resources_mb) if rss_real else ""))

    # 5. Micro benchmarks on the noop driver.
    env = dict(noop)
    micro_json = os.path.join(build, "bench", "scene_micro_bench.json")
    micro = subprocess.run(
        [WITH_XVFB, os.path.join(build, "bench", "scene_micro_bench"), "--benchmark_out_format=json",
         "--benchmark_out=" + micro_json,
         "--benchmark_repetitions=%d" % reps, "--benchmark_min_time=0.05",
         "--benchmark_report_aggregates_only=true"],
        env={**os.environ, **env, "TARNWICK_NO_DIALOGS": "1", "ALSOFT_DRIVERS": "null", "vblank_mode": "0"},
        capture_output=True, text=True, timeout=240)
    try:
        with open(micro_json) as f:
            report = json.load(f)
        by_name = {}
        for b in report["benchmarks"]:
            by_name.setdefault(b["run_name"], {})[b["aggregate_name"]] = b
        for name, aggs in by_name.items():
            med = aggs.get("median", {})
            sd = aggs.get("stddev", {})
            ROWS.append(("micro: " + name.replace("BM_", ""),
                         "%.3g %s (sd %.2g)" % (med.get("cpu_time", 0), med.get("time_unit", ""),
                                                sd.get("cpu_time", 0)), "", "", ""))
    except (OSError, ValueError, KeyError):
        sys.stderr.write("micro benchmarks failed:\n" + micro.stderr[-2000:])

    print_table()


PACING_PROBE = os.path.join(ROOT, "bench", "pacing_probe.sh")
FRAME_COUNTER = "@tests/support/libtarnwick_frame_counter.so"


def pacing_rows(build, reps, seconds=5):
    """The program full screen on a display that paces nothing (Xvfb reports
    no refresh rate, so 60 Hz is assumed), rendering discarded: the swaps a
    second and the CPU its own pacing leaves, against the same run on a
    display that reports a refresh so fast that nothing is held back."""
    noop = {"GALLIUM_NOOP": "1"}
    unpaced = dict(noop, TARNWICK_FRAME_DISPLAY_HZ="1000000")
    paced, floor = [], []
    for _ in range(reps):
        argv = [PACING_PROBE, "@tarnwick", FRAME_COUNTER, str(seconds)]
        paced.append(run(build, argv, screen="640x360x24", extra_env=noop))
        floor.append(run(build, argv, screen="640x360x24", extra_env=unpaced))
    row("paced run: swaps a second (GALLIUM_NOOP=1)", collect(paced, "frames_per_second"), "/s",
        collect(floor, "frames_per_second"), "display reporting 1 MHz")
    row("  paced run: % of a core", collect(paced, "cpu_percent"), "%",
        collect(floor, "cpu_percent"), "display reporting 1 MHz")


def print_table():
    widths = [max(len(r[i]) for r in ROWS + [("figure", "median (min-max)", "floor", "floor median", "ratio")])
              for i in range(5)]
    header = ("figure", "median (min-max)", "floor", "floor median", "ratio")
    for r in [header] + ROWS:
        print("  ".join(c.ljust(w) for c, w in zip(r, widths)).rstrip())


if __name__ == "__main__":
    main()
