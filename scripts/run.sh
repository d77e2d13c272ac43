#!/usr/bin/env bash
# Sets up what is missing, builds Tessel and starts it with the default hives.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build
build=${TESSEL_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target tessel tessel-gallery
scripts/setup.sh hive "$build"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: run Tessel under a virtual one, e.g. xvfb-run -a $build/app/tessel" >&2
  exit 1
fi
exec "$build/app/tessel"
