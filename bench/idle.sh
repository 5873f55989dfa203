#!/bin/bash
# The processor each waiting screen costs, with the whole programs as a user
# runs them (a window on an X display, the demo's data), and how often their
# threads wake: the class-level screen, the name list, the question screen
# (its countdown moving), the name entry, the review waiting for a click,
# and Tamarel.
#   xvfb-run -a -s "-screen 0 1024x768x24" bench/idle.sh BUILD [SECONDS]
# BUILD holds grelinor and tamarel. Each screen is measured over SECONDS
# (default 10) once it has settled: the processor time of all the process's
# threads (/proc/PID/task/*/schedstat, nanoseconds) as a share of one core,
# and their context switches per second (each one a wake-up or a preemption).
# Needs xdotool. With SHOTS=FOLDER, each screen's picture is saved there.
set -eu
build=$(cd "$1" && pwd)
seconds=${2:-10}
demo=$(cd "$(dirname "$0")/../demo" && pwd)
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-}

# Nanoseconds on a processor and context switches, summed over the threads.
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{s += $1} END {printf "%d\n", s}'; }
switches() {
    cat /proc/"$1"/task/*/status 2>/dev/null |
        awk '/^(voluntary|nonvoluntary)_ctxt_switches/ {s += $2} END {print s}'
}

# One line for the screen NAME of the running process PID.
measure() {
    name=$1 pid=$2
    kill -0 "$pid" 2>/dev/null || { printf '%-34s (the program had ended)\n' "$name"; return; }
    c0=$(cpu_ns "$pid") w0=$(switches "$pid") t0=$(date +%s%N)
    sleep "$seconds"
    c1=$(cpu_ns "$pid") w1=$(switches "$pid") t1=$(date +%s%N)
    awk -v n="$name" -v c=$((c1 - c0)) -v w=$((w1 - w0)) -v t=$((t1 - t0)) \
        'BEGIN {printf "%-34s %7.3f %% of a core  %7.1f wake-ups/s\n", n, 100 * c / t, w * 1e9 / t}'
    if [ -n "${SHOTS:-}" ]; then import -window root "$SHOTS/$(echo "$name" | tr -c 'a-zA-Z0-9\n' _).png"; fi
}

click() { xdotool mousemove "$1" "$2" click 1; sleep 0.6; }

# A copy of the demo with 2 questions for G.S., so that the review comes soon.
fresh_tree() {
    work=$(mktemp -d)
    cp -r "$demo/InfosQuizz" "$demo/LCConfig.txt" "$demo/correct.mp3" "$demo/incorrect.mp3" "$work/"
    sed -i '5s/.*/2/' "$work/InfosQuizz/infos/infos_jeu_DEMO0"
    echo "$work"
}

start() {
    "$@" >/dev/null 2>&1 &
    pid=$!
    until xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1; do sleep 0.05; done
    sleep 2
}

stop() {
    kill "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}

echo "$build, $seconds s per screen"
work=$(fresh_tree)
cd "$work"
start "$build/grelinor"
measure "class level" "$pid"
click 260 415 && click 998 30 && sleep 1
measure "name list (G.S.)" "$pid"
click 350 150 && click 883 69 && sleep 1
measure "question, its countdown moving" "$pid"
# Two answers, each sound heard to its end, then "FIN DU QUIZZ !" (5 s).
click 765 472 && sleep 4 && click 765 472 && sleep 8
measure "review, waiting for a click" "$pid"
stop "$pid"
cd / && rm -rf "$work"

work=$(fresh_tree)
cd "$work"
start "$build/grelinor"
click 260 545 && click 998 30 && sleep 1
measure "name entry (C.E.1)" "$pid"
stop "$pid"
start "$build/tamarel"
measure "Tamarel" "$pid"
stop "$pid"
cd / && rm -rf "$work"
