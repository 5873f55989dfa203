#!/bin/bash
# Makes everything the Windows build of Pivolette stands on, on a Debian
# machine: the MinGW-w64 cross compilers and Wine from Debian's packages, then
# the libraries the programs link (SDL2, SDL2_image, SDL2_ttf, SDL2_mixer,
# SDL2_gfx, FreeType, zlib with its minizip, ffmpeg; for the teacher's
# workshop, libmicrohttpd and nlohmann-json's header) built statically from
# the upstream sources of Debian's source packages into one prefix.
#
#   bash tools/windows/build-deps.sh        (as root, or with sudo)
#
# Everything goes under build-windows/ (PIVOLETTE_WINDOWS_DIR to move it):
# sources/ the verified tarballs, work/ the unpacked trees, deps/ the prefix.
# Running it again is cheap: the tarballs already verified are kept, and each
# library has its own stamp in deps/ (its build step, its source package, and
# the stamp of the library before it): only a library whose stamp differs is
# built again, with those after it, so that adding one at the end builds that
# one alone. Each step prints how long it took.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
SCRIPT="$ROOT/tools/windows/build-deps.sh"
OUT=${PIVOLETTE_WINDOWS_DIR:-$ROOT/build-windows}
SOURCES=$OUT/sources
WORK=$OUT/work
PREFIX=$OUT/deps
JOBS=${JOBS:-$(nproc 2>/dev/null || echo 2)}
HOST=x86_64-w64-mingw32
export CC=$HOST-gcc-posix CXX=$HOST-g++-posix
export AR=$HOST-ar RANLIB=$HOST-ranlib STRIP=$HOST-strip RC=$HOST-windres WINDRES=$HOST-windres

# Debian's source packages, and the upstream tarball each one brings.
PACKAGES=(zlib freetype libsdl2 libsdl2-image libsdl2-ttf libsdl2-mixer libsdl2-gfx ffmpeg
  libmicrohttpd nlohmann-json3)

# The libraries in the order they are built, each "step name|source
# package|function": a library comes after those it stands on.
LIBRARIES=(
  "zlib and minizip|zlib|build_zlib"
  "freetype|freetype|build_freetype"
  "SDL2|libsdl2|build_sdl2"
  "SDL2_image|libsdl2-image|build_sdl2_image"
  "SDL2_ttf|libsdl2-ttf|build_sdl2_ttf"
  "SDL2_mixer|libsdl2-mixer|build_sdl2_mixer"
  "SDL2_gfx|libsdl2-gfx|build_sdl2_gfx"
  "ffmpeg|ffmpeg|build_ffmpeg"
  "libmicrohttpd|libmicrohttpd|build_microhttpd"
  "nlohmann-json|nlohmann-json3|build_nlohmann_json"
)

if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
export DEBIAN_FRONTEND=noninteractive

say() { printf '== %s\n' "$*"; }
fail() { printf 'build-deps: %s\n' "$*" >&2; exit 1; }

# step NAME COMMAND...: runs a step and prints how long it took.
step() {
  local name=$1 start=$SECONDS
  shift
  say "$name"
  "$@"
  say "$name: $((SECONDS - start)) s"
}

# --- The cross toolchain and Wine ----------------------------------------------
install_tools() {
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends \
    mingw-w64 g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix \
    wine wine64 \
    make cmake ninja-build pkg-config nasm xz-utils bzip2 ca-certificates \
    xvfb xauth x11-utils imagemagick xdotool zip unzip curl \
    msitools wixl samba smbnetfs
}

# --- Sources ---------------------------------------------------------------------
# The upstream tarballs (.orig) of a .dsc with their SHA-256 sums, one
# "SUM  FILE" per line as sha256sum -c reads them.
ORIG='\.orig(-[A-Za-z0-9-]+)?\.tar\.[a-z0-9]+$'
orig_sums() {
  awk -v orig="$ORIG" '/^Checksums-Sha256:/ {on=1; next} /^[^ ]/ {on=0}
    on && $3 ~ orig {print $1 "  " $3}' "$1"
}
orig_files() { orig_sums "$1" | awk '{print $2}'; }

# Checks every upstream tarball of a .dsc against the .dsc's sums.
verify_dsc() {
  local sums
  sums=$(orig_sums "$1")
  [ -n "$sums" ] || return 1
  (cd "$(dirname "$1")" && sha256sum --quiet -c - <<<"$sums") >/dev/null 2>&1
}

# The .dsc of a source package in SOURCES, when one is there.
dsc_of() { ls "$SOURCES/$1"_*.dsc 2>/dev/null | sort -V | tail -n 1 || true; }

sources_verified() {
  local p dsc
  for p in "${PACKAGES[@]}"; do
    dsc=$(dsc_of "$p")
    [ -n "$dsc" ] && verify_dsc "$dsc" || return 1
  done
}

