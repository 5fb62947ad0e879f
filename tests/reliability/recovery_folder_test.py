#!/usr/bin/env python3
"""The recovery file cannot be written: no room for it on the disk (a file size limit
below its size stands for a full disk), or a file where its folder should be (which no
user's rights get past, unlike a read-only folder for root). The editor must go on, say
once that unsaved work is not being kept, and save every edit it had.

    tests/reliability/recovery_folder_test.py BUILD_DIR
"""
import os
import shutil
import subprocess
import sys
import tempfile


def main():
    driver = os.path.join(os.path.abspath(sys.argv[1]), "tests", "keep_work_driver")
    failures = 0
    for mode in ("nospace", "nofolder"):
        work = tempfile.mkdtemp(prefix="scrivlet-recovery-folder-")
        try:
            script = os.path.join(work, "057.npc")
            with open(script, "wb") as f:
                f.write(bytes([0] * 11 + [1] + [0] * 20) + bytes(32 * 49))
            env = dict(os.environ, XDG_DATA_HOME=os.path.join(work, "data"), QT_QPA_PLATFORM="offscreen")
            out = subprocess.run([driver, mode, script, "21"], env=env, capture_output=True, text=True,
                                 timeout=120).stdout
            found = dict(line.split(" ", 1) for line in out.splitlines() if " " in line)
            ok = found.get("SAID") == "1" and found.get("SAVED") == "ok"
            failures += not ok
            print(f"recovery folder test ({mode}): {found.get('EDITS')} edits, said {found.get('SAID')} time(s) "
                  f"that work is not kept, save {found.get('SAVED')}")
        finally:
            shutil.rmtree(work, ignore_errors=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
