#!/bin/sh
# Side-by-side figures of two builds of the same tree (an earlier commit's
# and this one's): start of the game to its first screen on the display,
# peak memory at that screen, and `pivolette check` on the demo.
#   xvfb-run -a -s "-screen 0 1280x1024x24" bench/compare.sh BUILD_BEFORE BUILD_AFTER
# Each figure is the median of RUNS runs (default 7).
set -eu
runs=${RUNS:-7}
demo=$(cd "$(dirname "$0")/../demo" && pwd)

median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
now_ms() { date +%s%3N; }

# One start of the game in a copy of the demo folder: milliseconds until its
# window is up on the display, then the peak memory (KiB) a second later,
# while it waits on its first screen.
one_start() {
    work=$(mktemp -d)
    cp -r "$demo/InfosQuizz" "$demo/LCConfig.txt" "$work/"
    cd "$work"
    start=$(now_ms)
    "$1/grelinor" >/dev/null 2>&1 &
    pid=$!
    until xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1; do
        kill -0 "$pid" 2>/dev/null || { echo "the game ended early" >&2; exit 1; }
        sleep 0.005
    done
    shown=$(now_ms)
    sleep 1
    peak=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    cd - >/dev/null
    rm -rf "$work"
    echo "$((shown - start)) $peak"
}

figures() {
    : >"$2.starts"
    : >"$2.peaks"
    : >"$2.checks"
    i=0
    while [ "$i" -lt "$runs" ]; do
        r=$(one_start "$1")
        echo "${r% *}" >>"$2.starts"
        echo "${r#* }" >>"$2.peaks"
        t0=$(now_ms)
        "$1/pivolette" check "$demo" >/dev/null
        echo "$(($(now_ms) - t0))" >>"$2.checks"
        i=$((i + 1))
    done
    printf '%-8s start to first screen %5s ms   peak memory at it %6s KiB   pivolette check demo %4s ms\n' \
        "$3" "$(median <"$2.starts")" "$(median <"$2.peaks")" "$(median <"$2.checks")"
}

tmp=$(mktemp -d)
figures "$(cd "$1" && pwd)" "$tmp/before" before
figures "$(cd "$2" && pwd)" "$tmp/after" after
rm -rf "$tmp"
