// File names as Windows' wide calls take them.
//
// Every name inside the programs is UTF-8 (media/ turns a Windows-1252 name
// into UTF-8 first); on Windows the files are opened through the UTF-16
// calls, so that a folder or a pupil with accents opens whatever the
// computer's code page.
#pragma once

#include <string>

#ifdef _WIN32
// `utf8` in UTF-16. Empty when `utf8` is not valid UTF-8: no file has an
// empty name, so the open fails and its message names the file.
std::wstring CheminLarge(const std::string& utf8);
#endif
