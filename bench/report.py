#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Prints the bench's table from the figures that bench/run gathered.

usage: report.py RESULTS_DIR
"""
import collections
import pathlib
import statistics
import sys

# metric, heading, decimals
COLUMNS = [
    ("start_painted_ms", "start: painted ms", 0),
    ("start_tray_ms", "start: tray ms", 0),
    ("start_cpu_ms", "start: CPU ms", 0),
    ("rss_mib", "VmRSS MiB", 1),
    ("pss_mib", "Pss MiB", 1),
    ("dirty_mib", "dirty MiB", 1),
    ("idle_switches", "idle: ctx sw", 0),
    ("idle_ticks", "idle: ticks", 0),
    ("alert_mapped_late_ms", "alert late ms", 1),
    ("sound_call_us", "sound call us", 1),
    ("size_kib", "size KiB", 0),
]
PROGRAMS = ["sorvanto", "floor", "floor+text", "sorvanto.exe (Wine)", "floor.exe (Wine)", "floor+text.exe (Wine)",
            "setup.exe (Windows)", "win64.zip (Windows)"]
START_GOAL = MEMORY_GOAL = 1.25
WINE_START_GOAL = 1.2
# What a Windows user downloads, in MB of a million bytes: the program, the setup, the zip.
DOWNLOAD_GOALS_MB = {"sorvanto.exe (Wine)": 10, "setup.exe (Windows)": 4, "win64.zip (Windows)": 5}
ALERT_GOAL_MS = 100
SOUND_GOAL_US = 5000

def number(value, decimals):
    return f"{value:.{decimals}f}"

def cell(values, decimals):
    if not values:
        return "-"
    if len(values) == 1:
        return number(values[0], decimals)
    return (f"{number(statistics.median(values), decimals)} "
            f"({number(min(values), decimals)}-{number(max(values), decimals)})")

def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    results = pathlib.Path(sys.argv[1])
    figures = collections.defaultdict(lambda: collections.defaultdict(list))
    for line in (results / "figures.tsv").read_text().splitlines():
        program, _run, metric, value = line.split("\t")
        figures[program][metric].append(float(value))
    # The Windows rows are there only where the bench could build and run them.
    programs = [p for p in PROGRAMS if p in figures or "Windows" not in p and "Wine" not in p]
    programs += [p for p in figures if p not in PROGRAMS]

    print((results / "machine.txt").read_text().rstrip())
    print()
    print("median (min-max) over the runs. start: exec to the window's first full paint, to the tray icon's")
    print("embedding, and the CPU used until that paint; memory 10 s after start; idle: context switches and")
    print("CPU ticks over the idle window, armed (the floor: hidden); alert: late after the countdown's end;")
    print("size: the stripped binary (a peer: its installed package)")
    if any("Wine" in p for p in programs):
        print("(Wine): the Windows build under Wine, in one prefix whose server and desktop process stay up; memory:")
        print("the program's own process")
    print()
    table = [["program"] + [heading for _, heading, _ in COLUMNS]]
    for program in programs:
        table.append([program] + [cell(figures[program][metric], decimals) for metric, _, decimals in COLUMNS])
    widths = [max(len(row[i]) for row in table) for i in range(len(table[0]))]
    for row in table:
        print("  ".join(text.ljust(width) if i == 0 else text.rjust(width)
                        for i, (text, width) in enumerate(zip(row, widths))).rstrip())

    def median(program, metric):
        values = figures[program][metric]
        return statistics.median(values) if values else None

    def ratio(metric, floor="floor", ours="sorvanto"):
        value, base = median(ours, metric), median(floor, metric)
        return value / base if value is not None and base else None

    def ratios(floor, ours="sorvanto"):
        parts = []
        for metric, heading, _ in COLUMNS[:6]:
            value = ratio(metric, floor, ours)
            if value is not None:
                parts.append(f"{heading.replace(' ms', '').replace(' MiB', '')} {value:.2f}x")
        return ", ".join(parts)

    print()
    print(f"sorvanto : floor       {ratios('floor')}")
    if figures["floor+text"]:
        print(f"sorvanto : floor+text  {ratios('floor+text')}")
    wine = ("floor.exe (Wine)", "sorvanto.exe (Wine)")
    if wine[1] in programs:
        print(f"sorvanto.exe : floor.exe       {ratios(*wine)}")
    if "floor+text.exe (Wine)" in programs:
        print(f"sorvanto.exe : floor+text.exe  {ratios('floor+text.exe (Wine)', wine[1])}")

    def verdict(ok):
        return "met" if ok else "MISSED"

    print()
    print("goals")
    starts = [r for r in (ratio("start_painted_ms"), ratio("start_tray_ms")) if r is not None]
    if starts:
        print(f"  start within {START_GOAL}x the floor's: {verdict(max(starts) <= START_GOAL)} "
              f"(painted {ratio('start_painted_ms'):.2f}x, tray {ratio('start_tray_ms'):.2f}x; "
              f"CPU until painted {ratio('start_cpu_ms'):.2f}x)")
    wine_starts = [r for r in (ratio("start_painted_ms", *wine), ratio("start_tray_ms", *wine)) if r is not None]
    if wine_starts:
        print(f"  start under Wine within {WINE_START_GOAL}x the Windows floor's: "
              f"{verdict(max(wine_starts) <= WINE_START_GOAL)} "
              f"(painted {ratio('start_painted_ms', *wine):.2f}x, tray {ratio('start_tray_ms', *wine):.2f}x; "
              f"CPU until painted {ratio('start_cpu_ms', *wine):.2f}x)")
    downloads = {name: median(name, "size_kib") * 1024 / 1e6 for name in DOWNLOAD_GOALS_MB if median(name, "size_kib")}
    if downloads:
        met = all(size <= DOWNLOAD_GOALS_MB[name] for name, size in downloads.items())
        goals = ", ".join(f"{goal}" for goal in DOWNLOAD_GOALS_MB.values())
        sizes = ", ".join(f"{name.split()[0]} {size:.1f} MB" for name, size in downloads.items())
        print(f"  Windows downloads within {goals} MB: {verdict(met)} ({sizes})")
    memories = [r for r in (ratio("rss_mib"), ratio("pss_mib")) if r is not None]
    if memories:
        print(f"  memory within {MEMORY_GOAL}x the floor's: {verdict(max(memories) <= MEMORY_GOAL)} "
              f"(VmRSS {ratio('rss_mib'):.2f}x, Pss {ratio('pss_mib'):.2f}x; private dirty {ratio('dirty_mib'):.2f}x)")
    idle = figures["sorvanto"]
    if idle["idle_switches"]:
        quiet = max(idle["idle_switches"]) == 0 and max(idle["idle_ticks"]) == 0
        print(f"  idle while armed, 0 wakeups and 0 CPU ticks: {verdict(quiet)} "
              f"(at most {max(idle['idle_switches']):.0f} context switches, {max(idle['idle_ticks']):.0f} ticks, "
              f"{max(idle['idle_cpu_us']):.0f} us of CPU in a window; "
              f"the floor: at most {max(figures['floor']['idle_switches'] or [0]):.0f} switches)")
    late = idle["alert_mapped_late_ms"]
    if late:
        print(f"  alert mapped within {ALERT_GOAL_MS} ms of its due time: {verdict(max(late) <= ALERT_GOAL_MS)} "
              f"(at worst {max(late):.1f} ms over {len(late)} countdowns; "
              f"maximized at worst {max(idle['alert_maximized_late_ms']):.1f} ms, "
              f"fully painted maximized at worst {max(idle['alert_painted_late_ms']):.1f} ms)")
    sound = idle["sound_call_us"]
    if sound:
        print(f"  sound call returns in under {SOUND_GOAL_US / 1000:.0f} ms: {verdict(max(sound) < SOUND_GOAL_US)} "
              f"(at worst {max(sound):.1f} us over {len(sound)} calls)")

    print()
    beyond = (results / "beyond-qt.tsv")
    lines = [line.split("\t") for line in beyond.read_text().splitlines()] if beyond.exists() else []
    if lines:
        total = sum(int(size) for _, size, _ in lines) / 1024
        print(f"beyond Qt, sorvanto links {len(lines)} libraries the floor does not ({total:.0f} KiB): "
              + ", ".join(f"{name} ({package})" for name, _, package in lines))
    else:
        print("beyond Qt, sorvanto links no library the floor does not")
    windows_skipped = results / "windows-skipped.txt"
    if windows_skipped.exists():
        print(f"Windows rows: skipped, {windows_skipped.read_text().strip()}")
    skipped = results / "skipped.txt"
    if skipped.exists():
        for name in skipped.read_text().split():
            print(f"{name}: not installed, skipped")

main()
