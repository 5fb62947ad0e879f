#!/usr/bin/env python3
"""Writes cmake/startup-functions.txt: the program's own functions that run as the editor
starts, which the linker lays side by side (cmake/StartupOrder.cmake).

    bench/startup_order.py [BUILD_DIR ...]

Each BUILD_DIR (default: build, as scripts/configure.sh makes it for the package, and
build-release, the benchmark's) must hold bench/scrivlet_startup_probe. The compiler names
a function's inlined and cloned parts differently at each optimisation level and in
batched sources, so the list is made from every build shape that should start fast: in
each, the probe runs under callgrind (Debian package valgrind) on the shipped lists twice
in one folder, as a first start and as a later one (which reads the settings the first
wrote), each time until a list box has been opened on the lists read, and every function
of its own that ran is listed, once, sorted: callgrind's order differs from run to run,
and the list should change only when what runs does. Whether the package is installed on
this machine does not matter: the probe does not see it. Run it again when the start
changes much.
"""
import os
import subprocess
import sys
import tempfile

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import startup  # noqa: E402  (the start folders of the start-up benchmark)

POPUP = startup.CASES["popup-shipped"][1]


def functions_run(probe, folder):
    profile = os.path.join(folder, "callgrind.out")
    # The lists are read after the first paint, beside the probe's wait for idle: without a
    # list box to open, whether they are in the list would depend on which ends first.
    env = startup.probe_environment(folder)
    env["SCRIVLET_PROBE_POPUP"] = POPUP
    subprocess.run(["valgrind", "--tool=callgrind", "--demangle=no", "--compress-strings=no",
                    f"--callgrind-out-file={profile}", probe], cwd=folder, env=env, check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    names, program = set(), None
    with open(profile, errors="replace") as f:
        for line in f:
            if line.startswith("ob="):
                program = line[3:].strip()
            elif line.startswith("fn=") and program == probe:
                name = line[3:].strip()
                # Callgrind's own names for code without a symbol are not the linker's.
                if not name.startswith(("(", "0x")):
                    names.add(name)
    return names


def main():
    builds = sys.argv[1:] or [os.path.join(REPO, "build"), os.path.join(REPO, "build-release")]
    probes = [os.path.join(os.path.abspath(build), "bench", "scrivlet_startup_probe") for build in builds]
    # All checked before the first slow callgrind run.
    for probe in probes:
        if not os.access(probe, os.X_OK):
            sys.exit(f"{probe} is missing: build the target scrivlet_startup_probe there first "
                     "(with -DSCRIVLET_BENCHMARKS=ON, which scripts/test.sh turns off)")
    names = set()
    for probe in probes:
        with tempfile.TemporaryDirectory() as work:
            folder = startup.start_folder(os.path.join(work, "shipped"), {})
            first = functions_run(probe, folder)
            later = functions_run(probe, folder)
        names |= first | later
    target = os.path.join(REPO, "cmake", "startup-functions.txt")
    with open(target, "w") as f:
        f.write("".join(name + "\n" for name in sorted(names)))
    print(f"{len(names)} functions in {target}")


if __name__ == "__main__":
    main()
