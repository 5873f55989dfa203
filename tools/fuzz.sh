#!/bin/sh
# Fuzzes every parser: builds the libFuzzer targets of tests/fuzz/ with clang
# and the sanitizers in build-fuzz/, runs each for SECONDS (30 by default) on
# a temporary copy of its seed corpus (the fuzzer adds its inputs to the
# folder it is given: the repository's corpus stays as it is), and prints per
# target its executions and findings. A crash, a sanitizer report, a leak or
# an input slower than TIMEOUT seconds (10) is a finding: its input is kept
# in build-fuzz/findings/ and the script exits with 1.
#
#   sh tools/fuzz.sh [SECONDS]
set -eu
cd "$(dirname "$0")/.."
SECONDES=${1:-30}
TIMEOUT=${TIMEOUT:-10}
JOBS=${JOBS:-2}
BUILD=build-fuzz
TROUVAILLES=$BUILD/findings

mkdir -p "$BUILD"
cmake -S . -B "$BUILD" -DPIVOLETTE_FUZZ=ON -DPIVOLETTE_SANITIZE=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ >"$BUILD/configure.log" 2>&1 ||
  { cat "$BUILD/configure.log"; exit 2; }
cmake --build "$BUILD" -j"$JOBS"

mkdir -p "$TROUVAILLES"
rm -f "$TROUVAILLES"/*
ECHEC=0
for source in tests/fuzz/fuzz_*.cpp; do
  nom=$(basename "$source" .cpp)
  cible=$BUILD/tests/fuzz/$nom
  copie=$(mktemp -d)
  if [ -d "tests/fuzz/corpus/$nom" ]; then cp -R "tests/fuzz/corpus/$nom/." "$copie/"; fi
  journal=$TROUVAILLES/$nom.log
  etat=0
  "$cible" -max_total_time="$SECONDES" -timeout="$TIMEOUT" -print_final_stats=1 \
    -artifact_prefix="$TROUVAILLES/$nom-" "$copie" >"$journal" 2>&1 || etat=$?
  rm -rf "$copie"
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$journal" | tail -n 1)
  trouvees=$(find "$TROUVAILLES" -name "$nom-*" -type f | wc -l)
  if [ "$etat" -ne 0 ] || [ "$trouvees" -ne 0 ]; then
    ECHEC=1
    printf '%-16s %12s executions  FINDING (exit %s, %s input(s) kept, log %s)\n' \
      "$nom" "${executions:-?}" "$etat" "$trouvees" "$journal"
    grep -m 3 -E 'ERROR|SUMMARY|runtime error' "$journal" | sed 's/^/    /' || true
  else
    rm -f "$journal"
    printf '%-16s %12s executions  no finding\n' "$nom" "${executions:-?}"
  fi
done
exit "$ECHEC"
