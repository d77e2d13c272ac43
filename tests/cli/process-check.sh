#!/usr/bin/env bash
# Runs the real program from the command line, without a display: version, apply on a fresh
# account, the twelve numbered messages when the machine hive cannot be opened, and, as root, the
# machine hive for administrators (written by a member of the group, refused to everyone else).
# Usage: process-check.sh TESSEL MACHINE_HIVE_SCRIPT
set -euo pipefail
tessel=$1
make_hive=$2
dir=$(mktemp -d)
chmod 755 "$dir"
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@"; }
twelve=$'注册表内容出错5！\n注册表内容出错9！\n注册表内容出错25\n注册表内容出错31！\n注册表内容出错33！\n注册表内容出错35！\n注册表内容出错43！\n注册表内容出错45！\n注册表内容出错45！\n注册表内容出错45！\n注册表内容出错45！\n注册表内容出错45！'

[ "$(run "$tessel" --version)" = "tessel 1.2" ] || fail "--version"

export TESSEL_HKCU_DB=$dir/user/user.db TESSEL_HKLM_DB=$dir/machine/machine.db XDG_STATE_HOME=$dir/state
run "$tessel" apply --on all --password-stdin </dev/null >/dev/null || fail "apply on a fresh account"

# A machine hive that cannot be opened: done, exit 4, the twelve messages of the machine-wide rows.
set +e
err=$(TESSEL_HKLM_DB=/dev/null/machine.db run "$tessel" apply --on all --password-stdin </dev/null 2>&1 >/dev/null)
code=$?
set -e
[ $code -eq 4 ] || fail "unopenable machine hive exited $code"
[ "$err" = "$twelve" ] || fail "unopenable machine hive printed: $err"

if [ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null; then
  group=$( (getent group sudo || getent group wheel) | cut -d: -f3)
  hive=$dir/lib/tessel/machine.db
  TESSEL=$tessel "$make_hive" "$hive"
  [ "$(stat -c '%u %g %a' "$hive")" = "0 $group 664" ] || fail "hive file: $(stat -c '%u %g %a' "$hive")"
  [ "$(stat -c '%u %g %a' "$(dirname "$hive")")" = "0 $group 2775" ] || fail "hive folder"
  mkdir -m 700 "$dir/nobody"
  chown nobody "$dir/nobody"
  # Readable by everyone from the start, before any member has written it.
  unreadable=$(run setpriv --reuid=nobody --regid=nogroup --clear-groups env TESSEL_HKCU_DB="$dir/nobody/user.db" \
    TESSEL_HKLM_DB="$hive" XDG_STATE_HOME="$dir/nobody/state" "$tessel" status | grep -c unreadable || true)
  [ "$unreadable" -eq 0 ] || fail "an account outside the group could not read the machine hive"
  as_nobody() { run setpriv --reuid=nobody --regid=nogroup "$@" env TESSEL_HKCU_DB="$dir/nobody/user.db" TESSEL_HKLM_DB="$hive" XDG_STATE_HOME="$dir/nobody/state" "$tessel" apply --on all --password-stdin; }
  as_nobody --groups="$group" </dev/null >/dev/null || fail "a member of the administrators' group could not write the machine hive"
  set +e
  err=$(as_nobody --clear-groups </dev/null 2>&1 >/dev/null)
  code=$?
  set -e
  [ $code -eq 4 ] && [ "$err" = "$twelve" ] || fail "an account outside the group: exit $code, $err"
  [ "$(stat -c '%u %g %a' "$hive")" = "0 $group 664" ] || fail "the hive changed hands"
  unreadable=$(run setpriv --reuid=nobody --regid=nogroup --clear-groups env TESSEL_HKCU_DB="$dir/nobody/user.db" \
    TESSEL_HKLM_DB="$hive" XDG_STATE_HOME="$dir/nobody/state" "$tessel" status | grep -c unreadable || true)
  [ "$unreadable" -eq 0 ] || fail "an account outside the group could not read the machine hive after a write"
fi
echo "command line: version, apply, closed machine hive and administrators' hive check out"
