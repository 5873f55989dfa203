#!/bin/bash
# The Windows build of the workshop under Wine, serving its pages to the
# Linux chromium: `wine pivolette.exe atelier --no-browser --port 0` started
# in an empty folder, its address read from its first line, then the new
# teacher's walk of the browser suite (tests/atelier/browser) run against it,
# making its game folder there as a new teacher does; the game run of the
# walk is the Linux build's (build/grelinor_joue); then the suite's closing,
# « Fermer l'atelier », after which the program must end with exit code 0.
#
#   bash tools/windows/atelier-navigateur.sh [PIVOLETTE_EXE] [OUT_DIR]
#
# PIVOLETTE_EXE: the unzipped build-windows/unzipped/Pivolette/pivolette.exe
# by default; OUT_DIR (build-windows/atelier-navigateur) gets the program's
# output, the suite's and the walk's screenshots.
set -uo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
OUTDIR=${PIVOLETTE_WINDOWS_DIR:-$ROOT/build-windows}
EXE=$(realpath -m "${1:-$OUTDIR/unzipped/Pivolette/pivolette.exe}")
OUT=$(realpath -m "${2:-$OUTDIR/atelier-navigateur}")
export WINEPREFIX=${WINEPREFIX:-$OUTDIR/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
SUITE=$ROOT/tests/atelier/browser
JOUE=${GRELINOR_JOUE:-$ROOT/build/grelinor_joue}

say() { printf '== %s\n' "$*"; }
fail() { printf 'ÉCHEC : %s\n' "$*"; exit 1; }

[ -f "$EXE" ] || fail "pas de $EXE (tools/windows/package.sh, puis unzip)"
[ -d "$SUITE/node_modules/playwright-core" ] || fail "pas de playwright-core dans $SUITE (tools/install-deps.sh)"
# The walk's one game run needs the Linux build's headless game.
if [ ! -x "$JOUE" ]; then
  [ -f "$ROOT/build/CMakeCache.txt" ] || cmake -S "$ROOT" -B "$ROOT/build" >/dev/null
  cmake --build "$ROOT/build" --target grelinor_joue -j "${JOBS:-2}" >/dev/null || fail "grelinor_joue ne se construit pas"
fi

rm -rf "$OUT" && mkdir -p "$OUT/travail" "$OUT/captures"
(cd "$OUT/travail" && exec wine "$EXE" atelier --no-browser --port 0) >"$OUT/atelier.txt" 2>"$OUT/atelier-erreurs.txt" &
workshop=$!
cleanup() { kill "$workshop" 2>/dev/null; wineserver -k 2>/dev/null || true; }
trap cleanup EXIT

# The first line, waited for (Wine's first start of a program is slow).
address=
for _ in $(seq 600); do
  address=$(head -n 1 "$OUT/atelier.txt" 2>/dev/null | tr -d '\r')
  case "$address" in http://*) break ;; esac
  kill -0 "$workshop" 2>/dev/null || fail "pivolette.exe atelier s'est arrêté : $(cat "$OUT/atelier-erreurs.txt")"
  sleep 0.1
done
case "$address" in http://*) ;; *) fail "pas d'adresse en 60 s : $(cat "$OUT/atelier-erreurs.txt")" ;; esac
origin=${address%%/\?*}
say "pivolette.exe atelier: $origin"

rc=0
(cd "$SUITE" && ATELIER_URL="$address" ATELIER_DOSSIER="$OUT/travail/classe" GRELINOR_JOUE="$JOUE" \
  ATELIER_CAPTURES="$OUT/captures" node --test --test-concurrency=1 \
  --test-name-pattern="the new teacher's way" --test-name-pattern="^closing$" atelier.test.mjs) >"$OUT/suite.txt" 2>&1 || rc=$?
grep -E '^# (tests|pass|fail)|^not ok' "$OUT/suite.txt"
[ $rc -eq 0 ] || { cat "$OUT/suite.txt" | tail -n 80; say "pivolette.exe: $(tail -n 20 "$OUT/atelier-erreurs.txt")"; }

# The suite's last test clicks « Fermer l'atelier »: the program must end by
# itself, with exit code 0.
code=124
for _ in $(seq 200); do
  if ! kill -0 "$workshop" 2>/dev/null; then wait "$workshop"; code=$?; break; fi
  sleep 0.1
done
say "pivolette.exe atelier: exit code $code"
[ "$code" -eq 0 ] || { say "$(tail -n 20 "$OUT/atelier-erreurs.txt")"; rc=1; }
exit $rc
