// The one safe way of writing a file: links planted by a pupil, two writers
// at once, failures that must leave the old file, stale temporary files.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "chemins.h"
#include "ecriture.h"
#include "lecture.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;
using test_support::ReadFile;
using test_support::ScratchDir;
using test_support::WriteFile;

// The files of `dossier` that are not temporary ones.
int Temporaires(const fs::path& dossier) {
    int n = 0;
    for (const auto& f : fs::directory_iterator(dossier)) n += EstFichierProvisoire(f.path().filename().string());
    return n;
}

// What a pupil plants at the temporary name before the file is created.
enum class Piege { Aucun, LienVersDehors, LienPendant };
Piege piege = Piege::Aucun;
int pieges_poses = 0;

void PoseLePiege(EtapeEcriture etape, const std::string& chemin) {
    if (etape != EtapeEcriture::Creation || piege == Piege::Aucun) return;
    if (piege == Piege::LienVersDehors && pieges_poses > 0) return;  // the first name only
    fs::create_symlink(piege == Piege::LienVersDehors ? "../dehors/secret" : "../dehors/nouveau", chemin);
    ++pieges_poses;
}

TEST(EcritFichierSur, LinksPlantedInTheFolderNeverLeadOutside) {
    if (!test_support::LinksPossible()) GTEST_SKIP() << "no symbolic links here (Windows: administrators only)";
    struct Cas {
        const char* quoi;
        const char* lien_cible;  // a link at the target itself, to this; nullptr: none
        Piege piege;
        bool reussit;
    };
    const Cas cas[] = {
        {"link at the target to a file outside", "../dehors/secret", Piege::Aucun, true},
        {"dangling link at the target", "../dehors/nouveau", Piege::Aucun, true},
        {"link at the first temporary name", nullptr, Piege::LienVersDehors, true},
        {"dangling link at every temporary name", nullptr, Piege::LienPendant, false},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.quoi);
        ScratchDir dossier;
        fs::create_directories("classe");
        fs::create_directories("dehors");
        WriteFile("dehors/secret", "secret");
        if (c.lien_cible != nullptr) fs::create_symlink(c.lien_cible, "classe/X_Y.txt");
        else WriteFile("classe/X_Y.txt", "ancien");
        piege = c.piege;
        pieges_poses = 0;
        CrochetEtapeEcriture = PoseLePiege;
        std::string erreur;
        const bool ok = EcritFichierSur("classe/X_Y.txt", "nouveau", erreur);
        CrochetEtapeEcriture = nullptr;
        EXPECT_EQ(ok, c.reussit) << erreur;
        EXPECT_EQ(ReadFile("dehors/secret"), "secret");
        EXPECT_FALSE(fs::exists("dehors/nouveau"));
        if (c.reussit) {
            EXPECT_TRUE(fs::is_regular_file(fs::symlink_status("classe/X_Y.txt")));
            EXPECT_EQ(ReadFile("classe/X_Y.txt"), "nouveau");
        } else {
            EXPECT_EQ(ReadFile("classe/X_Y.txt"), "ancien");
            EXPECT_NE(erreur.find("classe/X_Y.txt"), std::string::npos) << erreur;
        }
    }
}

TEST(EcritFichierSur, AFailedWriteLeavesTheOldFileWholeAndNoTemporary) {
    ScratchDir dossier;
    fs::create_directories("cible/dedans");
    WriteFile("cible/dedans/a", "a");
    std::string erreur;
    EXPECT_FALSE(EcritFichierSur("cible", "x", erreur));  // a folder is not replaced
    EXPECT_EQ(ReadFile("cible/dedans/a"), "a");
    EXPECT_NE(erreur.find("« cible »"), std::string::npos) << erreur;
    EXPECT_EQ(Temporaires("."), 0);
    erreur.clear();
    EXPECT_FALSE(EcritFichierSur("absent/f.txt", "x", erreur));
    EXPECT_NE(erreur.find("absent/f.txt"), std::string::npos) << erreur;
}

TEST(EcritFichierSur, TwoWritersAtOnceBothSucceedAndReadersSeeOneWholeFile) {
    ScratchDir dossier;
    const std::string a(64 * 1024, 'a'), b(48 * 1024, 'b');
    WriteFile("f.txt", a);
    std::atomic<int> echecs{0}, vus_entiers{0}, vus_autres{0};
    std::atomic<bool> fini{false};
    auto ecrivain = [&](const std::string& octets) {
        for (int k = 0; k < 100; ++k) {
            std::string erreur;
            if (!EcritFichierSur("f.txt", octets, erreur)) ++echecs;
        }
    };
    std::thread lecteur([&] {
        do {
            const std::string lu = ReadFile("f.txt");
#ifdef _WIN32
            if (lu.empty()) continue;  // the open refused while the name is being replaced
#endif
            ++(lu == a || lu == b ? vus_entiers : vus_autres);
        } while (!fini);
    });
    std::thread premier(ecrivain, a), second(ecrivain, b);
    premier.join();
    second.join();
    fini = true;
    lecteur.join();
    EXPECT_EQ(echecs, 0);
    EXPECT_EQ(vus_autres, 0);
    EXPECT_GT(vus_entiers, 0);
    EXPECT_TRUE(ReadFile("f.txt") == a || ReadFile("f.txt") == b);
    EXPECT_EQ(Temporaires("."), 0);
}

