// pivolette without its screen plug-in: the file commands answer as the
// whole program does; the commands that measure or draw texts say why not.
#include <gtest/gtest.h>

#include <filesystem>

#include "lance.h"

namespace fs = std::filesystem;

namespace {

#ifdef PIVOLETTE_MODULES_DIR
TEST(ModuleEcran, SansLuiSeulesLesCommandesQuiMesurentSeTaisent) {
    if (fs::exists(PIVOLETTE_MODULES_DIR "/libpivolette_ecran.so") || fs::exists(PIVOLETTE_MODULES_DIR "/libpivolette_mesure.so"))
        GTEST_SKIP() << "a plug-in is installed";
    test_support::ScratchDir dossier;
    fs::create_directory("seul");
    fs::copy_file(PIVOLETTE, "seul/pivolette");
    const std::string demo = std::string(SOURCE_DIR) + "/demo";
    const std::string quiz = demo + "/InfosQuizz/questions/vorlines_DEMO";
    struct Cas {
        std::string mots;
        int code;
        std::string dit;  // "": the same output as the whole program's
    };
    const Cas cas[] = {
        {"check " + demo, 0,
         "les textes n'ont pas pu être mesurés : l'écran du jeu n'est pas disponible (module "
         "libpivolette_mesure.so introuvable)"},
        {"preview " + quiz + " -o apercu", 1, "l'écran du jeu n'est pas disponible"},
        {"results " + demo, 0, ""},
        {"show " + quiz, 0, ""},
        {"--help", 0, ""},
    };
    for (const Cas& c : cas) {
        const Sortie seul = Pivolette(c.mots, "seul/pivolette");
        EXPECT_EQ(seul.code, c.code) << c.mots << "\n" << seul.err;
        if (c.dit.empty()) {
            const Sortie entier = Pivolette(c.mots);
            EXPECT_EQ(seul.out, entier.out) << c.mots;
            EXPECT_EQ(seul.err, entier.err) << c.mots;
        } else {
            EXPECT_NE((seul.out + seul.err).find(c.dit), std::string::npos) << c.mots << "\n" << seul.err;
        }
    }
    EXPECT_FALSE(fs::exists("apercu"));
}
#endif

}  // namespace
