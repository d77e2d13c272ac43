#!/usr/bin/env bash
# Cross-compiles the Qt-free core with mingw-w64 and runs its registry tests under Wine against
# the real advapi32, in the default locale and in a Chinese one (code page 936). Then checks on
# seeded random sequences that the native store agrees with the Wine store, and, for raw calls
# with GBK names, with the W calls (default locale) and the A calls (code page 936) themselves.
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
chinese=zh_CN.UTF-8
ctest --test-dir "$build" --output-on-failure
LC_ALL=$chinese ctest --test-dir "$build" --output-on-failure

# The same drivers built natively, over the SQLite store.
cmake -S . -B "$native" -G Ninja -DTESSEL_CORE_ONLY=ON -DTESSEL_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DTESSEL_WERROR=ON >/dev/null
cmake --build "$native" --target registry_driver registry_raw_driver

# compare LABEL NATIVE-COMMAND -- WINE-ENV... -- WINE-COMMAND...
compare() {
  local label=$1 dir
  dir=$(mktemp -d)
  chmod 700 "$dir"
  shift
  local native_cmd=() wine_env=()
  while [ "$1" != "--" ]; do native_cmd+=("$1"); shift; done
  shift
  while [ "$1" != "--" ]; do wine_env+=("$1"); shift; done
  shift
  TESSEL_HKCU_DB=$dir/user/user.db TESSEL_HKLM_DB=$dir/machine/machine.db "${native_cmd[@]}" >"$dir/native.txt"
  env "${wine_env[@]}" wine "$@" | tr -d '\r' >"$dir/wine.txt"
  if ! diff -u "$dir/native.txt" "$dir/wine.txt"; then
    echo "native store and $label differ" >&2
    exit 1
  fi
  rm -rf "$dir"
}

for seed in 1 2 3 4 5; do
  zh=$((seed + 10))
  compare "Wine store (seed $seed)" "$native/tests/tweaks/registry_driver" "$seed" 400 -- LC_ALL=C -- \
    "$build/tests/tweaks/registry_driver.exe" "$seed" 400
  compare "Wine store in code page 936 (seed $zh)" "$native/tests/tweaks/registry_driver" "$zh" 400 -- \
    LC_ALL=$chinese -- "$build/tests/tweaks/registry_driver.exe" "$zh" 400
  compare "Wine's W calls (seed $seed)" "$native/tests/tweaks/registry_raw_driver" "$seed" 600 store -- \
    LC_ALL=C -- "$build/tests/tweaks/registry_raw_driver.exe" "$seed" 600 wide
  compare "Wine's A calls in code page 936 (seed $seed)" "$native/tests/tweaks/registry_raw_driver" "$seed" 600 store -- \
    LC_ALL=$chinese -- "$build/tests/tweaks/registry_raw_driver.exe" "$seed" 600 ansi
  compare "the Wine store's raw calls (seed $seed)" "$native/tests/tweaks/registry_raw_driver" "$seed" 600 store -- \
    LC_ALL=C -- "$build/tests/tweaks/registry_raw_driver.exe" "$seed" 600 store
  compare "the Wine store's raw calls in code page 936 (seed $zh)" "$native/tests/tweaks/registry_raw_driver" "$zh" 600 store -- \
    LC_ALL=$chinese -- "$build/tests/tweaks/registry_raw_driver.exe" "$zh" 600 store
done
echo "the native store agrees with the Wine store and with the A and W calls on every sequence"
