// A data folder shared by a room's computers: whether a folder is on the
// network, and where each computer keeps its own display settings.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "chemins.h"
#include "lcconfig.h"
#include "test_support.h"

namespace {

TEST(DossierDistant, ServersPathsAreNetworkOnesAndTheLocalDiskIsNot) {
    struct Cas {
        const char* chemin;
        bool distant;
    };
    const Cas cas[] = {
        {"", false},   // the working directory, a scratch folder on this disk
        {".", false},
#ifdef _WIN32
        {"\\\\serveur\\classe", true},
        {"//serveur/classe/InfosQuizz//", true},
        {"\\\\?\\UNC\\serveur\\classe", true},
        {"C:\\", false},
        {"\\\\?\\C:\\", false},
#else
        {"/proc", false},
        {"/dossier/qui/n/existe/pas", false},
#endif
    };
    test_support::ScratchDir dossier;
    for (const Cas& c : cas) EXPECT_EQ(DossierDistant(c.chemin), c.distant) << c.chemin;
}

// A local data folder keeps LCConfig.txt beside the data, as always; the
// computer's own folder is named from the system's variables.
TEST(CheminLCConfig, BesideTheLocalDataAndTheComputersFolderFromTheSystem) {
    test_support::ScratchDir dossier;
    EXPECT_EQ(CheminLCConfig(), "LCConfig.txt");
    struct Cas {
        const char* variable;
        const char* valeur;
        const char* attendu;
    };
#ifdef _WIN32
    const Cas cas[] = {
        {"ProgramData", "C:\\ProgramData", "C:/ProgramData/Pivolette/"},
        {"ProgramData", "D:\\Donnees\\", "D:/Donnees/Pivolette/"},
    };
#else
    const Cas cas[] = {
        {"XDG_CONFIG_HOME", "/etc/xdg", "/etc/xdg/pivolette/"},
        {"XDG_CONFIG_HOME", "/etc/xdg/", "/etc/xdg/pivolette/"},
        {"XDG_CONFIG_HOME", "relatif", "/home/eleve/.config/pivolette/"},  // relative: not used
        {"XDG_CONFIG_HOME", "", "/home/eleve/.config/pivolette/"},
    };
    const std::string maison = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
    setenv("HOME", "/home/eleve", 1);
#endif
    for (const Cas& c : cas) {
        const char* avant = std::getenv(c.variable);
        const std::string garde = avant != nullptr ? avant : "";
        setenv(c.variable, c.valeur, 1);
        EXPECT_EQ(DossierDeCetOrdinateur(), c.attendu) << c.valeur;
        if (avant != nullptr) setenv(c.variable, garde.c_str(), 1);
        else unsetenv(c.variable);
    }
#ifndef _WIN32
    setenv("HOME", maison.c_str(), 1);
#endif
}

}  // namespace