DEBSRC=/etc/apt/sources.list.d/pivolette-windows-src.sources
remove_debsrc() { $SUDO rm -f "$DEBSRC"; }

# Adds a deb-src entry for the machine's own Debian release while the sources
# are fetched, and takes it away again whatever happens. The release and its
# updates only: the security archive's pool does not keep every tarball its
# index names (zlib's answered 404).
fetch_sources() {
  mkdir -p "$SOURCES"
  if sources_verified; then
    say "sources already here and verified"
    return
  fi
  local codename
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
  trap remove_debsrc EXIT
  $SUDO tee "$DEBSRC" >/dev/null <<EOF
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $codename $codename-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  $SUDO apt-get update -q
  # The Debian parts (.debian.tar.xz) are not needed and may answer 404:
  # only the .dsc and the upstream tarballs count, checked below.
  (cd "$SOURCES" && apt-get source --download-only -q "${PACKAGES[@]}") || true
  remove_debsrc
  trap - EXIT
  local p dsc
  for p in "${PACKAGES[@]}"; do
    dsc=$(dsc_of "$p")
    [ -n "$dsc" ] || fail "no source package for $p"
    verify_dsc "$dsc" || fail "the upstream tarball of $p does not match $(basename "$dsc")"
    say "$p: $(orig_files "$dsc" | tr '\n' ' ')verified"
  done
}

# --- Building ------------------------------------------------------------------------
# Unpacks a package's upstream tarball into WORK/PACKAGE, afresh.
unpack() {
  local dsc tarball
  dsc=$(dsc_of "$1")
  tarball=$(orig_files "$dsc" | grep -v '\.orig-' | head -n 1)
  rm -rf "${WORK:?}/$1"
  mkdir -p "$WORK/$1"
  tar -xf "$SOURCES/$tarball" -C "$WORK/$1" --strip-components=1
}

# cmake_dep PACKAGE OPTION...: a CMake project built and installed static.
cmake_dep() {
  local pkg=$1
  shift
  unpack "$pkg"
  cmake -S "$WORK/$pkg" -B "$WORK/$pkg/_build" -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/tools/windows/mingw-w64.cmake" \
    -DPIVOLETTE_WINDOWS_DEPS="$PREFIX" -DCMAKE_INSTALL_PREFIX="$PREFIX" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF "$@" >"$WORK/$pkg.configure.log" ||
    { tail -n 30 "$WORK/$pkg.configure.log"; fail "$pkg: configure failed"; }
  cmake --build "$WORK/$pkg/_build" -j "$JOBS" >"$WORK/$pkg.build.log" ||
    { tail -n 30 "$WORK/$pkg.build.log"; fail "$pkg: build failed"; }
  cmake --install "$WORK/$pkg/_build" >/dev/null
}

# zlib's library sources compiled directly (the +dfsg tarball has no win32/
# makefile), and minizip's reader (ioapi, unzip) from its contrib/ folder,
# headers in include/minizip/ as Debian has them.
build_zlib() {
  unpack zlib
  local dir=$WORK/zlib f objects=()
  for f in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast inflate \
    inftrees trees uncompr zutil; do
    "$CC" -O2 -I"$dir" -c "$dir/$f.c" -o "$dir/$f.o"
    objects+=("$dir/$f.o")
  done
  mkdir -p "$PREFIX/include/minizip" "$PREFIX/lib"
  "$AR" rcs "$PREFIX/lib/libz.a" "${objects[@]}"
  cp "$dir/zlib.h" "$dir/zconf.h" "$PREFIX/include/"
  objects=()
  for f in ioapi unzip; do
    "$CC" -O2 -I"$dir" -c "$dir/contrib/minizip/$f.c" -o "$dir/contrib/minizip/$f.o"
    cp "$dir/contrib/minizip/$f.h" "$PREFIX/include/minizip/"
    objects+=("$dir/contrib/minizip/$f.o")
  done
  "$AR" rcs "$PREFIX/lib/libminizip.a" "${objects[@]}"
}

# FreeType on the prefix's zlib: without it, it compiles its own copy of
# zlib's inflate with public names that clash with zlib's at the link.
build_freetype() {
  cmake_dep freetype -DFT_DISABLE_ZLIB=FALSE -DFT_REQUIRE_ZLIB=TRUE -DFT_DISABLE_BZIP2=TRUE \
    -DFT_DISABLE_PNG=TRUE -DFT_DISABLE_HARFBUZZ=TRUE -DFT_DISABLE_BROTLI=TRUE
}

build_sdl2() {
  cmake_dep libsdl2 -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF
}

