#!/usr/bin/env bash
# Runs the real program against what an attacker or bad luck puts in its way: another pass holding
# the lock while two more start, hostile files at the change log's place and at the hives' places
# for the read-only paths, and outputs that cannot be written. Nothing may hang, report a failure as
# success, or change a file that is not the program's own.
# Usage: hostile-check.sh TESSEL
set -euo pipefail
tessel=$1
dir=$(mktemp -d)
chmod 700 "$dir"
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 30 "$tessel" "$@"; }
root=$([ "$(id -u)" -eq 0 ] && echo yes || echo no)

# A fresh account of its own: home, hives, log.
account() {
  home=$dir/$1
  mkdir -m 700 "$home"
  export TESSEL_HKCU_DB=$home/user/user.db TESSEL_HKLM_DB=$home/machine/machine.db XDG_STATE_HOME=$home/state
  log=$XDG_STATE_HOME/tessel/changes.jsonl
}
# ticked and state of row N, from status
row() { run status 2>/dev/null | awk -F'\t' -v n="$1" '$1 == n { print $4, $5 }'; }
# type, mode, owner, size and bytes of each file, or "none"
fingerprint() {
  local f
  for f in "$@"; do
    if [ -e "$f" ] || [ -L "$f" ]; then
      stat -c '%F %a %u %s' "$f"
      [ -f "$f" ] && [ ! -L "$f" ] && md5sum <"$f" || true
    else
      echo none
    fi
  done
}

# --- The lock: held by another program past any timeout while two applies start. Both wait,
# --- say who holds it, and each keeps the other's row.
account lock
run apply --password-stdin </dev/null >/dev/null || fail "lock: first apply"
flock "$home/user" sh -c "sleep 6; touch '$home/released'" &
holder=$!
sleep 0.5
run apply --on 1 --password-stdin </dev/null >"$home/a.out" 2>"$home/a.err" &
a=$!
run apply --on 2 --password-stdin </dev/null >"$home/b.out" 2>"$home/b.err" &
b=$!
wait $a || fail "lock: apply --on 1 exited $?"
[ -e "$home/released" ] || fail "lock: apply --on 1 wrote while another pass held the lock"
wait $b || fail "lock: apply --on 2 exited $?"
[ -e "$home/released" ] || fail "lock: apply --on 2 wrote while another pass held the lock"
wait $holder
grep -q "waiting for another pass to finish (the lock is held by process [0-9]* (flock))" "$home/a.err" ||
  fail "lock: no notice of who holds it: $(cat "$home/a.err")"
[ "$(row 1)" = "ticked applied" ] && [ "$(row 2)" = "ticked applied" ] ||
  fail "lock: a row was lost: row 1 $(row 1), row 2 $(row 2)"

# --- Hostile files at the change log's place: the pass is done, the log skipped with the reason
# --- (exit 1), and nothing else is touched or waited on.
for case in symlink fifo foreign group-readable open-folder; do
  [ $case = foreign ] && [ $root = no ] && continue
  account "log-$case"
  mkdir -p -m 700 "$XDG_STATE_HOME/tessel"
  target=$home/.profile
  printf 'export PATH=$HOME/bin:$PATH\n' >"$target"
  chmod 644 "$target"
  case $case in
  symlink) ln -s "$target" "$log" ;;
  fifo) mkfifo -m 600 "$log" ;;
  foreign) touch "$log" && chmod 666 "$log" && chown nobody "$log" ;;
  group-readable) touch "$log" && chmod 640 "$log" ;;
  open-folder) chmod 777 "$XDG_STATE_HOME/tessel" ;;
  esac
  before=$(fingerprint "$target" "$log" "$XDG_STATE_HOME/tessel")
  set +e
  err=$(run apply --on 1 --password-stdin </dev/null 2>&1 >/dev/null)
  code=$?
  set -e
  [ $code -ne 124 ] || fail "log $case: apply hung"
  [ $code -eq 1 ] || fail "log $case: apply exited $code"
  [[ $err == *"the change log was not written: "*"refused: "* ]] || fail "log $case: $err"
  [ "$(fingerprint "$target" "$log" "$XDG_STATE_HOME/tessel")" = "$before" ] || fail "log $case: a file changed"
  [ "$(row 1)" = "ticked applied" ] || fail "log $case: the pass was not done"
  [ $case = open-folder ] && continue # no log there to read
  set +e
  err=$(run log 2>&1 >/dev/null)
  code=$?
  set -e
  [ $code -eq 1 ] && [[ $err == *"the change log cannot be read: "*"refused: "* ]] || fail "log $case: log exited $code, $err"
  [ "$(fingerprint "$target" "$log" "$XDG_STATE_HOME/tessel")" = "$before" ] || fail "log $case: reading changed a file"
