#!/usr/bin/env bash
# Builds the .deb from the test build, checks it with lintian, validates its desktop entry and
# AppStream metadata, installs it with apt-get as a user would, runs the installed program, its
# machine hive and its shell completions, and purges it again.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build
scripts/setup.sh package
build=${TESSEL_BUILD_DIR:-build}
[ -f "$build/build.ninja" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target tessel tessel_completions tessel_docs
scripts/setup.sh hive "$build"
rm -rf "$build/package"
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/package/tessel_*.deb)

# Every tag counts, the pedantic ones included; lintian's own failure (status 2) fails too.
if ! lintian --pedantic --fail-on error,warning,pedantic --tag-display-limit 0 "$deb"; then
  echo "lintian rejects $deb" >&2
  exit 1
fi
desktop-file-validate packaging/org.tessel.Tessel.desktop
appstreamcli validate --no-net "$build/packaging/org.tessel.Tessel.metainfo.xml" >/dev/null

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
was_installed=$(dpkg-query -W -f='${Status}' tessel 2>/dev/null | grep -c 'install ok installed' || true)
if [ "$was_installed" -eq 0 ]; then
  trap 'DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get remove -y -qq tessel >/dev/null || true' EXIT
fi
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --reinstall "./$deb" >/dev/null

# From the installed files, without a display.
desktop-file-validate /usr/share/applications/org.tessel.Tessel.desktop
appstreamcli validate --no-net /usr/share/metainfo/org.tessel.Tessel.metainfo.xml >/dev/null
for size in 16 32 48 64 128 256; do
  [ "$(file -b /usr/share/icons/hicolor/${size}x${size}/apps/org.tessel.Tessel.png | cut -d, -f2)" = " $size x $size" ]
done
man -l /usr/share/man/man1/tessel.1.gz >/dev/null
bash tests/cli/completion-check.sh /usr/share/bash-completion/completions/tessel \
  /usr/share/zsh/vendor-completions/_tessel
version=$(env -u DISPLAY -u WAYLAND_DISPLAY /usr/bin/tessel --version)
[ "$version" = "tessel 1.2" ] || { echo "installed tessel --version printed: $version" >&2; exit 1; }
hives=$(mktemp -d)
rows=$(env -u DISPLAY -u WAYLAND_DISPLAY TESSEL_HKCU_DB="$hives/user.db" /usr/bin/tessel status --json | grep -c '"row":')
rm -rf "$hives"
[ "$rows" = "$(sh scripts/tweak-count.sh)" ] || { echo "installed tessel status --json listed $rows rows" >&2; exit 1; }
group=$( (getent group sudo || getent group wheel) | cut -d: -f3)
[ "$(stat -c '%u %g %a' /var/lib/tessel)" = "0 $group 2775" ]
[ "$(stat -c '%u %g %a' /var/lib/tessel/machine.db)" = "0 $group 664" ]
bash tests/cli/process-check.sh /usr/bin/tessel /usr/libexec/tessel/machine-hive
bash tests/cli/playbook-check.sh /usr/bin/tessel
bash tests/cli/group-policy-check.sh /usr/bin/tessel

# Purging removes what the package created and nothing else: the hive was there before (the setup
# script made it), so it stays; the package's record of what it made goes.
if [ "$was_installed" -eq 0 ]; then
  hive_before=$(stat -c '%i' /var/lib/tessel/machine.db)
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get purge -y -qq tessel >/dev/null
  trap - EXIT
  [ "$(stat -c '%i' /var/lib/tessel/machine.db)" = "$hive_before" ]
  [ ! -e /var/lib/tessel/.created-by-package ]
  [ ! -e /usr/bin/tessel ]
fi
echo "package: built, linted, validated, installed, run and purged"
