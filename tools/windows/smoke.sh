#!/bin/bash
# The Windows programs started under Wine on a virtual display, as a teacher
# and a pupil would use them on the demo data tree:
#   - pivolette.exe check on the demo: exit code 0 and its message;
#   - grelinor.exe: its window appears, a click on the class level G.S. and
#     one on a pupil of the list, one answer, then the pupil's results file
#     must hold exactly the bytes the Linux build writes (Windows-1252, line
#     feeds, the counts of one question), Escape, exit code 0;
#   - tamarel.exe: its window appears;
#   - Atelier.exe (Windows only): it opens its address in the browser (a
#     stand-in), serves the session for its token, and stops when asked.
# Screenshots of each step are left in the output folder, to be looked at.
#
#   bash tools/windows/smoke.sh [BUILD_DIR] [OUT_DIR]
#
# BUILD_DIR: the Windows build (build-windows/pivolette), or the unzipped
# Pivolette folder; OUT_DIR: where the screenshots and the programs' output
# go (build-windows/smoke). The Wine prefix is WINEPREFIX, or
# build-windows/wineprefix, made when missing. Given the Linux build folder
# instead, the same run is made with the Linux programs, for comparison: the
# time to the game's window and the processor it uses while the dial runs
# are printed either way.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BUILD=$(cd "${1:-$ROOT/build-windows/pivolette}" && pwd)
OUT=${2:-$ROOT/build-windows/smoke}
export WINEPREFIX=${WINEPREFIX:-$ROOT/build-windows/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="

# Everything runs on its own virtual display.
if [ -z "${PIVOLETTE_SMOKE_DISPLAY:-}" ]; then
  exec env PIVOLETTE_SMOKE_DISPLAY=1 xvfb-run -a -s "-screen 0 1280x1024x24" \
    bash "${BASH_SOURCE[0]}" "$BUILD" "$OUT"
fi

mkdir -p "$OUT"
OUT=$(cd "$OUT" && pwd)
if [ -f "$BUILD/grelinor.exe" ]; then RUN=(wine); EXE=.exe; else RUN=(); EXE=; fi
FAILED=0
say() { printf '== %s\n' "$*"; }
bad() { printf 'ÉCHEC : %s\n' "$*"; FAILED=1; }

if [ -n "$EXE" ] && [ ! -f "$WINEPREFIX/system.reg" ]; then
  say "Wine prefix $WINEPREFIX"
  wineboot -u >"$OUT/wineboot.log" 2>&1
fi

# A fresh copy of the demo tree, as unzipped on the classroom's computer.
DATA=$(mktemp -d)
cleanup() { wineserver -k 2>/dev/null || true; rm -rf "$DATA"; }
trap cleanup EXIT
cp -a "$ROOT/demo/." "$DATA/"
rm -f "$DATA"/InfosQuizz/joueurs/DEMO/*.txt

# window_of NAME SECONDS: the id of the program's top window titled NAME,
# waited for; its position goes to WX WY.
window_of() {
  local name=$1 limit=$2 start=$SECONDS id
  while [ $((SECONDS - start)) -lt "$limit" ]; do
    id=$(xwininfo -root -tree 2>/dev/null | awk -v n="\"$name\":" '$2 == n {print $1; exit}')
    if [ -n "$id" ]; then
      WX=$(xwininfo -id "$id" | awk '/Absolute upper-left X/ {print $NF}')
      WY=$(xwininfo -id "$id" | awk '/Absolute upper-left Y/ {print $NF}')
      echo "$id"
      return 0
    fi
    sleep 0.2
  done
  return 1
}

# click X Y: a left click at X Y of the window found last (1024 x 768).
click() { xdotool mousemove $((WX + $1)) $((WY + $2)) click 1; sleep 1; }
shot() { import -window root "$OUT/$1.png"; }

# cpu_percent PID SECONDS: the processor the process uses over SECONDS, in
# percent of one core.
cpu_percent() {
  local ticks before after
  ticks=$(getconf CLK_TCK)
  before=$(awk '{print $14 + $15}' "/proc/$1/stat")
  sleep "$2"
  after=$(awk '{print $14 + $15}' "/proc/$1/stat")
  echo $(((after - before) * 100 / (ticks * $2)))
}

# wait_exit PID SECONDS: the program's exit code, or 124 when it runs on.
wait_exit() {
  local pid=$1 limit=$2 start=$SECONDS
  while kill -0 "$pid" 2>/dev/null; do
    if [ $((SECONDS - start)) -ge "$limit" ]; then kill "$pid"; return 124; fi
    sleep 0.2
  done
  local rc=0
  wait "$pid" || rc=$?
  return $rc
}

# --- pivolette.exe check ---------------------------------------------------------
say "pivolette$EXE check"
rc=0
(cd "$DATA" && "${RUN[@]}" "$BUILD/pivolette$EXE" check) >"$OUT/check.txt" 2>&1 || rc=$?
cat "$OUT/check.txt"
[ "$rc" -eq 0 ] || bad "pivolette.exe check : code de sortie $rc"
grep -q "Aucun problème" "$OUT/check.txt" || bad "pivolette.exe check : message inattendu"

# --- grelinor.exe ------------------------------------------------------------------
say "grelinor$EXE"
start=$(date +%s.%N)
(cd "$DATA" && exec "${RUN[@]}" "$BUILD/grelinor$EXE") >"$OUT/grelinor.txt" 2>&1 &
game=$!
if window_of Pivolette 60 >/dev/null; then
  say "window after $(echo "$(date +%s.%N) - $start" | bc) s at $WX,$WY"
  sleep 2
  shot grelinor-1-classes
  click 259 415   # the class level G.S.
  click 948 37    # "JE VALIDE MON CHOIX !"
  sleep 1
  shot grelinor-2-eleves
  click 350 150   # MARTIN Zoé
  click 883 69    # "VALIDER !"
  sleep 2
  shot grelinor-3-question
  say "processor used while the dial runs: $(cpu_percent "$game" 5) % of a core"
  click 764 473   # the second answer
  sleep 2
  shot grelinor-4-reponse
  xdotool key Escape
else
  bad "grelinor.exe : pas de fenêtre"
fi
rc=0
wait_exit "$game" 30 || rc=$?
[ "$rc" -eq 0 ] || bad "grelinor.exe : code de sortie $rc"

# The results file: surname, first name (é in Windows-1252), class, one
# question answered right or wrong, its seconds; six lines ended by "\n".
results="$DATA/InfosQuizz/joueurs/DEMO/MARTIN_Zoé.txt"
if [ -f "$results" ]; then
  cp "$results" "$OUT/MARTIN_Zoe.txt"
  if ! LC_ALL=C grep -qzP '^MARTIN\nZo\xe9\nDEMO\n(01\n00|00\n01)\n\d{4}\n$' "$results"; then
    bad "fichier de résultats inattendu : $(od -c "$results" | head -n 3)"
  else
    say "results file: $(od -An -c "$results" | tr -s ' ' | tr -d '\n')"
  fi
else
  bad "pas de fichier de résultats ($(ls "$DATA/InfosQuizz/joueurs/DEMO/"))"
fi

# --- tamarel.exe ---------------------------------------------------------------------
say "tamarel.exe"
(cd "$DATA" && exec "${RUN[@]}" "$BUILD/tamarel$EXE") >"$OUT/tamarel.txt" 2>&1 &
tool=$!
if window_of Pivolette 60 >/dev/null; then
  sleep 2
  shot tamarel
  xdotool key Escape
else
  bad "tamarel.exe : pas de fenêtre ($(xwininfo -root -tree | grep -c exe) fenêtres)"
fi
rc=0
wait_exit "$tool" 15 || rc=$?
say "tamarel.exe: exit code $rc"

# --- Atelier.exe ------------------------------------------------------------------------
# Started as a double-click starts it (its folder holds InfosQuizz when it is
# the unzipped one), with a stand-in for the browser: Wine opens an address
# through the Linux side's xdg-open, which here writes it down. The address's
# token is exchanged for the session, the session answers, and « Fermer
# l'atelier » stops it with exit code 0.
if [ -n "$EXE" ] && [ -f "$BUILD/Atelier.exe" ]; then
  say "Atelier.exe"
  mkdir -p "$OUT/navigateur"
  rm -f "$OUT/atelier-adresse.txt" "$OUT/atelier-cookies.txt"
  printf '#!/bin/sh\nprintf "%%s\\n" "$1" >"%s"\n' "$OUT/atelier-adresse.txt" >"$OUT/navigateur/xdg-open"
  chmod +x "$OUT/navigateur/xdg-open"
  (cd "$DATA" && PATH="$OUT/navigateur:$PATH" exec wine "$BUILD/Atelier.exe") >"$OUT/atelier.txt" 2>&1 &
  workshop=$!
  for _ in $(seq 300); do [ -s "$OUT/atelier-adresse.txt" ] && break; sleep 0.2; done
  address=$(cat "$OUT/atelier-adresse.txt" 2>/dev/null || true)
  origin=${address%%/\?*}
  if [ -z "$address" ]; then
    bad "Atelier.exe : aucune adresse ouverte dans le navigateur en 60 s"
  elif ! curl -sS -o /dev/null -w '%{http_code}' -c "$OUT/atelier-cookies.txt" "$address" | grep -q 303; then
    bad "Atelier.exe : le jeton de $address n'ouvre pas de session"
  else
    session=$(curl -sS -b "$OUT/atelier-cookies.txt" "$origin/api/session")
    say "Atelier.exe at $origin: $session"
    csrf=$(printf '%s' "$session" | sed -n 's/.*"csrf" *: *"\([^"]*\)".*/\1/p')
    [ -n "$csrf" ] || bad "Atelier.exe : /api/session sans jeton CSRF : $session"
    printf '%s' "$session" | grep -q '"dossier" *: *"' || bad "Atelier.exe : pas de dossier de données : $session"
    curl -sS -o /dev/null -b "$OUT/atelier-cookies.txt" -X POST -H "Origin: $origin" \
      -H "X-Atelier-CSRF: $csrf" -H 'Content-Length: 0' "$origin/api/fermer" ||
      bad "Atelier.exe : « Fermer l'atelier » refusé"
  fi
  rc=0
  wait_exit "$workshop" 30 || rc=$?
  [ "$rc" -eq 0 ] || bad "Atelier.exe : code de sortie $rc ($(cat "$OUT/atelier.txt"))"
fi

say "screenshots in $OUT"
[ "$FAILED" -eq 0 ] && say "smoke run: all passed"
exit "$FAILED"
