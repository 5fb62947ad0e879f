#!/usr/bin/env python3
"""Kills writes of many files at random moments: `scrivlet-cli renumber` over a folder of
thousands of scripts, and the editor's save that fixes the other scripts' links. Mostly
SIGKILL, some SIGINT and SIGTERM. After each kill the next run (`scrivlet-cli recover`, a
folder command, or the editor opening a script there) must leave the folder exactly all
old or all new: no file missing, none changed halfway, nothing left beside, no journal.

    tests/reliability/file_set_kill_test.py BUILD_DIR [--renumber-kills N] [--save-kills N]
        [--scripts N] [--seed S]
"""
import argparse
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import time

RECORD = 32


def record(**fields):
    # Offsets of the fields used here (see NpcRecord): ItemIn word 2, FDay 9, Action 11,
    # ControlNpc 17, ControlRec 18.
    data = bytearray(RECORD)
    data[11] = 1
    data[2:4] = fields.get("item", 0xFFFF).to_bytes(2, "little")
    data[9] = fields.get("day", 0)
    data[17] = fields.get("npc", 0xFF)
    data[18] = fields.get("rec", 0xFF)
    return bytes(data)


def script(records):
    return b"".join(records) + bytes(RECORD * (50 - len(records)))


def renumber_folder(n):
    # Record 0 stays plain: its first bytes tell the layout. The items list of the folder's
    # own is renumbered in the same set.
    files = {f"s{i:04d}.npc": script([record(day=i % 200), record(item=7, day=i % 100)]) for i in range(n)}
    files["Data/Items.txt"] = "6=Посох\r\n7=Старый меч\r\n".encode("cp1251")
    return files


def links_folder(n):
    files = {"057.npc": script([record(day=d) for d in range(6)])}
    for i in range(n):
        files[f"o{i:04d}.npc"] = script([record(npc=57, rec=i % 2, day=i % 200)])
    return files


def snapshot(folder):
    files = {}
    for root, _, names in os.walk(folder):
        for name in names:
            path = os.path.join(root, name)
            with open(path, "rb") as f:
                files[os.path.relpath(path, folder)] = f.read()
    return files


def put(folder, files):
    """Makes the folder hold exactly the files, writing only those that differ."""
    now = snapshot(folder)
    for name in now:
        if name not in files:
            os.remove(os.path.join(folder, name))
    for name, data in files.items():
        if now.get(name) != data:
            os.makedirs(os.path.dirname(os.path.join(folder, name)), exist_ok=True)
            with open(os.path.join(folder, name), "wb") as f:
                f.write(data)


class Bench:
    def __init__(self, build, work, seed):
        self.cli = os.path.join(build, "scrivlet-cli")
        self.driver = os.path.join(build, "tests", "save_links_driver")
        self.work = work
        self.env = dict(os.environ, XDG_DATA_HOME=os.path.join(work, "data"), QT_QPA_PLATFORM="offscreen")
        self.journals = os.path.join(work, "data", "Scrivlet", "journal")
        self.rng = random.Random(seed)
        self.counts = {}

    def run(self, args, timeout=120):
        return subprocess.run(args, cwd=self.work, env=self.env, capture_output=True, text=True, timeout=timeout)

    def timed(self, args):
        start = time.time()
        done = self.run(args)
        if done.returncode != 0:
            sys.exit(f"{' '.join(args)}: {done.returncode}\n{done.stdout}{done.stderr}")
        return time.time() - start

    def kill_round(self, args, seconds, next_run, states):
        proc = subprocess.Popen(args, cwd=self.work, env=self.env, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)
        time.sleep(self.rng.uniform(0, seconds))
        roll = self.rng.random()
        sig = signal.SIGINT if roll < 0.1 else signal.SIGTERM if roll < 0.2 else signal.SIGKILL
        proc.send_signal(sig)
        proc.wait()
        after = self.run(next_run)
        now = snapshot(self.folder)
        left = os.listdir(self.journals) if os.path.isdir(self.journals) else []
        which = [name for name, files in states.items() if files == now]
        if not which or left or after.returncode not in (0, 1):
            missing = sorted(set(states["old"]) - set(now))
            extra = sorted(set(now) - set(states["old"]) - set(states["new"]))
            print(f"  {sig.name}: {'all ' + which[0] if which else 'MIXED'}, next run {after.returncode}, "
                  f"{len(missing)} missing, {len(extra)} left over {extra[:3]}, journals {left}\n"
                  f"  {after.stdout.strip()[:300]} {after.stderr.strip()[:300]}", flush=True)
            return "bad", sig
        return which[0], sig

    def tally(self, kind, outcome, sig):
        key = (kind, outcome, sig.name)
        self.counts[key] = self.counts.get(key, 0) + 1


