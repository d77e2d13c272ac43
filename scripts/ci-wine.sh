#!/usr/bin/env bash
# Cross-compiles the Qt-free core with mingw-w64 and runs its registry tests under Wine against
# the real advapi32, then checks that the native and the Wine store agree on a random sequence.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh wine
build=${TESSEL_WINE_BUILD_DIR:-build-wine}
native=${TESSEL_WINE_NATIVE_DIR:-build-native-core}
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DTESSEL_CORE_ONLY=ON \
      -DTESSEL_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSEL_WERROR=ON >/dev/null
cmake --build "$build"

export WINEPREFIX
WINEPREFIX=$(mktemp -d /tmp/tessel-wine.XXXXXX)
trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$WINEPREFIX"' EXIT
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i >/dev/null 2>&1
ctest --test-dir "$build" --output-on-failure

# The same driver built natively, over the SQLite store.
cmake -S . -B "$native" -G Ninja -DTESSEL_CORE_ONLY=ON -DTESSEL_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DTESSEL_WERROR=ON >/dev/null
cmake --build "$native" --target registry_driver
for seed in 1 2 3 4 5; do
  dir=$(mktemp -d)
  TESSEL_HKCU_DB=$dir/user.db TESSEL_HKLM_DB=$dir/machine.db "$native/tests/tweaks/registry_driver" "$seed" 400 >"$dir/native.txt"
  wine "$build/tests/tweaks/registry_driver.exe" "$seed" 400 | tr -d '\r' >"$dir/wine.txt"
  if ! diff -u "$dir/native.txt" "$dir/wine.txt"; then
    echo "native and Wine stores differ for seed $seed" >&2
    exit 1
  fi
  rm -rf "$dir"
done
echo "native and Wine stores agree on 5 random sequences"
