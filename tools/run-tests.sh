#!/bin/sh
# Builds Pivolette and runs every test: once with warnings as errors, once
# more under AddressSanitizer and UndefinedBehaviorSanitizer. Window tests run
# on a virtual X display (Xvfb); the rest use SDL's dummy drivers.
set -e
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)

run_suite() {
  dir=$1; shift
  cmake -S . -B "$dir" -DPIVOLETTE_WERROR=ON "$@"
  cmake --build "$dir" -j "$jobs"
  if command -v xvfb-run >/dev/null 2>&1; then
    xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir "$dir" --output-on-failure -j "$jobs"
  else
    ctest --test-dir "$dir" --output-on-failure -j "$jobs"
  fi
}

run_suite build
run_suite build-sanitize -DPIVOLETTE_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug

# The workshop in a real browser, against the plain build's programs.
if [ ! -d tests/atelier/browser/node_modules ]; then
  echo "run-tests: tests/atelier/browser/node_modules is missing: run tools/install-deps.sh (npm ci)" >&2
  exit 1
fi
(cd tests/atelier/browser && PIVOLETTE="$PWD/../../../build/pivolette" GRELINOR_JOUE="$PWD/../../../build/grelinor_joue" \
  node --test --test-concurrency=1 atelier.test.mjs)
