#!/usr/bin/env bash
# One session of the real program on the display in $DISPLAY, driven by xdotool as a user would:
# log in (the first log-in resets every tweak), tick every box on the three pages, OK; log in
# again, untick them all, OK. After each OK the registry's tweak values and mirror values are
# written to OUT/applied.txt and OUT/reverted.txt, one `registry_values` line each.
# Usage: session.sh wine|linux BUILD OUT
# wine: BUILD/app/tessel.exe on Wine's own `windows` platform, the values read back with
# Wine's `reg query`; linux: BUILD/app/tessel on xcb over fresh SQLite hives in OUT.
set -euo pipefail
platform=$1
build=$2
out=$3
mkdir -p "$out"
fail() { echo "FAIL ($platform session): $*" >&2; exit 1; }

if [ "$platform" = wine ]; then
  program=(wine "$build/app/tessel.exe")
  shots=(env QT_QPA_PLATFORM=windows wine "$build/tests/shell/tessel_window_shots.exe")
else
  export TESSEL_HKCU_DB=$out/user/user.db TESSEL_HKLM_DB=$out/machine/machine.db XDG_STATE_HOME=$out/state
  export QT_QPA_PLATFORM=xcb
  program=("$build/app/tessel")
  shots=(env QT_QPA_PLATFORM=offscreen "$build/tests/shell/tessel_window_shots")
fi
# Where to click, as this platform lays the windows out (tab widths follow the fonts).
"${shots[@]}" places | tr -d '\r' >"$out/places.txt"
place() { awk -v what="$1" '$1 == what { print $2, $3; exit }' "$out/places.txt"; }

# The names of the 57 values, in order, from the Linux build (it knows the catalogue too).
list_values() {
  TESSEL_HKCU_DB=$out/names/user.db TESSEL_HKLM_DB=$out/names/machine.db \
    "${REGISTRY_VALUES_NATIVE:?}" | cut -d'|' -f1,2
}

read_values() { # FILE
  if [ "$platform" = linux ]; then
    "$build/tests/tweaks/registry_values" >"$1"
    return
  fi
  # One cmd for every query; a marker line before each tells the answers apart.
  local batch=$out/query.bat n=0
  : >"$batch"
  while IFS='|' read -r key name; do
    n=$((n + 1))
    if [ -z "$name" ]; then
      printf 'echo @@%d\r\nreg query "%s" /ve\r\n' "$n" "$key" >>"$batch"
    else
      printf 'echo @@%d\r\nreg query "%s" /v "%s"\r\n' "$n" "$key" "$name" >>"$batch"
    fi
  done < <(list_values)
  wine cmd /c "$(winepath -w "$batch")" 2>/dev/null | tr -d '\r' >"$out/query.txt" || true
  list_values | awk -F'|' -v answers="$out/query.txt" '
    BEGIN {
      while ((getline line < answers) > 0) {
        if (line ~ /^@@[0-9]+$/) { n = substr(line, 3) + 0; continue }
        if (line ~ /^    /) {
          split(substr(line, 5), f, "    ")
          data = substr(line, 5 + length(f[1]) + 4 + length(f[2]) + 4)
          value[n] = f[2] "|" data
        }
      }
    }
    { printf "%s|%s|%s\n", $1, $2, (NR in value) ? value[NR] : "(missing)" }' >"$1"
}

"${program[@]}" >"$out/program.log" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
main=$(timeout 60 xdotool search --sync --onlyvisible --name 'Tessel V1\.2' | head -1) ||
  fail "the main window did not open"
click() { # WINDOW PLACE
  local at
  at=$(place "$2")
  [ -n "$at" ] || fail "no place $2"
  # shellcheck disable=SC2086
  xdotool mousemove --window "$1" $at click 1
  sleep 0.3
}
log_in() {
  click "$main" main.login
  local login
  login=$(timeout 30 xdotool search --sync --onlyvisible --name '登陆' | head -1) || fail "no login window"
  # No password is set: the empty edit logs in.
  click "$login" login.ok
  sleep 1
}
toggle_all() {
  local line
  while read -r line; do
    set -- $line
    case $1 in
      tab) xdotool mousemove --window "$main" "$2" "$3" click 1; sleep 0.5 ;;
      box) xdotool mousemove --window "$main" "$2" "$3" click 1; sleep 0.2 ;;
    esac
  done < <(sed -n '/^page /,$p' "$out/places.txt")
}

log_in
toggle_all
click "$main" main.ok
sleep 2
read_values "$out/applied.txt"
log_in
toggle_all
click "$main" main.ok
sleep 2
read_values "$out/reverted.txt"
grep -q . "$out/applied.txt" || fail "nothing read back"
# Every box was ticked, then every box unticked: the mirror says so, once for every row.
rows=$(sh "$(dirname "$0")/../../scripts/tweak-count.sh")
[ "$(grep -c 'zhuangtai|.*|REG_DWORD|0x1$' "$out/applied.txt")" -eq "$rows" ] || fail "not every row was applied"
[ "$(grep -c 'zhuangtai|.*|REG_DWORD|0x0$' "$out/reverted.txt")" -eq "$rows" ] || fail "not every row was reverted"
