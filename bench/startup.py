#!/usr/bin/env python3
"""Whole-process start-up of the editor against a minimal Qt window, run in one go.

Each case is a start folder with its own Data lists. The editor (ended when its event
loop first goes idle, optionally after opening one list box's popup) and the minimal
window are started in turn, RUNS times each, offscreen; the medians of the wall time and
of the peak memory are printed with their ratio to the minimal window.

    bench/startup.py [BUILD_DIR] [--runs N] [--case NAME ...]

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


def run(program, folder, popup):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen",
               XDG_DATA_HOME=os.path.join(folder, "xdg"))
    env.pop("SCRIVLET_PROBE_POPUP", None)
    if popup:
        env["SCRIVLET_PROBE_POPUP"] = popup
    # Peak memory through time(1): a child of this script would inherit its high-water mark.
    peak = os.path.join(folder, "peak-kb")
    begin = time.perf_counter()
    status = subprocess.call(["/usr/bin/time", "-f", "%M", "-o", peak, program], cwd=folder, env=env,
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    seconds = time.perf_counter() - begin
    if status != 0:
        sys.exit(f"{program} ended with status {status} in {folder}")
    with open(peak) as f:
        return seconds, int(f.read().split()[-1]) / 1024.0  # MB


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build", nargs="?", default=os.path.join(REPO, "build-release"))
    parser.add_argument("--runs", type=int, default=10)
    parser.add_argument("--case", action="append", choices=sorted(CASES))
    args = parser.parse_args()
    args.build = os.path.abspath(args.build)  # the programs run in their start folders
    editor = os.path.join(args.build, "bench", "scrivlet_startup_probe")
    floor = os.path.join(args.build, "bench", "minimal_qt_window")
    print(f"{'case':<14} {'editor ms':>10} {'minimal ms':>11} {'time x':>7} "
          f"{'editor MB':>10} {'minimal MB':>11} {'memory x':>9}")
    with tempfile.TemporaryDirectory() as work:
        for name in args.case or list(CASES):
            lists, popup = CASES[name]
            folder = start_folder(os.path.join(work, name), lists())
            ours, base = [], []
            run(editor, folder, popup)  # warm the cache
            for _ in range(args.runs):
                base.append(run(floor, folder, None))
                ours.append(run(editor, folder, popup))
            t, tb = (statistics.median(r[0] for r in rs) * 1000 for rs in (ours, base))
            m, mb = (statistics.median(r[1] for r in rs) for rs in (ours, base))
            print(f"{name:<14} {t:>10.1f} {tb:>11.1f} {t / tb:>7.2f} "
                  f"{m:>10.1f} {mb:>11.1f} {m / mb:>9.2f}", flush=True)


if __name__ == "__main__":
    main()
