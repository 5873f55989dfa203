#!/bin/bash
# Two Windows computers sharing one data folder: two Wine prefixes (each its
# own wineserver, as two machines share nothing but the folder) run the
# Windows build of course_eleve on the same pupil at the same millisecond,
# 20 times: each time exactly one plays and the other is refused.
#
#   bash tools/windows/deux-postes.sh COURSE_ELEVE_EXE [PREFIXES_DIR]
set -uo pipefail

EXE=$(realpath "${1:?usage: deux-postes.sh course_eleve.exe [PREFIXES_DIR]}")
BASE=${2:-$(dirname "$EXE")/deux-postes}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$BASE"
for k in 1 2; do
  [ -f "$BASE/p$k/system.reg" ] || WINEPREFIX=$BASE/p$k xvfb-run -a sh -c 'wineboot -u && wineserver -w' >/dev/null 2>&1
done
DATA=$(mktemp -d)
trap 'rm -rf "$DATA"; WINEPREFIX=$BASE/p1 wineserver -k; WINEPREFIX=$BASE/p2 wineserver -k' EXIT
mkdir -p "$DATA/InfosQuizz"
# Each prefix's server started before the rounds, so that both programs start alike.
for k in 1 2; do WINEPREFIX=$BASE/p$k wineserver -p; done
ok=0
for i in $(seq 1 20); do
  t=$(($(date +%s%3N) + 2500))
  out=$(WINEPREFIX=$BASE/p1 wine "$EXE" "Z:$DATA" DEMO ELEVE "N$i" $t 2>/dev/null &
        WINEPREFIX=$BASE/p2 wine "$EXE" "Z:$DATA" DEMO ELEVE "N$i" $t 2>/dev/null; wait)
  out=$(tr -d '\r' <<<"$out")
  if [ "$(grep -c '^joue' <<<"$out")$(grep -c '^refuse' <<<"$out")" = 11 ]; then ok=$((ok + 1))
  else printf 'tour %d : %s\n' "$i" "$out"; fi
done
left=$(find "$DATA" -name '.pivolette-*' | wc -l)
echo "deux préfixes Wine : $ok/20 une partie et un refus ; restes provisoires : $left"
[ $ok = 20 ] && [ "$left" = 0 ]
