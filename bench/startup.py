#!/usr/bin/env python3
"""Whole-process start-up of the editor against a minimal Qt window, run in one go.

Each case is a start folder with its own Data lists. The editor (ended when its event
loop first goes idle, optionally after opening one list box's popup) and the minimal
window are started in turn, RUNS times each, offscreen. Printed are the medians, each
with its ratio to the minimal window, of the time from the start to the first idle
moment (which each program stamps), of the whole run (its teardown too), of the
processor time of the whole run (user and system: on a machine that others load, the
steadier figure) and of the peak memory. Last comes the median of the differences in time
to idle within each pair of runs (the editor's less the other's): on a shared machine a
ratio of medians swings by a tenth from one go to the next, while a difference of 0.3 ms
shows in this figure after a few hundred runs, say against another build's probe.

With --steps, each program's start-up is also split into its steps (each program stamps
the end of each step; the first, "libraries", is the loading of the program and its
libraries up to main), printed with the median time of each step and its share of the
time to idle, the minimal window's beside.

    bench/startup.py [BUILD_DIR] [--runs N] [--case NAME ...] [--steps] [--against PROBE | --russian]

With --against, PROBE (another build's bench/scrivlet_startup_probe, say the last release's)
runs in the minimal window's place: the ratios are then this build's to that one's. With
--russian, the minimal window shows Russian words: the ratios then leave out what the
program's language costs any window.

BUILD_DIR (default build-release) must hold bench/scrivlet_startup_probe and
bench/minimal_qt_window, built with -DCMAKE_BUILD_TYPE=Release. Peak memory is read
with /usr/bin/time (Debian package time).
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
LISTS = ["Action.txt", "Items.txt", "Npc.txt", "React.txt", "Trigg.txt",
         "Q_Input.txt", "Q_Output.txt", "Modes.txt"]
NAME = "\u041d\u0430\u0437\u0432\u0430\u043d\u0438\u0435".encode("cp1251")  # a Russian word


def numbered(entries):
    return b"; generated\r\n" + b"".join(
        b"%d=%s %d\r\n" % (i, NAME, i) for i in range(entries))


def long_line(size):
    return b"1=" + (NAME + b" ") * (size // (len(NAME) + 1)) + b"\r\n"


# name -> (list file contents by file name, made when the case runs; popup to open).
# Lists not named are the shipped ones.
CASES = {
    "shipped": (lambda: {}, None),
    "8x30000": (lambda: {name: numbered(30000) for name in LISTS}, None),
    "popup-shipped": (lambda: {}, "Combo_ItemIn"),
    "popup-1M": (lambda: {"Items.txt": numbered(1000000)}, "Combo_ItemIn"),
    "line-10MB": (lambda: {"Items.txt": long_line(10 * 1024 * 1024)}, "Combo_ItemIn"),
}


def start_folder(root, lists):
    data = os.path.join(root, "Data")
    os.makedirs(data)
    for name in LISTS:
        target = os.path.join(data, name)
        if name in lists:
            with open(target, "wb") as f:
                f.write(lists[name])
        else:
            shutil.copy(os.path.join(REPO, "Data", name), target)
    return root


def probe_environment(folder):
    """Offscreen, with the desktop's data folders inside FOLDER: a first start registers the
    file type there, as on a machine where the package is not installed, whether it is or not."""
    return dict(os.environ, QT_QPA_PLATFORM="offscreen",
                XDG_DATA_HOME=os.path.join(folder, "xdg"),
                XDG_DATA_DIRS=os.path.join(folder, "xdg-system"))


def run(command, folder, popup):
    env = probe_environment(folder)
    env.pop("SCRIVLET_PROBE_POPUP", None)
    if popup:
        env["SCRIVLET_PROBE_POPUP"] = popup
    # Peak memory through time(1): a child of this script would inherit its high-water mark.
    # The processor time is time(1)'s with the program's, in microseconds, from wait4.
    peak = os.path.join(folder, "peak-kb")
    begin = time.time_ns()
    process = subprocess.Popen(["/usr/bin/time", "-f", "%M", "-o", peak, *command], cwd=folder, env=env,
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL)
    output = process.stdout.read()
    _, status, usage = os.wait4(process.pid, 0)
    process.returncode = os.waitstatus_to_exitcode(status)
    whole = (time.time_ns() - begin) / 1e6
    stamps = [line.split(maxsplit=2) for line in output.decode().splitlines()]
    idle = [int(stamp[1]) for stamp in stamps if stamp[0] == "idle"]
    if process.returncode != 0 or not idle:
        sys.exit(f"{' '.join(command)} ended with status {process.returncode} in {folder}")
    # Each step lasts from the end of the one before (the first from the start) to its own
    # end; a step stamped more than once adds up.
    steps = {}
    previous = begin
    for kind, when, *name in stamps:
        if kind == "step":
            steps[name[0]] = steps.get(name[0], 0.0) + (int(when) - previous) / 1e6
            previous = int(when)
    cpu = (usage.ru_utime + usage.ru_stime) * 1000.0
    with open(peak) as f:
        return (idle[0] - begin) / 1e6, whole, cpu, int(f.read().split()[-1]) / 1024.0, steps  # ms, ms, ms, MB


def print_steps(ours, base, base_name):
    def medians(runs):
        names = list(dict.fromkeys(name for run in runs for name in run[4]))
        return {name: statistics.median(run[4].get(name, 0.0) for run in runs) for name in names}
    mine, minimal = medians(ours), medians(base)
    total = statistics.median(run[0] for run in ours)
    floor = statistics.median(run[0] for run in base)
    print(f"  {'step':<12} {'ms':>7} {'share':>6}  {base_name:>7} {'share':>6}")
    for name in list(dict.fromkeys(list(mine) + list(minimal))):
        cells = ""
        for values, whole in ((mine, total), (minimal, floor)):
            cells += (f" {values[name]:>7.1f} {100 * values[name] / whole:>5.1f}%" if name in values
                      else f" {'':>7} {'':>6}")
        print(f"  {name:<12}{cells}", flush=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build", nargs="?", default=os.path.join(REPO, "build-release"))
    parser.add_argument("--runs", type=int, default=10)
    parser.add_argument("--case", action="append", choices=sorted(CASES))
    parser.add_argument("--steps", action="store_true", help="split each start-up into its steps")
    floors = parser.add_mutually_exclusive_group()
    floors.add_argument("--against", metavar="PROBE",
                        help="another build's editor probe, run in the minimal window's place")
    floors.add_argument("--russian", action="store_true", help="the minimal window shows Russian words")
    args = parser.parse_args()
    args.build = os.path.abspath(args.build)  # the programs run in their start folders
    editor = [os.path.join(args.build, "bench", "scrivlet_startup_probe")]
    floor = [os.path.join(args.build, "bench", "minimal_qt_window")]
    if args.against:
        floor = [os.path.abspath(args.against)]
    elif args.russian:
        floor.append("--russian")
    base_name = "against" if args.against else "minimal"
    print(f"{'case':<14} {'to idle ms':>11} {base_name:>8} {'x':>5}  {'whole ms':>9} {base_name:>8} {'x':>5}  "
          f"{'cpu ms':>7} {base_name:>8} {'x':>5}  {'peak MB':>8} {base_name:>8} {'x':>5}  {'pair diff ms':>12}")
    with tempfile.TemporaryDirectory() as work:
        for name in args.case or list(CASES):
            lists, popup = CASES[name]
            folder = start_folder(os.path.join(work, name), lists())
            ours, base = [], []
            floor_popup = popup if args.against else None
            # Both warm the cache first; then they take turns at going first, since whichever
            # runs second in a pair ran a few percent faster on a shared machine.
            run(editor, folder, popup)
            run(floor, folder, floor_popup)
            for turn in range(args.runs):
                pair = [lambda: base.append(run(floor, folder, floor_popup)),
                        lambda: ours.append(run(editor, folder, popup))]
                for go in pair if turn % 2 == 0 else reversed(pair):
                    go()
            row = f"{name:<14}"
            for column, width in ((0, 11), (1, 9), (2, 7), (3, 8)):
                mine, minimal = (statistics.median(r[column] for r in rs) for rs in (ours, base))
                row += f" {mine:>{width}.1f} {minimal:>8.1f} {mine / minimal:>5.2f} "
            row += f" {statistics.median(o[0] - b[0] for o, b in zip(ours, base)):>+12.2f}"
            print(row, flush=True)
            if args.steps:
                print_steps(ours, base, base_name)


if __name__ == "__main__":
    main()
