#!/usr/bin/env bash
# Builds with AddressSanitizer and UBSan and runs the whole suite.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build
build=${TESSEL_SAN_BUILD_DIR:-build-asan}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTESSEL_SANITIZE=ON -DTESSEL_BENCH=OFF \
      -DTESSEL_WERROR=ON >/dev/null
cmake --build "$build"
export QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1
ctest --test-dir "$build" --output-on-failure -j2
