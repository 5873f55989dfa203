// LCConfig.txt as the configuration tool writes it, byte for byte
// (Windows-1252: the "é" of the signatures is one byte, no final newline).
#pragma once

#include <filesystem>
#include <string>

#include "ecriture.h"

// The file created with the built-in settings.
inline const std::string FichierDefaut =
    "RESOLUTION_HORIZONTALE=800\n"
    "RESOLUTION_VERTICALE=600\n"
    "RESOLUTION_PREDEFINIE=9\n"
    "PLEIN_ECRAN=0\n"
    "MESSAGE_ERREUR=0\n"
    "\n"
    "--> Fichier cr\xE9\xE9 par 'Tamarel.exe'";

// The file saved with the user's choices.
inline std::string FichierGenere(int horizontale, int verticale, int code, int plein, int erreur) {
    return "RESOLUTION_HORIZONTALE=" + std::to_string(horizontale) +
           "\nRESOLUTION_VERTICALE=" + std::to_string(verticale) +
           "\nRESOLUTION_PREDEFINIE=" + std::to_string(code) +
           "\nPLEIN_ECRAN=" + std::to_string(plein) + "\nMESSAGE_ERREUR=" + std::to_string(erreur) +
           "\n\n--> Fichier g\xE9n\xE9r\xE9 par 'Tamarel.exe'";
}

// The temporary files a save left in the working folder (none once it is over).
inline int FichiersProvisoires() {
    int n = 0;
    for (const auto& f : std::filesystem::directory_iterator("."))
        n += EstFichierProvisoire(f.path().filename().string());
    return n;
}
