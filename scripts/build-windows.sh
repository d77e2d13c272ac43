#!/usr/bin/env bash
# Cross-builds the Windows program into build-windows/: tessel.exe (the windows,
# no console), its console twin tessel.com, the portable zip and the MSI.
# The static Qt for mingw-w64 comes from ../shared/toolchains beside the
# repository and is unpacked into the build folder, never committed.
# Usage: scripts/build-windows.sh [extra targets...]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build
scripts/setup.sh windows
build=${TESSEL_WINDOWS_BUILD_DIR:-build-windows}
archive=../shared/toolchains/qt6-mingw-static-6.4.2.tar.xz
qt=$PWD/$build/qt6-mingw
if [ ! -f "$qt/.unpacked" ]; then
  [ -f "$archive" ] || { echo "missing $archive (the static Qt for mingw-w64)" >&2; exit 1; }
  rm -rf "$qt"
  mkdir -p "$build"
  tar -xJf "$archive" -C "$build"
  touch "$qt/.unpacked"
fi
werror=OFF
[ -n "${CI:-}" ] && werror=ON
launcher=()
if [ -z "${CCACHE_DISABLE:-}" ] && command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
# Release at -O2: GCC 12 reports false -Wrestrict at -O3 in libstdc++'s string code.
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DCMAKE_C_FLAGS_RELEASE="-O2 -DNDEBUG" \
      -DCMAKE_PREFIX_PATH="$qt" -DJPEG_INCLUDE_DIR="$qt/include" -DJPEG_LIBRARY="$qt/lib/libjpeg.a" \
      -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
      -DTESSEL_BENCH=OFF -DTESSEL_WERROR=$werror "${launcher[@]}" >/dev/null
cmake --build "$build" --target windows_packages "$@"
ls -l "$build"/app/tessel.exe "$build"/app/tessel.com "$build"/tessel-*-win64.zip "$build"/tessel-*-x64.msi
