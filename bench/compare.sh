#!/bin/sh
# Side-by-side figures of two builds of the same tree (an earlier commit's
# and this one's), in one run on the same display:
#   - the game's start to its first screen (its window visible on the display),
#     and Tux Paint's start to its first window, when Tux Paint is installed;
#   - the game's peak memory on its first screen;
#   - each `pivolette` command on the demo;
#   - the processor used while a 640 x 480 video plays (pivolette_bench).
#   xvfb-run -a -s "-screen 0 1280x1024x24" bench/compare.sh BUILD_BEFORE BUILD_AFTER
# Each figure is the median of RUNS runs (default 7); the video's is one run
# of each build (VIDEO=0 leaves it out).
set -eu
runs=${RUNS:-7}
demo=$(cd "$(dirname "$0")/../demo" && pwd)
corpus=$(cd "$(dirname "$0")/../tests/teacher/corpus" && pwd)

median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
now_ms() { date +%s%3N; }
now_us() { echo $(($(date +%s%N) / 1000)); }

# Milliseconds from the start of PROGRAM (its arguments after) until a window
# of its process is visible on the display; the process is then left running
# and its number written to the file $pidfile. After 30 s without a window
# (Tux Paint once never showed one) the run stops, saying so.
until_window() {
    start=$(now_ms)
    "$@" >/dev/null 2>&1 &
    pid=$!
    echo "$pid" >"$pidfile"
    until xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1; do
        kill -0 "$pid" 2>/dev/null || { echo "$1 ended before its window showed" >&2; exit 1; }
        if [ $(($(now_ms) - start)) -gt 30000 ]; then
            kill -9 "$pid" 2>/dev/null
            echo "$1 showed no window in 30 s: the figures stop here" >&2
            exit 1
        fi
        sleep 0.005
    done
    echo "$(($(now_ms) - start))"
}

