// What the workshop asks of the system, the one place of its platform code:
// opening the default browser on an address, random bytes for its token, and
// the running program's own file (which carries the pages' archive).
#pragma once

#include <string>

// Opens `adresse` in the default browser, detached (xdg-open on Linux, its
// output thrown away; ShellExecuteW on Windows). False when it could not be
// started: the address printed on the standard output still opens it.
bool OuvreNavigateur(const std::string& adresse);

// `n` bytes from the system's random source (getrandom or /dev/urandom;
// BCryptGenRandom on Windows), as 2n lowercase hex digits; empty when the
// source failed (nothing guessable is ever given instead).
std::string HexAleatoire(std::size_t n);

// The running program's file, UTF-8; empty when the system does not say.
std::string ProgrammeEnCours();
