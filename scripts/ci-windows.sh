#!/usr/bin/env bash
# The Windows job: cross-builds the program, its packages and the suite (scripts/build-windows.sh),
# then under Wine, in a fresh prefix on a virtual display:
#   1. the core's, the command line's and the windows' suites (the windows on `minimal`);
#   2. the five windows rendered by Wine's GDI beside the Linux build's rendering, pixel by pixel
#      outside text;
#   3. the command line's output and exit codes through the console executable tessel.com;
#   4. the MSI installed, run, and removed again;
#   5. a session driven by xdotool on the real `windows` platform, its registry read back with
#      `reg query` and compared value by value with the same session on the Linux build.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${TESSEL_WINDOWS_BUILD_DIR:-build-windows}
native=${TESSEL_BUILD_DIR:-build}
# Wine runs tests one at a time: they share the prefix's registry.
# reg_import_tests runs in scripts/ci-wine.sh, which gives regedit the prefix it expects.
core_tests=(registry_tests tweak_insight_tests password_tests cli_tests)
window_tests=(controls_tests tessel_framework_tests tessel_resources_test tessel_skin_tests tessel_sui_tests
  tessel_font_tests access_window_tests shell_window_tests)
bash scripts/build-windows.sh "${core_tests[@]}" "${window_tests[@]}" tessel_window_shots registry_values
werror=OFF
[ -n "${CI:-}" ] && werror=ON
[ -f "$native/build.ninja" ] ||
  cmake -S . -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSEL_WERROR=$werror >/dev/null
cmake --build "$native" --target tessel tessel_window_shots registry_values

work=$(mktemp -d /tmp/tessel-windows.XXXXXX)
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
xvfb_pid=
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# A display of its own: Xvfb picks a free number and writes it to the pipe.
exec {fd}<> <(:)
Xvfb -displayfd $fd -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
read -r -u $fd number
exec {fd}>&-
export DISPLAY=:$number
wineboot -i >/dev/null 2>&1
wineserver -w
# Windows keeps Tahoma and the rest in its Fonts folder; Debian's Wine installs its own copies
# (fonts-wine) where its GDI does not find them, so they go where Windows has them.
cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"

# 1. The suite under Wine. The gallery's golden images are drawn with the Linux fonts of
#    tools/gallery/fonts.conf, which GDI does not read, so they stay on Linux.
echo "== the suite under Wine"
# Cases that need a larger screen than minimal's run again on the display (<suite>_on_display).
only=$(IFS='|'; echo "^(${core_tests[*]}|${window_tests[*]})(_on_display)?\$")
ctest --test-dir "$build" --output-on-failure -R "$only"

# 2. The five windows, here and under Wine.
echo "== the windows under Wine beside the Linux build"
QT_QPA_PLATFORM=offscreen "$native/tests/shell/tessel_window_shots" shots "$work/shots/linux"
QT_QPA_PLATFORM=windows wine "$build/tests/shell/tessel_window_shots.exe" shots 'Z:'"$work/shots/wine"
QT_QPA_PLATFORM=offscreen "$native/tests/shell/tessel_window_shots" compare "$work/shots/linux" "$work/shots/wine" ||
  { cp -r "$work/shots" "$build/window-shots"; fail "the windows differ outside text (see $build/window-shots)"; }

