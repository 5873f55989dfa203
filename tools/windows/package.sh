#!/bin/bash
# Makes Pivolette-windows.zip, what a teacher unzips on the classroom's
# computer: one folder "Pivolette" holding the demo data tree with the
# programs beside it (each looks for InfosQuizz/ and LCConfig.txt in the
# folder it is started from, which a double-click makes its own folder):
# the game, Tamarel, the teacher's tool and Atelier.exe, its workshop for a
# double-click; and a French Lisez-moi.txt in Windows-1252 with Windows line
# ends.
#
#   bash tools/windows/package.sh [BUILD_DIR] [ZIP]
#
# Builds the Windows programs first (tools/windows/build-deps.sh must have
# made the libraries). BUILD_DIR: build-windows/pivolette; ZIP:
# build-windows/Pivolette-windows.zip.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BUILD=$(realpath -m "${1:-$ROOT/build-windows/pivolette}")
ZIP=$(realpath -m "${2:-$ROOT/build-windows/Pivolette-windows.zip}")
HOST=x86_64-w64-mingw32

cmake -S "$ROOT" -B "$BUILD" -DCMAKE_TOOLCHAIN_FILE="$ROOT/tools/windows/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$BUILD" --target grelinor_program tamarel_program pivolette atelier_lanceur -j "${JOBS:-2}"

STAGE=$(mktemp -d)
trap 'rm -rf "$STAGE"' EXIT
DIR=$STAGE/Pivolette
mkdir -p "$DIR"
cp -a "$ROOT/demo/." "$DIR/"
# The tree as a class starts it: no results files, nothing of git's.
find "$DIR" -name '.git*' -delete
find "$DIR/InfosQuizz/joueurs" -type f -name '*.txt' -delete

# The programs without their debugging symbols, each with its archive
# appended again after the stripping (strip would drop it): NAME.exe from
# BARE_bare.exe and ARCHIVE.zip. The teacher's tool and the workshop's
# launcher carry the game's fonts (to measure and draw the quiz's texts) and
# the workshop's pages.
for program in grelinor:grelinor:grelinor tamarel:tamarel:tamarel pivolette:pivolette:pivolette \
  Atelier:atelier:pivolette; do
  IFS=: read -r name bare archive <<<"$program"
  "$HOST-strip" -o "$STAGE/$name.exe" "$BUILD/${bare}_bare.exe"
  "$BUILD/host/fuse" "$DIR/$name.exe" "$STAGE/$name.exe" "$BUILD/$archive.zip"
  rm "$STAGE/$name.exe"
done

# Notepad shows the accents of a Windows-1252 file with CR LF line ends.
sed 's/$/\r/' "$ROOT/tools/windows/Lisez-moi.txt" | iconv -f UTF-8 -t WINDOWS-1252 >"$DIR/Lisez-moi.txt"

mkdir -p "$(dirname "$ZIP")"
rm -f "$ZIP"
(cd "$STAGE" && zip -q -r -X -9 "$ZIP" Pivolette)
ls -l "$ZIP"
unzip -l "$ZIP" | tail -n 1
