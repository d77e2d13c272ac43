#!/usr/bin/env bash
# Installs the Debian packages Tessel needs that are not there yet; does nothing when all are.
# Usage: scripts/setup.sh [build|wine]   (build: compile, test and run; wine: the Windows checks)
set -euo pipefail

build_pkgs=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libsqlite3-dev sqlite3 libicu-dev
            libjpeg62-turbo-dev nlohmann-json3-dev libgtest-dev libgmock-dev libbenchmark-dev
            fonts-wqy-microhei xvfb xauth clang-format git)
wine_pkgs=(g++-mingw-w64-x86-64 googletest nlohmann-json3-dev wine wine64 locales)

case "${1:-build}" in
  build) wanted=("${build_pkgs[@]}") ;;
  wine)  wanted=("${wine_pkgs[@]}") ;;
  *) echo "usage: $0 [build|wine]" >&2; exit 2 ;;
esac

missing=()
for pkg in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$pkg")
  fi
done
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The Wine job runs once more in a Chinese locale, where Wine's ANSI code page is 936.
if [ "${1:-build}" = wine ] && ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
  echo "Generating the zh_CN.UTF-8 locale"
  "${sudo_cmd[@]}" localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
fi
