#!/bin/bash
# Instructions per step of every window case beside its plain Qt counterpart,
# counted by callgrind, so that figures compare on a busy machine:
#   bash bench/instructions.sh [BUILD_DIR] [STEPS]
# In-process cases run STEPS steps after an unmeasured one (callgrind collects
# only around them); the start-up cases count a whole fresh process that builds
# its windows, paints them and exits.
set -euo pipefail
build=${1:-build}
steps=${2:-20}
bench=$build/bench/tessel_window_bench
[ -x "$bench" ] || { echo "no $bench; build the target tessel_window_bench first" >&2; exit 2; }
command -v valgrind >/dev/null || { echo "valgrind is not installed" >&2; exit 2; }
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$work/runtime}

# Total instructions callgrind collected in one run.
count() {
    local out=$work/out
    rm -f "$out"
    valgrind --tool=callgrind --callgrind-out-file="$out" "$@" >/dev/null 2>"$work/log" ||
        { cat "$work/log" >&2; exit 1; }
    awk '/^(summary|totals):/ { print $2; exit }' "$out"
}

row() {
    local name=$1 skinned=$2 plain=$3
    awk -v n="$name" -v s="$skinned" -v p="$plain" \
        'BEGIN { printf "| %s | %.2f M | %.2f M | %.2f |\n", n, s / 1e6, p / 1e6, s / p }'
}

step() { # the instructions of one step of a case
    local total
    total=$(count --collect-atstart=no "$bench" "--count=$1" "$steps")
    echo $((total / steps))
}

echo "| case | Tessel | plain Qt | ratio |"
echo "|---|---|---|---|"
for pair in "Render/MainWindow/grab:0 Render/BaselineWindow/grab:0" \
            "Render/MainWindow/grab:1 Render/BaselineWindow/grab:1" \
            "Hover/CheckBox Hover/BaselineCheckBox" \
            "Hover/Button Hover/BaselineButton" \
            "Scroll/ListBox Scroll/BaselineListBox" \
            "Scroll/StringGrid Scroll/BaselineStringGrid" \
            "Startup/BuildWindows Startup/BuildBaselineWindows" \
            "Gallery/Build Gallery/BuildBaseline"; do
    set -- $pair
    row "$1" "$(step "$1")" "$(step "$2")"
done
row "start-up process" "$(count "$bench" --start=skinned)" "$(count "$bench" --start=plain)"
row "gallery start-up process" "$(count "$bench" --start=gallery)" "$(count "$bench" --start=plain-gallery)"
