#!/bin/bash
# GoogleTest for the Windows build of the test suites, from the upstream
# tarball of Debian's googletest source package, fetched and verified the
# way tools/windows/build-deps.sh gets the libraries' sources, and built
# static into the same prefix. It has a stamp of its own, so that the
# libraries' (ffmpeg is long to build) are not made again for it.
#
#   bash tools/windows/build-googletest.sh      (after build-deps.sh)
set -euo pipefail

# shellcheck source=build-deps.sh
source "$(dirname "${BASH_SOURCE[0]}")/build-deps.sh"
SCRIPT="$ROOT/tools/windows/build-googletest.sh"
PACKAGES=(googletest)
STAMP=$PREFIX/.googletest-built-from

[ -f "$PREFIX/include/SDL2/SDL.h" ] || fail "run tools/windows/build-deps.sh first"
step "googletest sources" fetch_sources
if [ -f "$STAMP" ] && [ "$(cat "$STAMP")" = "$(stamp_text)" ]; then
  say "googletest already built in $PREFIX from these sources"
  exit 0
fi
# The posix thread model of the toolchain gives GoogleTest its threads.
step "googletest" cmake_dep googletest -DBUILD_GMOCK=ON -Dgtest_disable_pthreads=OFF -DINSTALL_GTEST=ON
stamp_text >"$STAMP"
