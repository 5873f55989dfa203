#!/bin/sh
# The workshop's bench: builds `pivolette` and the school's tree maker in
# BUILD (build/ by default), makes a copy of the demo and a school of 30
# classes of 60 pupils in a temporary folder, then times the real workshop
# on them (bench/atelier/bench.mjs) in Debian's chromium. A benchmark, not a
# test: it prints each figure beside its aim, and fails only when it cannot
# run.
#
#   sh bench/atelier/run.sh [BUILD]
set -e
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=$(cd "${1:-$ROOT/build}" && pwd)
cmake --build "$BUILD" --target pivolette pivolette_bench_atelier_arbre -j "${JOBS:-2}" >/dev/null
if [ ! -d "$ROOT/tests/atelier/browser/node_modules/playwright-core" ]; then
  (cd "$ROOT/tests/atelier/browser" && npm ci --no-audit --no-fund >/dev/null)
fi
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
cp -a "$ROOT/demo" "$WORK/demo"
find "$WORK/demo/InfosQuizz/joueurs" -type f -name '*.txt' -delete
"$BUILD/pivolette_bench_atelier_arbre" "$ROOT/demo" "$WORK/ecole"
node "$ROOT/bench/atelier/bench.mjs" "$BUILD/pivolette" "$WORK/demo" "$WORK/ecole"