# PNG and JPEG through stb_image, GIF and SVG through the library's own
# readers: nothing vendored is needed (the +dfsg tarball has none).
build_sdl2_image() {
  cmake_dep libsdl2-image -DSDL2IMAGE_SAMPLES=OFF -DSDL2IMAGE_VENDORED=OFF -DSDL2IMAGE_DEPS_SHARED=OFF \
    -DSDL2IMAGE_BACKEND_STB=ON -DSDL2IMAGE_BACKEND_WIC=OFF \
    -DSDL2IMAGE_AVIF=OFF -DSDL2IMAGE_JXL=OFF -DSDL2IMAGE_TIF=OFF -DSDL2IMAGE_WEBP=OFF
}

build_sdl2_ttf() {
  cmake_dep libsdl2-ttf -DSDL2TTF_SAMPLES=OFF -DSDL2TTF_VENDORED=OFF -DSDL2TTF_HARFBUZZ=OFF
}

# MP3 and FLAC through dr_libs, Ogg Vorbis through stb_vorbis, WAVE: the
# decoders the tarball carries.
build_sdl2_mixer() {
  cmake_dep libsdl2-mixer -DSDL2MIXER_SAMPLES=OFF -DSDL2MIXER_VENDORED=OFF -DSDL2MIXER_DEPS_SHARED=OFF \
    -DSDL2MIXER_CMD=OFF -DSDL2MIXER_FLAC=ON -DSDL2MIXER_FLAC_LIBFLAC=OFF -DSDL2MIXER_FLAC_DRFLAC=ON \
    -DSDL2MIXER_MOD=OFF -DSDL2MIXER_MIDI=OFF -DSDL2MIXER_OPUS=OFF \
    -DSDL2MIXER_MP3=ON -DSDL2MIXER_MP3_DRMP3=ON -DSDL2MIXER_MP3_MPG123=OFF \
    -DSDL2MIXER_VORBIS=STB -DSDL2MIXER_WAVE=ON
}

# SDL2_gfx comes with autotools only; its four sources are compiled directly.
# USE_MMX stays undefined: the library takes any definition of it as "on".
build_sdl2_gfx() {
  unpack libsdl2-gfx
  local dir=$WORK/libsdl2-gfx f objects=()
  for f in SDL2_framerate SDL2_gfxPrimitives SDL2_imageFilter SDL2_rotozoom; do
    "$CC" -O2 -I"$PREFIX/include/SDL2" -c "$dir/$f.c" -o "$dir/$f.o"
    objects+=("$dir/$f.o")
  done
  "$AR" rcs "$PREFIX/lib/libSDL2_gfx.a" "${objects[@]}"
  cp "$dir"/SDL2_framerate.h "$dir"/SDL2_gfxPrimitives.h "$dir"/SDL2_gfxPrimitives_font.h \
    "$dir"/SDL2_imageFilter.h "$dir"/SDL2_rotozoom.h "$PREFIX/include/SDL2/"
}

# Only what the video layer plays: H.264, MPEG-4, VP8 and VP9 pictures, AAC,
# MP3, Vorbis and Opus sound, in MP4/MOV, Matroska/WebM, AVI and MP3 files
# read from disk, with scaling and resampling.
build_ffmpeg() {
  unpack ffmpeg
  local dir=$WORK/ffmpeg
  (cd "$dir" && ./configure --prefix="$PREFIX" --enable-cross-compile --target-os=mingw32 \
    --arch=x86_64 --cross-prefix=$HOST- --cc="$CC" --cxx="$CXX" --pkg-config=false \
    --enable-static --disable-shared --disable-programs --disable-doc \
    --disable-everything --disable-autodetect --enable-w32threads --disable-network \
    --disable-avdevice --disable-avfilter --disable-postproc \
    --enable-avcodec --enable-avformat --enable-swscale --enable-swresample \
    --enable-decoder=h264,mpeg4,vp8,vp9,aac,mp3,mp3float,vorbis,opus \
    --enable-demuxer=mov,matroska,avi,mp3 \
    --enable-parser=h264,mpeg4video,vp8,vp9,aac,mpegaudio,vorbis,opus \
    --enable-protocol=file) >"$WORK/ffmpeg.configure.log" ||
    { tail -n 30 "$WORK/ffmpeg.configure.log"; fail "ffmpeg: configure failed"; }
  make -C "$dir" -j "$JOBS" >"$WORK/ffmpeg.build.log" 2>&1 ||
    { tail -n 30 "$WORK/ffmpeg.build.log"; fail "ffmpeg: build failed"; }
  make -C "$dir" install >/dev/null
}

