// Plug-in libraries of ours, loaded when first needed so that a program that
// never needs them never maps them nor the libraries they bring (the video
// decoder and ffmpeg; the teacher's tool's screen and SDL). Linux only: on
// Windows everything is linked into the programs.
#pragma once

#include <string>

namespace lc {

// Loads the plug-in `file` (e.g. "libpivolette_video.so") from `path` when
// it is not empty, else beside the running program, then in `relative_dir`
// seen from the program's folder (an installed tree moved as a whole), then
// in `install_dir`; calls its `entry` function (no arguments) and returns
// what it returns when `accept` takes it (its version is the program's).
// nullptr, with `why` in French, when no place holds a plug-in that loads
// and gives an accepted table. The library stays loaded until the program ends.
const void* LoadPlugin(const std::string& file, const char* entry, const std::string& path,
                       const std::string& relative_dir, const std::string& install_dir,
                       bool (*accept)(const void* table), std::string& why);

}  // namespace lc
