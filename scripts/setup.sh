#!/usr/bin/env bash
# Installs the Debian packages Tessel needs that are not there yet; does nothing when all are.
# Usage: scripts/setup.sh [build|wine|package|accessibility|windows|hive BUILD_DIR]
#   build: compile, test and run; wine: the Windows checks; package: build, check and install the .deb;
#   accessibility: read the windows through AT-SPI as a screen reader does;
#   windows: cross-build the Windows program and its packages, and drive it under Wine on Xvfb
#   hive: create the machine hive for administrators (packaging/machine-hive.sh) with the program
#   built in BUILD_DIR, when it is missing.
set -euo pipefail

build_pkgs=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libsqlite3-dev sqlite3 libicu-dev
            libjpeg62-turbo-dev libgtest-dev libgmock-dev libbenchmark-dev
            libcli11-dev nlohmann-json3-dev fonts-wqy-microhei fonts-dejavu-core xfonts-terminus xvfb xauth clang-format git
            python3-samba libxml2-utils)
wine_pkgs=(g++-mingw-w64-x86-64 googletest wine wine64 locales libcli11-dev nlohmann-json3-dev)
# The static Qt for mingw-w64 uses the host's moc, rcc and uic (qt6-base-dev-tools, the same 6.4.2).
windows_pkgs=(g++-mingw-w64-x86-64-posix googletest wine wine64 qt6-base-dev-tools libcli11-dev nlohmann-json3-dev
              wixl xdotool xvfb xauth fonts-wqy-microhei fonts-wine qt6-qpa-plugins)
# Tools that check the package, and what the .deb depends on beyond the build's libraries.
package_pkgs=(dpkg-dev desktop-file-utils appstream ansible python3-yaml file man-db qt6-qpa-plugins sqlite3
              fonts-wqy-microhei lintian zsh)
# A private session bus with the AT-SPI bus and registry, and the Python client that reads it.
a11y_pkgs=(dbus at-spi2-core python3-pyatspi python3-gi xvfb xauth)

mode=${1:-build}
case "$mode" in
  hive)    wanted=() ;;
  build)   wanted=("${build_pkgs[@]}") ;;
  wine)    wanted=("${wine_pkgs[@]}") ;;
  package) wanted=("${package_pkgs[@]}") ;;
  accessibility) wanted=("${a11y_pkgs[@]}") ;;
  windows) wanted=("${windows_pkgs[@]}") ;;
  *) echo "usage: $0 [build|wine|package|accessibility|windows]" >&2; exit 2 ;;
esac

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

missing=()
for pkg in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$pkg")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# As on Windows, where administrators write HKEY_LOCAL_MACHINE and others may not.
hive=/var/lib/tessel/machine.db
if [ "$mode" = hive ] && [ ! -e "$hive" ]; then
  # The program's folder in the build moves with the source layout; find it by name.
  program=$(find "${2:?usage: $0 hive BUILD_DIR}" -maxdepth 2 -type f -name tessel -perm -u+x | head -n 1)
  [ -n "$program" ] || { echo "no tessel program built in $2" >&2; exit 1; }
  echo "Creating the machine hive $hive for the administrators' group"
  "${sudo_cmd[@]}" env TESSEL="$(realpath "$program")" sh "$(dirname "$0")/../packaging/machine-hive.sh" "$hive"
fi

# The Wine job runs once more in a Chinese locale, where Wine's ANSI code page is 936.
if [ "$mode" = wine ] && ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
  echo "Generating the zh_CN.UTF-8 locale"
  "${sudo_cmd[@]}" localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
fi
