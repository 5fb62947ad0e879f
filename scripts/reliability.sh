#!/usr/bin/env bash
# The reliability figures of keeping unsaved work, on a build folder (default build/):
# 200 kills of an editing session, another program changing the files while the editor
# edits and saves, a recovery folder that cannot be written, and 210 kills of writes of
# thousands of files (renumber, and saves that fix the other scripts' links).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
python3 tests/reliability/kill_test.py "$build" --kills 200 --seed 21
python3 tests/reliability/external_change_test.py "$build" --seconds 40 --seed 21
python3 tests/reliability/recovery_folder_test.py "$build"
python3 tests/reliability/file_set_kill_test.py "$build" --renumber-kills 150 --save-kills 60 --seed 30
