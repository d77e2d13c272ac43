#!/usr/bin/env bash
# The command line's start-up and the store's passes at low cost, each beside
# its plain counterpart in one run: instructions (callgrind) of `tessel
# --version` and `tessel status --json` beside a C++ hello-world, system calls
# (strace) of a pass beside nothing at all, and the time of a pass on the
# SQLite hives beside the in-memory store.
# Usage: bench/store-cost.sh [BUILD]   (after building tessel, tessel_hello and tessel_store_probe)
set -euo pipefail
build=${1:-build}
probe=$build/bench/tessel_store_probe
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/hives"
export TESSEL_HKCU_DB=$work/hives/user.db TESSEL_HKLM_DB=$work/hives/machine.db
"$probe" sqlite pass 0 "$work/hives" >/dev/null # hives after a first pass

instructions() {
  valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 >/dev/null |
    sed -n 's/.*Collected : \([0-9]*\).*/\1/p'
}
hello=$(instructions "$build/bench/tessel_hello")
printf '%-34s %14s %8s\n' "case (instructions)" "count" "ratio"
printf '%-34s %14d %8s\n' "C++ hello-world" "$hello" "1.00"
for args in "--version" "status --json"; do
  # shellcheck disable=SC2086
  n=$(instructions "$build/app/tessel" $args)
  printf '%-34s %14d %8.2f\n' "tessel $args" "$n" "$(echo "$n / $hello" | bc -l)"
done
# The window program runs a command too, with all of the GUI loaded.
n=$(instructions "$build/libexec/tessel/tessel" --version)
printf '%-34s %14d %8.2f\n' "window program --version" "$n" "$(echo "$n / $hello" | bc -l)"

syscalls() {
  rm -rf "$work/run" && mkdir -m 700 "$work/run"
  strace -f -c -o "$work/trace" "$probe" sqlite "$1" "$2" "$work/run" >/dev/null
  tail -1 "$work/trace" | awk '{print $(NF-2)}'
}
echo
printf '%-34s %14s\n' "case (system calls per step)" "count"
for kind in pass flip recorded load; do
  one=$(syscalls "$kind" 1)
  eleven=$(syscalls "$kind" 11)
  printf '%-34s %14d\n' "$kind" "$(((eleven - one) / 10))"
done
echo
echo "time per step (wall, 200 steps):"
for kind in pass flip load; do
  rm -rf "$work/run" && mkdir -m 700 "$work/run"
  "$probe" sqlite "$kind" 200 "$work/run"
  "$probe" memory "$kind" 200 "$work/run"
done
echo
echo "pass: the same ticks again (OK pressed twice); flip: every row changes; recorded: the window's"
echo "pass with originals and the change log, every row changing; load: the state load of a login."
