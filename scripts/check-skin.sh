#!/usr/bin/env bash
# Draws the skin bitmaps, the icon and the window pictures again and fails
# when they differ from the committed ones under resources/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build
build=${TESSEL_BUILD_DIR:-build}
werror=OFF
[ -n "${CI:-}" ] && werror=ON
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSEL_WERROR=$werror >/dev/null
cmake --build "$build" --target tessel_skingen
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$build/tools/skingen/tessel_skingen" "$out"
if ! diff -r -q resources/skin "$out/skin" || ! diff -r -q resources/pictures "$out/pictures" ||
   ! diff -r -q resources/icons "$out/icons" ||
   ! diff -q resources/tessel.qrc "$out/tessel.qrc"; then
  echo "the committed skin pictures differ from what tools/skingen draws;" \
       "run $build/tools/skingen/tessel_skingen resources and commit the result" >&2
  exit 1
fi
echo "the committed skin pictures match the generator"