TEST(PublieExclusif, OnlyTheFirstOfSeveralPublishesAndNeverOverALink) {
    ScratchDir dossier;
    std::vector<Publication> resultats(6);
    std::vector<std::thread> joueurs;
    for (std::size_t k = 0; k < resultats.size(); ++k)
        joueurs.emplace_back([&resultats, k] {
            std::string erreur;
            resultats[k] = PublieExclusif("X_Y.txt", "joueur " + std::to_string(k) + "\n", erreur);
        });
    for (std::thread& t : joueurs) t.join();
    int publiees = 0;
    for (std::size_t k = 0; k < resultats.size(); ++k) {
        EXPECT_NE(resultats[k], Publication::Echec);
        if (resultats[k] != Publication::Publiee) continue;
        ++publiees;
        EXPECT_EQ(ReadFile("X_Y.txt"), "joueur " + std::to_string(k) + "\n");
    }
    EXPECT_EQ(publiees, 1);
    std::string erreur;
    if (test_support::LinksPossible()) {
        // A dangling link at the name counts as a file: nothing appears where it points.
        fs::create_symlink("ailleurs.txt", "Z_W.txt");
        EXPECT_EQ(PublieExclusif("Z_W.txt", "x", erreur), Publication::Existe);
        EXPECT_FALSE(fs::exists("ailleurs.txt"));
    }
    EXPECT_EQ(Temporaires("."), 0);
    EXPECT_EQ(PublieExclusif("absent/A_B.txt", "x", erreur), Publication::Echec);
    EXPECT_NE(erreur.find("absent"), std::string::npos) << erreur;
}

TEST(Provisoires, OnlyOurOldTemporariesAreRemovedAndLinksNeverFollowed) {
    struct Cas {
        const char* nom;
        bool provisoire;
    };
    const Cas noms[] = {
        {".pivolette-12-3-0a1b2c3d.tmp", true}, {".pivolette-.tmp", false},
        {"pivolette-1-1-0.tmp", false},         {".pivolette-1-1-0.txt", false},
        {"MARTIN_Julie.txt.tmp", false},        {"MARTIN_Julie.txt", false},
    };
    for (const Cas& c : noms) EXPECT_EQ(EstFichierProvisoire(c.nom), c.provisoire) << c.nom;

    ScratchDir dossier;
    WriteFile(".pivolette-1-1-00000000.tmp", "vieux");
    fs::last_write_time(".pivolette-1-1-00000000.tmp",
                        fs::file_time_type::clock::now() - std::chrono::hours(2));
    WriteFile(".pivolette-1-2-00000000.tmp", "en cours");
    WriteFile("MARTIN_Julie.txt", "MARTIN\n");
    WriteFile("garde.txt", "garde");
    const bool lien = test_support::LinksPossible();
    if (lien) fs::create_symlink("garde.txt", ".pivolette-1-3-00000000.tmp");
    EXPECT_EQ(NettoieProvisoires(".", std::chrono::hours(1)), lien ? 2 : 1);
    EXPECT_FALSE(fs::exists(".pivolette-1-1-00000000.tmp"));
    EXPECT_FALSE(fs::exists(fs::symlink_status(".pivolette-1-3-00000000.tmp")));
    EXPECT_EQ(ReadFile(".pivolette-1-2-00000000.tmp"), "en cours");
    EXPECT_EQ(ReadFile("MARTIN_Julie.txt"), "MARTIN\n");
    EXPECT_EQ(ReadFile("garde.txt"), "garde");
}

}  // namespace

// A file rewritten over its old self, under names with accents: the new
// bytes replace the old ones (a plain rename refuses an existing target on
// Windows), the name is the one the teacher sees (UTF-16 on Windows, not
// the code page's guess at UTF-8 bytes), and the reader finds it.
TEST(EcritFichierSur, ReplacesTheOldFileUnderItsOwnName) {
    const char* noms[] = {"X_Y.txt", "MARTIN_Zo\xC3\xA9.txt", "\xC3\xA9l\xC3\xA8ves/LEF\xC3\x88VRE_Chlo\xC3\xA9.txt"};
    for (const std::string nom : noms) {
        SCOPED_TRACE(nom);
        ScratchDir dossier;
        const fs::path chemin(std::u8string(nom.begin(), nom.end()));
        if (chemin.has_parent_path()) fs::create_directories(chemin.parent_path());
        for (const char* octets : {"premier\n", "second, plus long\n", "3\n"}) {
            std::string erreur;
            ASSERT_TRUE(EcritFichierSur(nom, octets, erreur)) << erreur;
            EXPECT_EQ(ReadFile(chemin), octets);
            std::string lu;
            EXPECT_TRUE(LitFichierBorne(nom, LIMITE_RESULTATS, lu, true));
            EXPECT_EQ(lu, octets);
        }
        EXPECT_EQ(Temporaires(chemin.has_parent_path() ? chemin.parent_path() : fs::path(".")), 0);
    }
}

#ifdef _WIN32
TEST(CheminLarge, UTF8NamesInUTF16AndNothingForOtherBytes) {
    const struct {
        std::string utf8;
        std::wstring large;
    } cas[] = {
        {"", L""},
        {"InfosQuizz\\joueurs", L"InfosQuizz\\joueurs"},
        {"Zo\xC3\xA9 \xE2\x82\xAC", L"Zo\u00e9 \u20ac"},
        {"\xF0\x9F\x98\x80", L"\U0001F600"},  // a surrogate pair
        {"Zo\xE9", L""},                       // Windows-1252, not UTF-8
        {"\xC3", L""},                         // cut in the middle of a character
    };
    for (const auto& c : cas) EXPECT_EQ(CheminLarge(c.utf8), c.large) << c.utf8;
}
#endif
