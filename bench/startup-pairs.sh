#!/bin/bash
# Wall-clock start-up to the painted window on a real X server (Xvfb),
# Tessel and the plain Qt program alternated in pairs so that the machine's
# load falls on both alike; prints the medians and their ratio:
#   bash bench/startup-pairs.sh [BUILD_DIR] [PAIRS] [MODE PLAIN_MODE]
# MODE defaults to the five windows ("skinned" beside "plain"); "gallery"
# beside "plain-gallery" starts the skin gallery.
set -euo pipefail
build=${1:-build}
pairs=${2:-21}
mode=${3:-skinned}
plain=${4:-plain}
bench=$build/bench/tessel_window_bench
[ -x "$bench" ] || { echo "no $bench; build the target tessel_window_bench first" >&2; exit 2; }
command -v Xvfb >/dev/null || { echo "Xvfb is not installed" >&2; exit 2; }

runtime=$(mktemp -d) # Qt wants a private runtime folder
display=:$((90 + RANDOM % 100))
while [ -e "/tmp/.X11-unix/X${display#:}" ]; do runtime=$(mktemp -d) # Qt wants a private runtime folder
display=:$((90 + RANDOM % 100)); done
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null || true; rm -rf "$runtime"' EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
export DISPLAY=$display QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$runtime}

millis() { # one start-up, wall-clock milliseconds
    local start end
    start=$(date +%s%N)
    "$bench" "--start=$1" >/dev/null
    end=$(date +%s%N)
    echo $(((end - start) / 1000))
}

"$bench" "--start=$mode" >/dev/null # warms the disk cache for both
"$bench" "--start=$plain" >/dev/null
ours=() theirs=()
for _ in $(seq "$pairs"); do
    ours+=("$(millis "$mode")")
    theirs+=("$(millis "$plain")")
done
median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
awk -v s="$(median "${ours[@]}")" -v p="$(median "${theirs[@]}")" -v m="$mode" -v q="$plain" -v n="$pairs" \
    'BEGIN { printf "start-up %s %.1f ms, %s %.1f ms (medians of %d pairs), ratio %.2f\n", m, s / 1000, q, p / 1000, n, s / p }'
