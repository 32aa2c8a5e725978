#!/usr/bin/env python3
"""Prints scripts/bench's table: each figure beside the floor measured in the
same run, their ratio (medians) and the goal.

Usage: bench_table.py BENCH_JSON IDLE_TXT
  BENCH_JSON  Google Benchmark's JSON output, with repetitions
  IDLE_TXT    lines "name nanoseconds-of-CPU-per-second", one per window run,
              each round's bare run before the runs it is the floor of
"""
import json
import statistics
import sys
from collections import defaultdict

SCREEN_BYTES = 640 * 480 * 4  # a 32-bit frame
GRID_BYTES = 640 * 480 * 3  # one of the overlay's grids

# Bytes each overlay step reads and writes in memory: the capture copies the
# frame, reads it into the sharp grid, blurs that in six passes between two
# grids (each reading one and writing the other), washes the result out,
# packs the backdrop and keeps a copy of it for the fades.
BYTES_TOUCHED = {
    "Overlay_Capture": 6 * SCREEN_BYTES + 16 * GRID_BYTES,
    "Overlay_CrossFade/32": 3 * SCREEN_BYTES,
    "Overlay_FullyOpen": 2 * SCREEN_BYTES,
}


def medians(path):
    runs = defaultdict(list)
    with open(path) as f:
        for run in json.load(f)["benchmarks"]:
            if run.get("run_type") == "iteration":
                runs[run["run_name"]].append(run["cpu_time"] * {"ns": 1e-3, "us": 1, "ms": 1e3}[run["time_unit"]])
    return {name: statistics.median(times) for name, times in runs.items()}


def idle_rounds(path):
    """Per round, the CPU share of each window program (percent of a core)."""
    rounds, current = [], {}
    with open(path) as f:
        for line in f:
            name, value = line.split()
            if name == "bare" and current:
                rounds.append(current)
                current = {}
            if name.startswith("startup"):
                current[name] = float(value)  # milliseconds
            else:
                current[name] = int(value) / 1e7  # ns per second -> % of a core
    if current:
        rounds.append(current)
    return rounds


