#!/usr/bin/env python3
"""Kills an editing session with SIGKILL at random moments and checks what a fresh start
recovers: the records and the dialogue text after the last edit that ended more than a
second before the kill
(or a later state), a script file that still reads, no recovery file that cannot be read,
and no run that hangs.

    tests/reliability/kill_test.py BUILD_DIR [--kills N] [--seed S] [--jobs J]
"""
import argparse
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

GRACE_MS = 1000


def initial_script():
    # 50 records of 32 bytes; record 0 has an action so that the script is not all empty.
    record = bytes([0] * 11 + [1] + [0] * 20)
    return record + bytes(32 * 49)


def initial_dialogue():
    # Three lines of 480 bytes: each character one above itself in a 16-bit unit.
    def line(text):
        units = [ord(c) + 1 for c in text] + [0] * (240 - len(text))
        return b"".join(u.to_bytes(2, "little") for u in units)
    return b"".join(line(t) for t in ("hello", "how-are-you", "bye"))


def one_round(driver, work, seed, rng, mode):
    data_home = os.path.join(work, "data")
    shutil.rmtree(data_home, ignore_errors=True)
    os.makedirs(data_home)
    script = os.path.join(work, "057.npc")
    with open(script, "wb") as f:
        f.write(initial_script())
    with open(os.path.join(work, "057.edt"), "wb") as f:
        f.write(initial_dialogue())
    log = os.path.join(work, "edits.log")
    if os.path.exists(log):
        os.remove(log)
    env = dict(os.environ, XDG_DATA_HOME=data_home, QT_QPA_PLATFORM="offscreen")
    proc = subprocess.Popen([driver, mode, script, str(seed), log], env=env)
    time.sleep(rng.uniform(0.5, 2.5))
    kill_ms = int(time.time() * 1000)
    proc.send_signal(signal.SIGKILL)
    proc.wait()
    try:
        out = subprocess.run([driver, "recover", script], env=env, capture_output=True, text=True,
                             timeout=60).stdout
    except subprocess.TimeoutExpired:
        return "hang", None
    found = dict(line.split(" ", 1) for line in out.splitlines() if " " in line)
    edits = []
    if os.path.exists(log):
        with open(log) as f:
            for line in f:
                parts = line.split()
                if len(parts) == 4 and parts[0] == "E":
                    edits.append((int(parts[2]), parts[3]))
    if found.get("DISK") == "BROKEN" or found.get("UNREADABLE", "0") != "0":
        return "broken", None
    if not edits:
        return "ok", 0  # killed before the script was even open
    # The state after the last edit that ended before the grace began, or any later one.
    settled = max([i for i, (ms, _) in enumerate(edits) if ms < kill_ms - GRACE_MS], default=0)
    allowed = {h for _, h in edits[settled:]}
    kept = found.get("RECOVERED", found.get("DISK"))
    lost_ms = kill_ms - edits[settled][0] if kept not in allowed else None
    return ("ok" if kept in allowed else "lost"), (len(edits), lost_ms, "RECOVERED" in found)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--kills", type=int, default=200)
    parser.add_argument("--seed", type=int, default=21)
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--mode", default="saves", choices=["edit", "saves"])
    args = parser.parse_args()
    driver = os.path.join(args.build, "tests", "keep_work_driver")
    counts = {"ok": 0, "lost": 0, "broken": 0, "hang": 0}
    edits_total = [0]
    recovered = [0]
    lock = threading.Lock()
    rounds = list(range(args.kills))

    def worker(job):
        work = tempfile.mkdtemp(prefix="scrivlet-kill-")
        try:
            while True:
                with lock:
                    if not rounds:
                        return
                    n = rounds.pop(0)
                rng = random.Random(args.seed * 100003 + n)
                result, detail = one_round(driver, work, args.seed + n, rng, args.mode)
                with lock:
                    counts[result] += 1
                    if detail:
                        edits_total[0] += detail[0]
                        recovered[0] += detail[2]
                    if result != "ok":
                        print(f"kill {n}: {result} {detail}", flush=True)
        finally:
            shutil.rmtree(work, ignore_errors=True)

    start = time.time()
    threads = [threading.Thread(target=worker, args=(j,)) for j in range(args.jobs)]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    print(f"kill test: {args.kills} kills (seed {args.seed}), {edits_total[0]} edits, {recovered[0]} recoveries "
          f"offered and taken, "
          f"{counts['lost']} losses beyond {GRACE_MS} ms, {counts['broken']} broken files, "
          f"{counts['hang']} hangs, {time.time() - start:.0f} s")
    return 0 if counts["ok"] == args.kills else 1


if __name__ == "__main__":
    sys.exit(main())