# The workshop's HTTP server: plain HTTP on the loopback, so no TLS, and
# none of what it does not use (authentication, the form parser, upgrades);
# the toolchain's posix threads (its configure finds no usable w32 threads
# beside them) and Windows' sockets (the programs link ws2_32). pkg-config
# looks in the prefix only, so that nothing of the build machine's own
# libraries (GnuTLS) is taken for Windows.
build_microhttpd() {
  unpack libmicrohttpd
  local dir=$WORK/libmicrohttpd
  (cd "$dir" && PKG_CONFIG_LIBDIR="$PREFIX/lib/pkgconfig" ./configure --host=$HOST --prefix="$PREFIX" \
    --enable-static --disable-shared --disable-https --without-gnutls --disable-doc --disable-examples \
    --disable-curl --disable-bauth --disable-dauth --disable-postprocessor --disable-httpupgrade \
    --disable-sendfile --disable-nls --with-threads=posix) >"$WORK/libmicrohttpd.configure.log" 2>&1 ||
    { tail -n 30 "$WORK/libmicrohttpd.configure.log"; fail "libmicrohttpd: configure failed"; }
  make -C "$dir/src/microhttpd" -j "$JOBS" >"$WORK/libmicrohttpd.build.log" 2>&1 ||
    { tail -n 30 "$WORK/libmicrohttpd.build.log"; fail "libmicrohttpd: build failed"; }
  make -C "$dir/src/microhttpd" install >/dev/null
  make -C "$dir/src/include" install >/dev/null
}

# JSON for the workshop: header only, the single header as Debian installs
# it (include/nlohmann/json.hpp).
build_nlohmann_json() {
  local dsc tarball
  dsc=$(dsc_of nlohmann-json3)
  tarball=$(orig_files "$dsc" | grep -v '\.orig-' | head -n 1)
  rm -rf "${WORK:?}/nlohmann-json3"
  mkdir -p "$WORK/nlohmann-json3" "$PREFIX/include/nlohmann"
  tar -xf "$SOURCES/$tarball" -C "$WORK/nlohmann-json3" --strip-components=1 --wildcards '*/single_include/*'
  cp "$WORK/nlohmann-json3/single_include/nlohmann/json.hpp" \
    "$WORK/nlohmann-json3/single_include/nlohmann/json_fwd.hpp" "$PREFIX/include/nlohmann/"
}

# library_stamp PACKAGE FUNCTION PREVIOUS: the stamp of one library, what it
# is built from: the toolchain, the steps' code, its source package, and
# PREVIOUS, the stamp of the library built before it.
library_stamp() {
  {
    printf '%s %s %s\n' "$HOST" "$CC" "$CXX"
    sha256sum <"$ROOT/tools/windows/mingw-w64.cmake"
    declare -f unpack cmake_dep "$2"
    printf '%s %s\n' "$(basename "$(dsc_of "$1")")" "$(sha256sum <"$(dsc_of "$1")" | awk '{print $1}')"
    printf '%s\n' "$3"
  } | sha256sum | awk '{print $1}'
}

# Builds the libraries whose stamps differ from what they would be now, and
# every one after the first of them; from an empty prefix when that is the
# first library.
build_libraries() {
  local entry name pkg fn stamp previous= rebuild=0 first=1
  mkdir -p "$PREFIX" "$WORK"
  for entry in "${LIBRARIES[@]}"; do
    IFS='|' read -r name pkg fn <<<"$entry"
    stamp=$(library_stamp "$pkg" "$fn" "$previous")
    previous=$stamp
    if [ $rebuild -eq 0 ] && [ "$(cat "$PREFIX/.built-from-$pkg" 2>/dev/null)" = "$stamp" ]; then
      say "$name already built in $PREFIX from these sources"
      first=0
      continue
    fi
    if [ $rebuild -eq 0 ] && [ $first -eq 1 ]; then
      rm -rf "${PREFIX:?}"
      mkdir -p "$PREFIX"
    fi
    rebuild=1
    rm -f "$PREFIX/.built-from-$pkg"
    step "$name" "$fn"
    printf '%s\n' "$stamp" >"$PREFIX/.built-from-$pkg"
  done
}

# What a script's part of the prefix is built from: the script, the
# toolchain file and its source packages, each by its checksum (for the
# scripts that source this one and build one library of their own).
stamp_text() {
  sha256sum "$SCRIPT" "$ROOT/tools/windows/mingw-w64.cmake" | awk '{print $1}'
  local p
  for p in "${PACKAGES[@]}"; do
    printf '%s %s\n' "$(basename "$(dsc_of "$p")")" "$(sha256sum <"$(dsc_of "$p")" | awk '{print $1}')"
  done
}

main() {
  local start=$SECONDS
  step "toolchain and Wine" install_tools
  step "sources" fetch_sources
  step "libraries" build_libraries
  say "total: $((SECONDS - start)) s"
}

# Sourced (to run one step by hand), it only defines the functions.
if [ "${BASH_SOURCE[0]}" = "$0" ]; then main "$@"; fi
