# Cross-compiling for 64-bit Windows with Debian's MinGW-w64, posix thread
# model (the win32 model has no std::thread nor std::mutex). Libraries are
# looked up in the prefix that tools/windows/build-deps.sh fills, and only
# there: never the build machine's own.
#
#   cmake -S . -B build-windows/pivolette -DCMAKE_TOOLCHAIN_FILE=tools/windows/mingw-w64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(PIVOLETTE_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${PIVOLETTE_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PIVOLETTE_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${PIVOLETTE_MINGW}-windres)
set(CMAKE_AR ${PIVOLETTE_MINGW}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${PIVOLETTE_MINGW}-ranlib CACHE FILEPATH "")

# The prefix of the static Windows libraries.
if(NOT PIVOLETTE_WINDOWS_DEPS)
  if(DEFINED ENV{PIVOLETTE_WINDOWS_DEPS})
    set(PIVOLETTE_WINDOWS_DEPS $ENV{PIVOLETTE_WINDOWS_DEPS})
  else()
    get_filename_component(PIVOLETTE_WINDOWS_DEPS
      ${CMAKE_CURRENT_LIST_DIR}/../../build-windows/deps ABSOLUTE)
  endif()
endif()
set(PIVOLETTE_WINDOWS_DEPS ${PIVOLETTE_WINDOWS_DEPS} CACHE PATH
  "Prefix of the static Windows libraries (tools/windows/build-deps.sh)")
# try_compile projects get the toolchain file again: hand them the prefix.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES PIVOLETTE_WINDOWS_DEPS)

set(CMAKE_FIND_ROOT_PATH /usr/${PIVOLETTE_MINGW} ${PIVOLETTE_WINDOWS_DEPS})
set(CMAKE_PREFIX_PATH ${PIVOLETTE_WINDOWS_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