done

# --- Hostile files at a hive's place, for status: refused with the reason, no hang, nothing
# --- created or changed beside it.
for case in user-fifo machine-fifo user-symlink-to-fifo group-readable-user foreign-machine open-user-folder; do
  [ $case = foreign-machine ] && [ $root = no ] && continue
  account "hive-$case"
  run apply --on all --password-stdin </dev/null >/dev/null || fail "hive $case: first apply"
  case $case in
  user-fifo) rm "$TESSEL_HKCU_DB" && mkfifo -m 600 "$TESSEL_HKCU_DB" ;;
  machine-fifo) rm "$TESSEL_HKLM_DB" && mkfifo -m 644 "$TESSEL_HKLM_DB" ;;
  user-symlink-to-fifo) mkfifo -m 600 "$home/fifo" && rm "$TESSEL_HKCU_DB" && ln -s "$home/fifo" "$TESSEL_HKCU_DB" ;;
  group-readable-user) chmod 640 "$TESSEL_HKCU_DB" ;;
  foreign-machine) chown nobody "$TESSEL_HKLM_DB" ;;
  open-user-folder) chmod 777 "$home/user" ;;
  esac
  # Reading the hive that is not refused may make its side files, as any reader of a WAL does.
  beside=$home/user
  [[ $case == *machine* ]] && beside=$home/machine
  before=$(ls -la --time-style=+ "$beside")
  set +e
  err=$(run status 2>&1 >"$home/status.out")
  code=$?
  set -e
  [ $code -ne 124 ] || fail "hive $case: status hung"
  [ $code -eq 0 ] || fail "hive $case: status exited $code"
  [[ $err == *"refused: "* ]] || fail "hive $case: no reason given: $err"
  grep -q unreadable "$home/status.out" || fail "hive $case: the refused hive was read"
  [ "$(ls -la --time-style=+ "$beside")" = "$before" ] || fail "hive $case: files changed beside it"
done

# --- Outputs that cannot be written: exit 1 with the reason, and an -o file is replaced whole or
# --- not at all, never written through a symlink.
account full
run apply --on all --password-stdin </dev/null >/dev/null || fail "full: first apply"
for args in "status" "status --json" "log" "log --json" "export --format reg" "export --format json"; do
  set +e
  # shellcheck disable=SC2086
  err=$(run $args 2>&1 >/dev/full)
  code=$?
  set -e
  [ $code -eq 1 ] && [[ $err == *"cannot write to standard output"* ]] || fail "$args to a full output: exit $code, $err"
done
run export --format json --on 1 -o "$home/office.json" || fail "full: export -o"
cp "$home/office.json" "$home/kept.json"
set +e
err=$( (trap '' XFSZ; ulimit -f 1; run export --format reg --on all -o "$home/office.json") 2>&1)
code=$?
set -e
[ $code -eq 1 ] && [[ $err == *"cannot write $home/office.json"* ]] || fail "full disk on -o: exit $code, $err"
cmp -s "$home/office.json" "$home/kept.json" || fail "full disk on -o: the old file was damaged"
[ "$(ls "$home" | grep -c tmp)" -eq 0 ] || fail "full disk on -o: a temporary file was left"
ln -s "$home/kept.json" "$home/link.reg"
run export --format reg -o "$home/link.reg" || fail "-o onto a symlink"
[ ! -L "$home/link.reg" ] && [ -f "$home/link.reg" ] || fail "-o onto a symlink: the link was not replaced"
cmp -s "$home/office.json" "$home/kept.json" || fail "-o onto a symlink: its target was written"
echo "hostile files, the lock and full outputs check out"
