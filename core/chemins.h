// File names as Windows' wide calls take them, and where a folder lives.
//
// Every name inside the programs is UTF-8 (media/ turns a Windows-1252 name
// into UTF-8 first); on Windows the files are opened through the UTF-16
// calls, so that a folder or a pupil with accents opens whatever the
// computer's code page.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The UTF-8 name `utf8` as a path of std::filesystem: the same bytes on
// Linux, UTF-16 on Windows (a plain std::string would be read in the
// computer's code page there).
std::filesystem::path CheminFs(const std::string& utf8);
// A path of std::filesystem back in UTF-8, with "/" between its folders on
// every system (Windows takes it too), so that a message names a file alike
// whatever mixture of separators built its path.
std::string Utf8DeChemin(const std::filesystem::path& chemin);

// The program's arguments, argv[0] included, in UTF-8. On Linux they are
// argv as it is; on Windows argv holds them in the computer's code page,
// which loses every letter it lacks, so they are read again from the wide
// command line.
std::vector<std::string> ArgumentsUtf8(int argc, char** argv);

// True when the folder `dossier` (UTF-8; empty: the working directory) is
// on another computer, as a school's file server is: on Windows a network
// path (\\serveur\partage) or a drive letter mapped to one; on Linux a
// folder mounted from the network (SMB/CIFS, NFS, AFS, Ceph) or through
// FUSE (smbnetfs, sshfs). False when it cannot be told.
bool DossierDistant(const std::string& dossier);

// This computer's own folder for Pivolette's settings, in UTF-8 and ending
// with "/": %ProgramData%\Pivolette on Windows (every account of the
// computer), $XDG_CONFIG_HOME/pivolette (by default ~/.config/pivolette) on
// Linux. Not created here. Empty when the system names no such place.
std::string DossierDeCetOrdinateur();

#ifdef _WIN32
// `utf8` in UTF-16. Empty when `utf8` is not valid UTF-8: no file has an
// empty name, so the open fails and its message names the file.
std::wstring CheminLarge(const std::string& utf8);
#endif
