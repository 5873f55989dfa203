// The one safe way of writing a file: links planted by a pupil, two writers
// at once, failures that must leave the old file, stale temporary files.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

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

unsigned long CeProcessus() {
#ifdef _WIN32
    return static_cast<unsigned long>(_getpid());
#else
    return static_cast<unsigned long>(getpid());
#endif
}

// The name of the temporary file a write of this process makes.
std::string nom_provisoire;

void NoteLeNom(EtapeEcriture etape, const std::string& chemin) {
    if (etape == EtapeEcriture::Creation) nom_provisoire = fs::path(chemin).filename().string();
}

// A write sweeps its folder of what earlier writers left: a link at a
// temporary name, a temporary file over an hour old from any computer, and
// one whose writer on this computer has ended. A file whose writer runs (or
// a process of that number, or one of another computer, or of a version
// without the computer's mark) stays, as does every other name.
TEST(Provisoires, AWriteRemovesWhatEndedOrOldWritersLeftAndNothingElse) {
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
    std::string erreur;
    CrochetEtapeEcriture = NoteLeNom;
    ASSERT_TRUE(EcritFichierSur("X_Y.txt", "x", erreur)) << erreur;
    CrochetEtapeEcriture = nullptr;
    // ".pivolette-PROCESS-COUNT-RANDOM-MACHINE.tmp": this computer's mark.
    const std::size_t tiret = nom_provisoire.rfind('-');
    ASSERT_NE(tiret, std::string::npos) << nom_provisoire;
    const std::string ici = nom_provisoire.substr(tiret, nom_provisoire.size() - tiret - 4);
    ASSERT_EQ(ici.size(), 17u) << nom_provisoire;
    const std::string moi = std::to_string(CeProcessus());
    const std::string fini = "2147483644";  // above any process number the systems give
    enum Sorte { Fichier, Dossier, Lien };
    struct Laisse {
        std::string nom;
        int heures;  // how old
        Sorte sorte;
        bool reste;
    };
    const Laisse laisses[] = {
        {".pivolette-" + fini + "-1-00000000" + ici + ".tmp", 0, Fichier, false},
        {".pivolette-" + moi + "-9-00000000" + ici + ".tmp", 0, Fichier, true},
        {".pivolette-" + moi + "-8-00000000" + ici + ".tmp", 2, Fichier, false},
        {".pivolette-" + fini + "-1-00000000-0123456789abcdef.tmp", 0, Fichier, true},  // another computer's
        {".pivolette-" + fini + "-2-00000000.tmp", 0, Fichier, true},
        {".pivolette-" + fini + "-3-00000000.tmp", 2, Fichier, false},
        {".pivolette-" + fini + "-4-00000000" + ici + ".tmp", 0, Dossier, true},
        {".pivolette-" + fini + "-5-00000000" + ici + ".tmp", 0, Lien, false},
        {fini + "-1-00000000" + ici + ".tmp", 0, Fichier, true},
        {".pivolette-" + fini + "-1-00000000" + ici + ".txt", 2, Fichier, true},
        {".pivolette-x" + fini + "-1-00000000" + ici + ".tmp", 0, Fichier, true},
    };
    const bool liens = test_support::LinksPossible();
    WriteFile("garde.txt", "garde");
    for (const Laisse& l : laisses) {
        if (l.sorte == Dossier) fs::create_directory(l.nom);
        if (l.sorte == Lien && liens) fs::create_symlink("garde.txt", l.nom);
        if (l.sorte != Fichier) continue;
        WriteFile(l.nom, "en cours");
        fs::last_write_time(l.nom, fs::file_time_type::clock::now() - std::chrono::hours(l.heures));
    }
    ASSERT_TRUE(EcritFichierSur("X_Y.txt", "y", erreur)) << erreur;
    for (const Laisse& l : laisses) {
        if (l.sorte == Lien && !liens) continue;
        EXPECT_EQ(fs::exists(fs::symlink_status(l.nom)), l.reste) << l.nom;
        if (l.reste && l.sorte == Fichier) {
            EXPECT_EQ(ReadFile(l.nom), "en cours") << l.nom;
        }
    }
    EXPECT_EQ(ReadFile("garde.txt"), "garde");
    EXPECT_EQ(ReadFile("X_Y.txt"), "y");
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
