#!/bin/bash
# Makes Pivolette-windows.zip and Pivolette.msi. The zip is what a teacher
# unzips on the classroom's computer: one folder "Pivolette" holding the demo
# data tree with the
# programs beside it (each looks for InfosQuizz/ and LCConfig.txt in the
# folder it is started from, which a double-click makes its own folder):
# the game, Tamarel, the teacher's tool and Atelier.exe, its workshop for a
# double-click; and a French Lisez-moi.txt in Windows-1252 with Windows line
# ends.
#
# The MSI, for a school's IT, installs the same programs into Program Files
# and the demo into the data folder it is given (tools/windows/pivolette.wxs).
#
#   bash tools/windows/package.sh [BUILD_DIR] [ZIP] [MSI]
#
# Builds the Windows programs first (tools/windows/build-deps.sh must have
# made the libraries). BUILD_DIR: build-windows/pivolette; ZIP:
# build-windows/Pivolette-windows.zip; MSI: Pivolette.msi beside the zip.
# An Atelier.exe already in BUILD_DIR is packed too.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BUILD=$(realpath -m "${1:-$ROOT/build-windows/pivolette}")
ZIP=$(realpath -m "${2:-$ROOT/build-windows/Pivolette-windows.zip}")
MSI=$(realpath -m "${3:-$(dirname "$ZIP")/Pivolette.msi}")
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

# --- Pivolette.msi ---------------------------------------------------------------

# demo_wxs FOLDER: the components of the demo tree under the directory DEMO,
# one per file (a folder without files gets one that makes it).
demo_wxs() {
  local n=0
  emit_dir() {
    local dir=$1 indent=$2 f empty=1
    for f in "$dir"/* "$dir"/.[!.]*; do
      [ -f "$f" ] || continue
      empty=0 n=$((n + 1))
      printf '%s<Component Id="demo%d" Guid="*" Win64="yes"><File Id="demo%d" Name="%s" Source="%s" KeyPath="yes"/></Component>\n' \
        "$indent" "$n" "$n" "$(basename "$f")" "$f"
    done
    if [ $empty = 1 ]; then
      n=$((n + 1))
      # A component without a file needs a GUID of its own: one from the
      # folder's path, the same in every build.
      printf '%s<Component Id="demo%d" Guid="%s" Win64="yes"><CreateFolder/></Component>\n' "$indent" "$n" \
        "$(printf 'pivolette-demo:%s' "$dir" | sha1sum | sed -E 's/^(.{8})(.{4})(.{4})(.{4})(.{12}).*/\1-\2-\3-\4-\5/' | tr a-f A-F)"
    fi
    for f in "$dir"/*/; do
      [ -d "$f" ] || continue
      n=$((n + 1))
      printf '%s<Directory Id="demodir%d" Name="%s">\n' "$indent" "$n" "$(basename "$f")"
      emit_dir "${f%/}" "$indent  "
      printf '%s</Directory>\n' "$indent"
    done
  }
  printf '<?xml version="1.0" encoding="utf-8"?>\n<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi">\n'
  printf '<Fragment>\n  <DirectoryRef Id="DEMO">\n'
  emit_dir "$1" "    " >"$STAGE/demo-tree.xml"
  cat "$STAGE/demo-tree.xml"
  printf '  </DirectoryRef>\n  <ComponentGroup Id="Demo">\n'
  grep -o 'Component Id="demo[0-9]*"' "$STAGE/demo-tree.xml" | sed 's/Component Id=/    <ComponentRef Id=/; s/$/\/>/'
  printf '  </ComponentGroup>\n</Fragment>\n</Wix>\n'
}

# The demo beside the programs, as the zip has it: the master copy the
# installer copies into an empty data folder.
mkdir -p "$STAGE/msi/demo"
cp "$DIR"/*.exe "$DIR/Lisez-moi.txt" "$STAGE/msi/"
[ ! -f "$BUILD/Atelier.exe" ] || cp "$BUILD/Atelier.exe" "$STAGE/msi/"
cp -a "$DIR/." "$STAGE/msi/demo/"
rm -f "$STAGE/msi/demo"/*.exe "$STAGE/msi/demo/Lisez-moi.txt"
mkdir -p "$STAGE/msi/demo/InfosQuizz/joueurs/DEMO"
# wixl takes the files' paths relative to the folder it runs in.
(cd "$STAGE/msi" && demo_wxs demo >"$STAGE/demo.wxs")
# A newer build must replace an older one: the version grows with the
# history (its three numbers at most 255, 255, 65535).
VERSION=${PIVOLETTE_VERSION:-1.0.$(git -C "$ROOT" rev-list --count HEAD 2>/dev/null || echo 0)}
ATELIER=no
[ ! -f "$STAGE/msi/Atelier.exe" ] || ATELIER=yes
DEFINES=(-D "Stage=." -D "Version=$VERSION" -D "Atelier=$ATELIER")
mkdir -p "$(dirname "$MSI")"
(cd "$STAGE/msi" && wixl -a x64 "${DEFINES[@]}" -o "$MSI" "$ROOT/tools/windows/pivolette.wxs" "$STAGE/demo.wxs")
ls -l "$MSI"
