#!/bin/bash
# The whole Windows check, as CI runs it: the libraries (built once, then
# taken from their cache), the cross build with the tests, a Wine prefix,
# the test suites under Wine, the zip and the MSI (its tables read with
# msitools, installed under Wine, two computers on one data folder), the
# smoke runs of the zip's programs on a virtual display, and the workshop's
# pages served by the Windows build to the Linux browser (the browser
# suite's walk). Prints how long each step took; exit code 0 when
# everything passed.
#
#   bash tools/windows/ci.sh          (root, or sudo, for the first step)
set -uo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
OUT=${PIVOLETTE_WINDOWS_DIR:-$ROOT/build-windows}
BUILD=$OUT/pivolette
export WINEPREFIX=${WINEPREFIX:-$OUT/wineprefix}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
JOBS=${JOBS:-2}
FAILED=()
TIMES=()

# step NAME COMMAND...: runs a step, notes its time and whether it passed.
step() {
  local name=$1 start=$SECONDS rc=0
  shift
  printf '\n==== %s\n' "$name"
  "$@" || rc=$?
  TIMES+=("$(printf '%-34s %5d s  %s' "$name" $((SECONDS - start)) "$([ $rc -eq 0 ] && echo ok || echo "ÉCHEC ($rc)")")")
  [ $rc -eq 0 ] || FAILED+=("$name")
  return $rc
}

configure() {
  cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ROOT/tools/windows/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DPIVOLETTE_TESTS=ON >/dev/null
}

# The prefix's own server lingers a few seconds after wineboot; a test that
# starts meanwhile can connect to it as it exits and fail before its first
# line. So wait for it to end, inside the display it was started on.
wine_prefix() {
  [ -f "$WINEPREFIX/system.reg" ] || xvfb-run -a sh -c 'wineboot -u && wineserver -w'
}

# The suites under Wine; the window tests get a virtual display. A start
# that Wine itself fails is made again by the tests' launcher
# (wine-test.sh); any other failure fails the step, and its output is
# printed, so that CI's log says why.
suites() {
  wineserver -w
  export WINE_TEST_NOTES="$OUT/wine-restarts.log"
  rm -f "$WINE_TEST_NOTES"
  xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir "$BUILD" -j "$JOBS" --output-on-failure \
    --timeout 300 >"$OUT/ctest.log" 2>&1
  local rc=$?
  grep -E "tests passed|tests failed|Skipped|Failed|Not Run" "$OUT/ctest.log" | tail -n 40
  [ ! -f "$WINE_TEST_NOTES" ] || cat "$WINE_TEST_NOTES"
  [ $rc -eq 0 ] || failed_output "$OUT/ctest.log"
  return $rc
}

# failed_output LOG: each failed test's verdict and the output CTest prints
# after it, up to the next test's line.
failed_output() {
  awk '/^ *Start +[0-9]+:/ || /Test +#[0-9]+:/ { show = 0 }
       /Test +#[0-9]+:.*(Failed|Timeout|Exception)/ { show = 1 }
       show' "$1" | head -n 400
}

unpack() {
  rm -rf "$OUT/unzipped" && mkdir -p "$OUT/unzipped" && (cd "$OUT/unzipped" && unzip -q "$OUT/Pivolette-windows.zip")
}

start=$SECONDS
step "libraries (or their cache)" bash "$ROOT/tools/windows/build-deps.sh" || exit 1
step "GoogleTest for Windows" bash "$ROOT/tools/windows/build-googletest.sh" || exit 1
step "configure" configure || exit 1
step "cross build, tests included" cmake --build "$BUILD" -j "$JOBS" || exit 1
step "Wine prefix" wine_prefix
step "test suites under Wine" suites
step "Pivolette-windows.zip" bash "$ROOT/tools/windows/package.sh" "$BUILD" "$OUT/Pivolette-windows.zip"
step "Pivolette.msi: its tables" bash "$ROOT/tools/windows/msi-check.sh" "$OUT/Pivolette.msi"
# Two computers on one Samba share (FUSE); skipped where there is no Linux
# build of course_eleve, Samba or FUSE.
samba_share() {
  local course=${PIVOLETTE_LINUX_BUILD:-$ROOT/build}/course_eleve rc=0
  [ -x "$course" ] || { echo "pas de $course : test non fait"; return 0; }
  bash "$ROOT/tools/windows/partage.sh" "$course" || rc=$?
  [ $rc = 77 ] && return 0
  return $rc
}
step "Pivolette.msi installed under Wine" bash "$ROOT/tools/windows/msi-wine.sh" "$OUT/Pivolette.msi" "$OUT/msi-wine"
step "two computers on a Samba share" samba_share
step "two Wine prefixes, one data folder" bash "$ROOT/tools/windows/deux-postes.sh" "$BUILD/course_eleve.exe" "$OUT/deux-postes"
step "unzip" unpack
step "smoke runs of the zip's programs" bash "$ROOT/tools/windows/smoke.sh" "$OUT/unzipped/Pivolette" "$OUT/smoke"
step "the workshop under Wine, in chromium" bash "$ROOT/tools/windows/atelier-navigateur.sh" \
  "$OUT/unzipped/Pivolette/pivolette.exe" "$OUT/atelier-navigateur"

printf '\n==== times\n'
printf '%s\n' "${TIMES[@]}"
printf '%-34s %5d s\n' "total" $((SECONDS - start))
if [ ${#FAILED[@]} -gt 0 ]; then
  printf 'failed: %s\n' "${FAILED[*]}"
  exit 1
fi
echo "Windows CI: all passed"
