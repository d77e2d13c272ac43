#!/usr/bin/env bash
# The logged-in main window as a screen reader reads it: the program under Xvfb on a private
# session bus with the AT-SPI bus, checked from outside with pyatspi (tests/shell/atspi-check.py).
# Writes the tree it read to $build/accessibility-tree.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh accessibility
build=${TESSEL_BUILD_DIR:-build}
[ -f "$build/build.ninja" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target tessel
# Bounded as a whole; the check bounds each of its own waits too.
timeout 180 dbus-run-session -- xvfb-run -a -s "-screen 0 1024x768x24" \
  /usr/bin/python3 tests/shell/atspi-check.py "$build/app/tessel" "$build/accessibility-tree.txt"