stop() {
    kill "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}

# One start of the game in a copy of the demo folder: milliseconds until its
# window is up on the display, then the peak memory (KiB) a second later,
# while it waits on its first screen.
one_start() {
    work=$(mktemp -d)
    cp -r "$demo/InfosQuizz" "$demo/LCConfig.txt" "$work/"
    cd "$work"
    shown=$(until_window "$1/grelinor")
    pid=$(cat "$pidfile")
    sleep 1
    peak=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
    stop "$pid"
    cd - >/dev/null
    rm -rf "$work"
    echo "$shown $peak"
}

# One start of Tux Paint, with a home of its own (its settings and drawings
# stay out of the user's): milliseconds until its window is up.
one_tuxpaint() {
    home=$(mktemp -d)
    shown=$(HOME=$home until_window tuxpaint --nosound --windowed --nolockfile --nosysconfig)
    stop "$(cat "$pidfile")"
    rm -rf "$home"
    echo "$shown"
}

# Microseconds of one run of the pivolette of build $1 with the words after.
one_command() {
    tool=$1
    shift
    t0=$(now_us)
    "$tool" "$@" >/dev/null 2>&1 || true
    echo "$(($(now_us) - t0))"
}

# The pivolette commands measured, one a line: a name, then the words.
commands() {
    cat <<EOF
--help|--help
init|init $scratch/init
encode|encode $scratch/quiz.txt -o $scratch/quiz --force
decode|decode $demo/InfosQuizz/questions/vorlines_DEMO -o $scratch/decoded.txt --force
check|check $demo
show|show $demo/InfosQuizz/questions/vorlines_DEMO
results|results $demo
import|import aiken $corpus/aiken_ce1.txt -o $scratch/import.txt --force
preview|preview $demo/InfosQuizz/questions/vorlines_DEMO -o $scratch/apercu
EOF
}

# The median of RUNS runs of each command for build $1, written as
# "name milliseconds" lines to $2.
command_figures() {
    : >"$2"
    commands | while IFS='|' read -r name words; do
        : >"$2.one"
        i=0
        while [ "$i" -lt "$runs" ]; do
            rm -rf "$scratch/init" "$scratch/apercu"
            # shellcheck disable=SC2086 # the words are split on purpose
            one_command "$1/pivolette" $words >>"$2.one"
            i=$((i + 1))
        done
        echo "$name $(median <"$2.one" | awk '{printf "%.1f", $1 / 1000}')" >>"$2"
    done
}

# Starts and peaks of builds $1 and $3, taken in turns so that neither
# build always comes second (the second of two blocks of starts ran about
# 8 ms slower, whichever build it was); medians written to $2.starts,
# $2.peaks, $4.starts and $4.peaks.
start_figures() {
    for out in "$2" "$4"; do : >"$out.starts.all"; : >"$out.peaks.all"; done
    i=0
    while [ "$i" -lt "$runs" ]; do
        for pair in "$1|$2" "$3|$4"; do
            r=$(one_start "${pair%|*}")
            echo "${r% *}" >>"${pair#*|}.starts.all"
            echo "${r#* }" >>"${pair#*|}.peaks.all"
        done
        i=$((i + 1))
    done
    for out in "$2" "$4"; do
        median <"$out.starts.all" >"$out.starts"
        median <"$out.peaks.all" >"$out.peaks"
    done
}

# The whole-process processor share while the bench's video plays, or "-".
video_figure() {
    if [ "${VIDEO:-1}" = 0 ] || [ ! -x "$1/pivolette_bench" ] || ! command -v ffmpeg >/dev/null; then
        echo "-"
        return
    fi
    (cd "$scratch" && "$1/pivolette_bench" "A video extract" 2>/dev/null) |
        awk '/processor used with every thread/ {for (i = 1; i < NF; i++) if ($(i + 1) == "%") {print $i; found = 1}}
             END {if (!found) print "-"}'
}

before=$(cd "$1" && pwd)
after=$(cd "$2" && pwd)
tmp=$(mktemp -d)
scratch=$tmp/scratch
mkdir -p "$scratch"
pidfile=$tmp/pid
trap 'rm -rf "$tmp"' EXIT
"$before/pivolette" decode "$demo/InfosQuizz/questions/vorlines_DEMO" -o "$scratch/quiz.txt" >/dev/null 2>&1

start_figures "$before" "$tmp/before" "$after" "$tmp/after"
command_figures "$before" "$tmp/before.commands"
command_figures "$after" "$tmp/after.commands"
if command -v tuxpaint >/dev/null; then
    : >"$tmp/tux"
    i=0
    while [ "$i" -lt "$runs" ]; do
        one_tuxpaint >>"$tmp/tux"
        i=$((i + 1))
    done
    tux="$(median <"$tmp/tux") ms"
else
    tux="not measured: tuxpaint is not installed (apt-get install tuxpaint)"
fi

printf '%-44s %12s %12s\n' "" before after
printf '%-44s %9s ms %9s ms\n' "game: start to its first screen" "$(cat "$tmp/before.starts")" "$(cat "$tmp/after.starts")"
printf '%-44s %8s KiB %8s KiB\n' "game: peak memory on its first screen" "$(cat "$tmp/before.peaks")" "$(cat "$tmp/after.peaks")"
paste -d ' ' "$tmp/before.commands" "$tmp/after.commands" | while read -r name b _ a; do
    printf '%-44s %9s ms %9s ms\n' "pivolette $name (demo)" "$b" "$a"
done
: >"$tmp/true"
i=0
while [ "$i" -lt "$runs" ]; do
    one_command /bin/true >>"$tmp/true"
    i=$((i + 1))
done
echo "(each command's time counts the timing's own cost: $(median <"$tmp/true" | awk '{printf "%.1f", $1 / 1000}') ms for /bin/true)"
printf '%-44s %9s %%  %9s %%\n' "video 640 x 480 playing: processor, a core" "$(video_figure "$before")" "$(video_figure "$after")"
echo "Tux Paint: start to its first window, same display: $tux"