def main():
    bench = medians(sys.argv[1])
    rounds = idle_rounds(sys.argv[2])
    rows = []

    def row(figure, value, unit, floor_name, floor, ratio, goal):
        rows.append((figure, f"{value:.1f} {unit}", f"{floor:.1f} {unit} ({floor_name})", f"{ratio:.2f}", goal))

    idle = [("title", "Idle title screen, real window", "<= 1.0"),
            ("title_sound", "Idle title screen, sound on (disk driver), real window", "<= 1.1"),
            ("match1", "One-ball match, real window", "<= 1.0"),
            ("match2000", "2000-ball match, real window", "<= 4.0")]
    for key, figure, goal in idle:
        have = [r for r in rounds if key in r and r.get("bare")]
        if not have:
            continue
        row(figure, statistics.median(r[key] for r in have), "% CPU", "bare SDL program",
            statistics.median(r["bare"] for r in have),
            statistics.median(r[key] / r["bare"] for r in have), goal)

    scaled = [("title2", "bare2", "Idle title screen at 2x, real 1280x960 window", "bare SDL program at 2x", "<= 1.0"),
              ("title4", "bare4", "Idle title screen at 4x, real 2560x1920 window", "bare SDL program at 4x", "<= 1.0"),
              ("hidden", "title", "Hidden (unmapped) game, real window", "idle title screen", "<= 0.2")]
    for key, floor_key, figure, floor_name, goal in scaled:
        have = [r for r in rounds if key in r and r.get(floor_key)]
        if have:
            row(figure, statistics.median(r[key] for r in have), "% CPU", floor_name,
                statistics.median(r[floor_key] for r in have),
                statistics.median(r[key] / r[floor_key] for r in have), goal)
    have = [r for r in rounds if r.get("startup4") and r.get("startupbare4")]
    if have:
        row("Start-up to a mapped window at 4x", statistics.median(r["startup4"] for r in have), "ms",
            "bare SDL program's", statistics.median(r["startupbare4"] for r in have),
            statistics.median(r["startup4"] / r["startupbare4"] for r in have), "<= 150 ms")

    for k in (2, 3, 4):
        present, floor = bench.get(f"Present_Scaled/{k}"), bench.get(f"Floor_WindowMemcpy/{k}")
        if present and floor:
            row(f"Present at {k}x ({640 * k}x{480 * k})", present, "us", "memcpy of the window's bytes",
                floor, present / floor, "<= 1.5")

    blit = bench.get("Floor_FullScreenBlit")
    overlay = [("Overlay_Capture", "Overlay capture (32-bit)", "<= 4.0"),
               ("Overlay_CrossFade/32", "Cross-fade frame (32-bit)", "<= 1.5"),
               ("Overlay_FullyOpen", "Fully open frame", "<= 1.0")]
    for name, figure, goal in overlay:
        if name in bench and blit:
            row(figure, bench[name], "us", "full-screen blit", blit, bench[name] / blit, goal)
    fade8, fade32 = bench.get("Overlay_CrossFade/8"), bench.get("Overlay_CrossFade/32")
    if fade8 and fade32:
        row("Cross-fade frame (8-bit palettized)", fade8, "us", "32-bit cross-fade", fade32, fade8 / fade32, "<= 2.0")

    memcpy = bench.get("Floor_Memcpy")
    if memcpy:
        per_byte = memcpy / (2 * SCREEN_BYTES)  # microseconds per byte read or written
        for name, figure, _ in overlay:
            if name in bench:
                floor = BYTES_TOUCHED[name] * per_byte
                row(f"{figure}, {BYTES_TOUCHED[name] / 1e6:.1f} MB touched", bench[name], "us",
                    "memcpy of those bytes", floor, bench[name] / floor, "(report)")

    fade_any = bench.get("Overlay_CrossFadeOnAnyPalette")
    if fade_any and fade8:
        row("Cross-fade frame (8-bit, palette of no channel levels)", fade_any, "us",
            "8-bit cross-fade, channel levels", fade8, fade_any / fade8, "(report)")

    # Each build of the pixel loops against the next narrower one on the same
    # figure: a build is worth its place where it saves a quarter or more.
    loops = [("Capture", "Overlay capture (32-bit)"), ("CrossFade32", "Cross-fade frame (32-bit)"),
             ("CrossFade8", "Cross-fade frame (8-bit)"), ("Title", "Title frame, headless")]
    for key, figure in loops:
        builds = [(name.split("/")[1], time) for name, time in bench.items()
                  if name.startswith(f"PixelLoops_{key}/")]
        for (build, time), (narrower, floor) in zip(builds, builds[1:]):
            row(f"{figure}, {build} loops", time, "us", f"{narrower} loops", floor, time / floor,
                "<= 0.75 to keep")

    frames = [("Frame_Title", "Title frame, headless"), ("Frame_Match/1", "One-ball match frame, headless"),
              ("Frame_Match/2000", "2000-ball match frame, headless")]
    for name, figure in frames:
        if name in bench and blit:
            row(figure, bench[name], "us", "full-screen blit", blit, bench[name] / blit, "(report)")

    sound = [("Frame_MatchPosting2000Hits", "2000-ball frame posting 2000 hits, sound on", "Frame_Match/2000",
              "2000-ball frame without sound"),
             ("Sound_MixOneSecondOfSixteenVoices", "Mixing one second, 16 voices restarted every buffer",
              "Floor_MemcpyOneSecondOfSound", "memcpy of its 176,400 bytes")]
    for name, figure, floor_name, floor_figure in sound:
        if name in bench and floor_name in bench:
            row(figure, bench[name], "us", floor_figure, bench[floor_name], bench[name] / bench[floor_name],
                "(report)")

    header = ("Figure", "Median", "Floor (same run)", "Ratio", "Goal")
    print("| " + " | ".join(header) + " |")
    print("|" + "|".join("---" for _ in header) + "|")
    for r in rows:
        print("| " + " | ".join(r) + " |")


if __name__ == "__main__":
    main()
