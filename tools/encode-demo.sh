#!/bin/sh
# Regenerates the demo's scrambled quiz file from its plain text, so that the
# scrambled file is never edited by hand. A test checks that the two agree.
#
#   sh tools/encode-demo.sh [path/to/pivolette]
#
# Without an argument the tool is built in build/ first when it is missing.
set -e
cd "$(dirname "$0")/.."
tool=${1:-build/pivolette}
if [ ! -x "$tool" ]; then
  cmake -S . -B build >/dev/null
  cmake --build build --target pivolette
fi
"$tool" encode demo/InfosQuizz/questions/vorlines_DEMO.txt -o demo/InfosQuizz/questions/vorlines_DEMO
echo "demo/InfosQuizz/questions/vorlines_DEMO regenerated"