def renumber_kills(bench, kills, scripts):
    bench.folder = os.path.join(bench.work, "game")
    os.makedirs(bench.folder)
    old = renumber_folder(scripts)
    put(bench.folder, old)
    bench.timed([bench.cli, "renumber", "item", "7=8", "game", "--data", "game/Data"])
    new = snapshot(bench.folder)
    seconds = bench.timed([bench.cli, "renumber", "item", "8=7", "game", "--data", "game/Data"]) * 1.2
    bad = 0
    for n in range(kills):
        # Each state has its way to the other: 7=8 from the old, 8=7 back from the new.
        forward = snapshot(bench.folder) == old
        args = [bench.cli, "renumber", "item", "7=8" if forward else "8=7", "game", "--data", "game/Data"]
        states = {"old": old, "new": new} if forward else {"old": new, "new": old}
        # The next run: recover on demand, or any folder command.
        next_run = [bench.cli, "recover", "game"] if n % 2 else [bench.cli, "find", "game", "--field", "ItemIn=9"]
        outcome, sig = bench.kill_round(args, seconds, next_run, states)
        bench.tally("renumber", outcome, sig)
        if outcome == "bad":
            bad += 1
            put(bench.folder, old)
            shutil.rmtree(bench.journals, ignore_errors=True)
    shutil.rmtree(bench.folder)
    return bad


def save_kills(bench, kills, scripts):
    bench.folder = os.path.join(bench.work, "links")
    os.makedirs(bench.folder)
    old = links_folder(scripts)
    put(bench.folder, old)
    script_path = os.path.join(bench.folder, "057.npc")
    bench.timed([bench.driver, "save", script_path])
    new = snapshot(bench.folder)
    seconds = bench.timed([bench.driver, "save", script_path]) * 1.2
    if snapshot(bench.folder) != old:
        sys.exit("two saves of the same swap do not give the old folder back")
    bad = 0
    for _ in range(kills):
        # The swap undoes itself: from either state a save leads to the other.
        states = {"old": old, "new": new} if snapshot(bench.folder) == old else {"old": new, "new": old}
        outcome, sig = bench.kill_round([bench.driver, "save", script_path], seconds,
                                        [bench.driver, "open", script_path], states)
        bench.tally("save", outcome, sig)
        if outcome == "bad":
            bad += 1
            put(bench.folder, old)
            shutil.rmtree(bench.journals, ignore_errors=True)
    return bad


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--renumber-kills", type=int, default=150)
    parser.add_argument("--save-kills", type=int, default=60)
    parser.add_argument("--scripts", type=int, default=2000)
    parser.add_argument("--seed", type=int, default=30)
    args = parser.parse_args()
    build = os.path.abspath(args.build)
    # A folder in memory where there is one: the test is about kills, not about the disk.
    base = "/dev/shm" if os.path.isdir("/dev/shm") and os.access("/dev/shm", os.W_OK) else None
    work = tempfile.mkdtemp(prefix="scrivlet-set-kill-", dir=base)
    start = time.time()
    try:
        bench = Bench(build, work, args.seed)
        bad = renumber_kills(bench, args.renumber_kills, args.scripts)
        bad += save_kills(bench, args.save_kills, args.scripts)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    for (kind, outcome, sig), count in sorted(bench.counts.items()):
        print(f"  {kind:8} {sig:7} all {outcome}: {count}")
    total = args.renumber_kills + args.save_kills
    print(f"file set kill test: {total} kills over {args.scripts} scripts (seed {args.seed}), "
          f"{bad} not all old or all new, {time.time() - start:.0f} s")
    return 0 if bad == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