# 3. The command line through the console executable.
echo "== the command line through tessel.com"
com=$build/app/tessel.com
expect_exit() { # CODE COMMAND... (standard input from the caller)
  local want=$1 got=0
  shift
  wine "$com" "$@" >"$work/out" 2>"$work/err" || got=$?
  [ "$got" -eq "$want" ] || fail "tessel.com $* exited $got, not $want: $(cat "$work/err")"
}
[ "$(wine "$com" --version | tr -d '\r')" = "tessel 1.2" ] || fail "tessel.com --version"
expect_exit 2 frobnicate </dev/null
expect_exit 2 apply --profile 'Z:/nonexistent/profile.json' --password-stdin </dev/null
expect_exit 0 apply --on all --password-stdin </dev/null
echo wrong | expect_exit 3 apply --off all --password-stdin
expect_exit 0 status --json </dev/null
[ "$(grep -c '"state": "applied"' "$work/out")" -eq "$(sh scripts/tweak-count.sh)" ] || fail "status --json after apply --on all: $(cat "$work/out")"
expect_exit 0 restore --password-stdin </dev/null
expect_exit 0 log --json </dev/null
grep -q '"command line"' "$work/out" || fail "the change log under %LOCALAPPDATA%\\Tessel has no command-line records"
appdata=$(wine cmd /c echo %LOCALAPPDATA% | tr -d '\r')
[ -s "$(winepath -u "$appdata\\Tessel\\changes.jsonl")" ] || fail "no change log in $appdata\\Tessel"

# 4. The MSI: installed per machine, run, removed.
echo "== the MSI"
msi=$(ls "$build"/tessel-*-x64.msi)
version=$(basename "$msi" | sed 's/^tessel-\(.*\)-x64\.msi$/\1/')
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
installed="$WINEPREFIX/drive_c/Program Files/Tessel"
# Wine's msiexec puts a per-machine package's shortcut in the installing user's Start menu.
shortcut=$(winepath -u "$(wine cmd /c echo %APPDATA% | tr -d '\r')\Microsoft\Windows\Start Menu\Programs\Tessel.lnk")
wine msiexec /i "$(winepath -w "$msi")" /qn
wineserver -w
for file in tessel.exe tessel.com README.md; do [ -f "$installed/$file" ] || fail "the MSI did not install $file"; done
[ -f "$shortcut" ] || fail "the MSI made no Start-menu shortcut"
# The uninstall key whose DisplayName is Tessel (Wine's reg has no /f).
entry_of_tessel() { wine reg query "$uninstall" /s | tr -d '\r' | awk 'BEGIN { RS = "" } /DisplayName +REG_SZ +Tessel\n/'; }
entry=$(entry_of_tessel)
grep -q "DisplayName.*Tessel" <<<"$entry" || fail "no Programs and Features entry: $entry"
grep -q "DisplayVersion.*$version" <<<"$entry" || fail "the Programs and Features entry lacks the version: $entry"
grep -qi "UninstallString.*msiexec" <<<"$entry" || fail "the Programs and Features entry has no uninstaller: $entry"
[ "$(wine 'C:\Program Files\Tessel\tessel.exe' --version | tr -d '\r')" = "tessel $version" ] ||
  fail "installed tessel.exe --version"
rows=$(wine 'C:\Program Files\Tessel\tessel.com' status --json | grep -c '"row":')
[ "$rows" -eq "$(sh scripts/tweak-count.sh)" ] || fail "installed tessel.com status --json listed $rows rows"
wine msiexec /x "$(winepath -w "$msi")" /qn
wineserver -w
[ ! -e "$installed" ] || [ -z "$(ls -A "$installed")" ] || fail "the uninstaller left $(ls "$installed")"
[ ! -e "$shortcut" ] || fail "the uninstaller left the Start-menu shortcut"
[ -z "$(entry_of_tessel)" ] || fail "the uninstaller left the Programs and Features entry"


# 5. One session, driven the same way on Wine and on Linux.
echo "== a session under Wine and on Linux"
# The program's key goes, so that both sessions start with the first log-in's reset.
wine reg delete 'HKCU\Software\Microsoft\Windows\vardo' /f >/dev/null 2>&1
wineserver -w
export REGISTRY_VALUES_NATIVE=$native/tests/tweaks/registry_values
bash tests/windows/session.sh wine "$build" "$work/wine-session"
bash tests/windows/session.sh linux "$native" "$work/linux-session"
for phase in applied reverted; do
  if ! diff -u "$work/linux-session/$phase.txt" "$work/wine-session/$phase.txt"; then
    fail "the registry after the $phase session differs between Linux and Wine"
  fi
  echo "$phase: the $(wc -l <"$work/wine-session/$phase.txt") values agree"
done
echo "the Windows job passed"
