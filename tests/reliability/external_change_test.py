#!/usr/bin/env python3
"""Another program rewrites the script and its dialogue file (in place and by renaming a
new file over it) at random moments while the editor edits and saves. Checked from the
logs of both: every external version that stayed on disk was read again or asked about,
none was written over without a question, and every save reached the disk.

    tests/reliability/external_change_test.py BUILD_DIR [--seconds N] [--seed S]
"""
import argparse
import hashlib
import os
import random
import shutil
import subprocess
import sys
import tempfile
import time

NOTICE_MS = 1500  # a version this long on disk must have been noticed


def h(data):
    return hashlib.sha1(data).hexdigest()[:16]


def script_bytes(n):
    record0 = bytes([0] * 11 + [1] + [0] * 20)
    record49 = bytes([0] * 9 + [n % 200] + [0] * 22)  # FDay of record 49 counts the versions
    return record0 + bytes(32 * 48) + record49


def edt_bytes(n):
    line = f"version {n}".encode()
    units = b"".join(bytes([0x20, 0]) if c == 0x20 else bytes([c + 1, 0]) for c in line)
    return units + bytes(480 - len(units))


def write(path, data, by_rename):
    if by_rename:
        tmp = path + ".tmp"
        with open(tmp, "wb") as f:
            f.write(data)
        os.replace(tmp, path)
    else:
        with open(path, "r+b" if os.path.exists(path) else "wb") as f:
            f.write(data)
            f.truncate()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--seconds", type=float, default=40)
    parser.add_argument("--seed", type=int, default=21)
    args = parser.parse_args()
    rng = random.Random(args.seed)
    work = tempfile.mkdtemp(prefix="scrivlet-external-")
    try:
        script = os.path.join(work, "057.npc")
        edt = os.path.join(work, "057.edt")
        write(script, script_bytes(0), False)
        write(edt, edt_bytes(0), False)
        log = os.path.join(work, "editor.log")
        env = dict(os.environ, XDG_DATA_HOME=os.path.join(work, "data"), QT_QPA_PLATFORM="offscreen",
                   SCRIVLET_RUN_MS=str(int(args.seconds * 1000)))
        proc = subprocess.Popen([os.path.join(os.path.abspath(args.build), "tests", "external_change_driver"), script,
                                 str(args.seed), log], env=env, cwd=work)
        time.sleep(1.0)
        external = []  # (start ms, end ms, file, hash)
        n = 0
        end = time.time() + args.seconds - 2.0
        while time.time() < end:
            time.sleep(rng.uniform(0.1, 0.8))
            n += 1
            which = script if rng.random() < 0.6 else edt
            data = script_bytes(n) if which == script else edt_bytes(n)
            start = int(time.time() * 1000)
            write(which, data, rng.random() < 0.5)
            external.append((start, int(time.time() * 1000), which, h(data)))
        try:
            proc.wait(timeout=args.seconds + 60)
        except subprocess.TimeoutExpired:
            proc.kill()
            print("external change test: the editor hung")
            return 1
        # A version written just before the editor ended had no time to be noticed: on a
        # loaded machine the editor starts late and the last writes come near its end.
        ended = int(time.time() * 1000)
        events = []
        with open(log) as f:
            for line in f:
                p = line.split()
                events.append((p[0], int(p[1]), p[2:]))
        saves = [(ms, rest) for kind, ms, rest in events if kind == "S"]
        questions = [(ms, rest) for kind, ms, rest in events if kind == "Q"]
        rereads = [(ms, rest) for kind, ms, rest in events if kind == "R"]

        def noticed(path, digest, since, until):
            asked = any(since <= ms <= until and rest[1] == digest for ms, rest in questions)
            index = 0 if path == script else 1
            read = any(since <= ms <= until and rest[index] == digest for ms, rest in rereads)
            return asked or read

        unnoticed = overwritten = lost = 0
        for i, (start, done, path, digest) in enumerate(external):
            # How long it stayed: until the next write of the same file by either side.
            later = [s for s, _, p, _ in external[i + 1:] if p == path]
            if path == script:
                later += [ms for ms, _ in saves if ms > start]
            gone = min(later, default=ended)
            if gone - done > NOTICE_MS and not noticed(path, digest, start, gone):
                unnoticed += 1
            # Written over by a save that began once this version was whole.
            over = [ms for ms, rest in saves if ms == gone and int(rest[2]) > done]
            if path == script and over and not noticed(path, digest, start, gone):
                overwritten += 1
                print(f"written over unasked: version at {start}-{done} ({digest}), save logged at {gone}")
        for ms, (records, after, _) in saves:
            touched = any(s <= ms + 50 and d >= ms - 50 for s, d, p, _ in external if p == script)
            if records != after and not touched:
                lost += 1
        asked = len(questions)
        print(f"external change test: {len(external)} external versions, {len(saves)} saves, {len(rereads)} "
              f"read again, {asked} questions; {unnoticed} unnoticed, {overwritten} written over without a "
              f"question, {lost} saves lost")
        return 0 if unnoticed == overwritten == lost == 0 else 1
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
