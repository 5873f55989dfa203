# The libraries of the Windows build, all static, from the prefix that
# tools/windows/build-deps.sh fills (PIVOLETTE_WINDOWS_DEPS, set by the
# toolchain file). SDL2_image, SDL2_ttf, SDL2_mixer and SDL2_gfx install no
# pkg-config file when built static, so each library is found by its file and
# the Windows system libraries it needs are named here. The targets carry the
# names the Linux build's pkg-config gives its own, so the rest of the build
# is the same on both.
if(NOT PIVOLETTE_WINDOWS_DEPS OR NOT EXISTS ${PIVOLETTE_WINDOWS_DEPS}/include/SDL2/SDL.h)
  message(FATAL_ERROR "No Windows libraries in '${PIVOLETTE_WINDOWS_DEPS}': run "
    "tools/windows/build-deps.sh first, or give -DPIVOLETTE_WINDOWS_DEPS=PREFIX")
endif()

# windows_libraries(TARGET LIBS name... SYSTEM name... INCLUDES dir...): an
# imported target linking the prefix's lib<name>.a in that order, then the
# system libraries.
function(windows_libraries target)
  cmake_parse_arguments(ARG "" "" "LIBS;SYSTEM;INCLUDES" ${ARGN})
  set(files)
  foreach(lib IN LISTS ARG_LIBS)
    find_library(WINDOWS_LIBRARY_${lib} NAMES lib${lib}.a PATHS ${PIVOLETTE_WINDOWS_DEPS}/lib
                 NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
    list(APPEND files ${WINDOWS_LIBRARY_${lib}})
  endforeach()
  set(includes)
  foreach(dir IN LISTS ARG_INCLUDES)
    list(APPEND includes ${PIVOLETTE_WINDOWS_DEPS}/${dir})
  endforeach()
  add_library(${target} INTERFACE IMPORTED)
  set_target_properties(${target} PROPERTIES
    INTERFACE_LINK_LIBRARIES "${files};${ARG_SYSTEM}"
    INTERFACE_INCLUDE_DIRECTORIES "${includes}")
endfunction()

windows_libraries(PkgConfig::SDL2
  LIBS SDL2_gfx SDL2_image SDL2_ttf freetype z SDL2_mixer SDL2
  SYSTEM m user32 gdi32 winmm imm32 ole32 oleaut32 version uuid advapi32 setupapi shell32 dinput8
  INCLUDES include include/SDL2)
windows_libraries(PkgConfig::MINIZIP LIBS minizip z INCLUDES include)
windows_libraries(PkgConfig::FFMPEG
  LIBS avformat avcodec swscale swresample avutil
  SYSTEM bcrypt
  INCLUDES include)

# The workshop's HTTP server, on Windows' sockets. Its JSON, nlohmann-json,
# is one header in the prefix's include/, as in /usr/include on Linux.
windows_libraries(PkgConfig::MHD LIBS microhttpd SYSTEM ws2_32 INCLUDES include)

# SDL's WinMain, which calls the programs' main (renamed SDL_main by SDL.h),
# for the window programs.
windows_libraries(pivolette_windows_main LIBS SDL2main SYSTEM mingw32)
set_property(TARGET pivolette_windows_main PROPERTY INTERFACE_LINK_LIBRARIES
  "mingw32;${WINDOWS_LIBRARY_SDL2main}")

# One file each, needing nothing but Windows' own DLLs.
add_link_options(-static -static-libgcc -static-libstdc++)
