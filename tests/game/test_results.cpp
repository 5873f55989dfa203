// The pupil's results file: its path and name, the exclusive creation that
// refuses a second start, and the whole rewrite after each question.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <signal.h>
#ifndef _WIN32
#include <sys/resource.h>
#endif
#ifndef _WIN32
#include <sys/wait.h>
#endif
#include <unistd.h>

#include "ecriture.h"
#include "etat.h"
#include "reponses.h"
#include "reponses_joueur.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;
using test_support::ReadFile;
using test_support::ScratchDir;
using test_support::WriteFile;

class Resultats : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories("InfosQuizz");
        Eleve("MARTIN", "Julie");
        NouveauQuizz(12);
    }
    void Eleve(const char* nom, const char* prenom, const char* classe = "DEMO") {
        Pupille.Joueur = {};
        std::snprintf(Pupille.Joueur.Nom, sizeof Pupille.Joueur.Nom, "%s", nom);
        std::snprintf(Pupille.Joueur.Prenom, sizeof Pupille.Joueur.Prenom, "%s", prenom);
        std::snprintf(Pupille.Joueur.Classe, sizeof Pupille.Joueur.Classe, "%s", classe);
    }

    // A new quiz of n questions for the pupil, counters at zero.
    void NouveauQuizz(int n) {
        Classe.NombreQuestions = n;
        PrepareQuizz(Jeu, Classe.NombreQuestions);
    }

    ScratchDir dossier;
    const fs::path fichier = "InfosQuizz/joueurs/DEMO/MARTIN_Julie.txt";
    // Fresh for each test.
    Reglages Classe;
    ::Eleve Pupille;
    Partie Jeu;
    CarnetReponses Carnet;
};

TEST_F(Resultats, PathFollowsTheDataTreeFormat) {
    char chemin[TAILLE_CHEMIN];
    ASSERT_EQ(CheminJoueur(Classe.CheminDonnees, Pupille.Joueur, chemin, sizeof chemin), 1);
    EXPECT_STREQ(chemin, ".//InfosQuizz//joueurs//DEMO//MARTIN_Julie.txt");
}

TEST_F(Resultats, CreationMakesTheFolderAndWritesTheStartingLines) {
    EXPECT_EQ(JoueurDejaJoue(Classe.CheminDonnees, Pupille.Joueur), 0);
    ASSERT_EQ(CreeFichierJoueur(Classe.CheminDonnees, Pupille.Joueur), RESULTATS_CREE) << MessageErreur;
    EXPECT_EQ(ReadFile(fichier), "MARTIN\nJulie\nDEMO\n0\n0\n9999\n");
    EXPECT_EQ(JoueurDejaJoue(Classe.CheminDonnees, Pupille.Joueur), 1);
    EXPECT_STREQ(Pupille.Joueur.Nom, "MARTIN");  // no line feed left in the record
}

TEST_F(Resultats, SecondStartOfTheSamePupilIsRefusedAndTheFileKept) {
    ASSERT_EQ(CreeFichierJoueur(Classe.CheminDonnees, Pupille.Joueur), RESULTATS_CREE);
    Jeu.BonnesReponses = 3;
    ASSERT_EQ(SetInfosJoueur(Classe.CheminDonnees, Pupille.Joueur, Jeu), 1);
    const std::string avant = ReadFile(fichier);
    // Another computer sharing the data folder tries to start the same pupil.
    EXPECT_EQ(CreeFichierJoueur(Classe.CheminDonnees, Pupille.Joueur), RESULTATS_EXISTE);
    EXPECT_EQ(ReadFile(fichier), avant);
    Eleve("MARTIN", "Paul");
    EXPECT_EQ(JoueurDejaJoue(Classe.CheminDonnees, Pupille.Joueur), 0);
    EXPECT_EQ(CreeFichierJoueur(Classe.CheminDonnees, Pupille.Joueur), RESULTATS_CREE);
}

TEST_F(Resultats, LinesFourToSixAfterRightWrongAndTimedOutAnswers) {
    ASSERT_EQ(CreeFichierJoueur(Classe.CheminDonnees, Pupille.Joueur), RESULTATS_CREE);
    Classe.TempsReponseAutorise = 30;
    // Time runs out on the first question.
    Jeu.TempsJeu += Classe.TempsReponseAutorise;
    Jeu.MauvaisesReponses += 1;
    ASSERT_EQ(SetInfosJoueur(Classe.CheminDonnees, Pupille.Joueur, Jeu), 1);
    EXPECT_EQ(ReadFile(fichier), "MARTIN\nJulie\nDEMO\n00\n01\n0030\n");
    // A right answer after 7 seconds, then a wrong one after 12.
    Jeu.TempsJeu += 7;
    Jeu.BonnesReponses += 1;
    ASSERT_EQ(SetInfosJoueur(Classe.CheminDonnees, Pupille.Joueur, Jeu), 1);
    EXPECT_EQ(ReadFile(fichier), "MARTIN\nJulie\nDEMO\n01\n01\n0037\n");
    Jeu.TempsJeu += 12;
    Jeu.MauvaisesReponses += 1;
    ASSERT_EQ(SetInfosJoueur(Classe.CheminDonnees, Pupille.Joueur, Jeu), 1);
    EXPECT_EQ(ReadFile(fichier), "MARTIN\nJulie\nDEMO\n01\n02\n0049\n");
    EXPECT_STREQ(Pupille.Joueur.Bonnes, "01\n");
    EXPECT_EQ(Jeu.PremiereJoueur, 0);
}

TEST_F(Resultats, TwelveQuestionsNineRight) {
    ASSERT_EQ(CreeFichierJoueur(Classe.CheminDonnees, Pupille.Joueur), RESULTATS_CREE);
    Jeu.BonnesReponses = 9;
    Jeu.MauvaisesReponses = 3;
    Jeu.TempsJeu = 83;
    ASSERT_EQ(SetInfosJoueur(Classe.CheminDonnees, Pupille.Joueur, Jeu), 1);
    EXPECT_EQ(ReadFile(fichier), "MARTIN\nJulie\nDEMO\n09\n03\n0083\n");
}

TEST_F(Resultats, TimesOfTenThousandSecondsOrMoreAreWrittenInFull) {
    ASSERT_EQ(CreeFichierJoueur(Classe.CheminDonnees, Pupille.Joueur), RESULTATS_CREE);
    Jeu.BonnesReponses = 60;
    Jeu.TempsJeu = 21600;
    ASSERT_EQ(SetInfosJoueur(Classe.CheminDonnees, Pupille.Joueur, Jeu), 1);
    EXPECT_EQ(ReadFile(fichier), "MARTIN\nJulie\nDEMO\n60\n00\n21600\n");
    Jeu.TempsJeu = 2147483647;
    ASSERT_EQ(SetInfosJoueur(Classe.CheminDonnees, Pupille.Joueur, Jeu), 1);
    EXPECT_EQ(ReadFile(fichier), "MARTIN\nJulie\nDEMO\n60\n00\n2147483647\n");
}

TEST_F(Resultats, RewriteReplacesTheFileByRenamingAWholeNewOne) {
    ASSERT_EQ(CreeFichierJoueur(Classe.CheminDonnees, Pupille.Joueur), RESULTATS_CREE);
    // A second name for the old file: an in-place rewrite would change it
    // too, a new file renamed over the old name leaves it alone.
    fs::create_hard_link(fichier, "ancien.txt");
    Jeu.BonnesReponses = 1;
    Jeu.TempsJeu = 5;
    ASSERT_EQ(SetInfosJoueur(Classe.CheminDonnees, Pupille.Joueur, Jeu), 1);
    EXPECT_EQ(ReadFile("ancien.txt"), "MARTIN\nJulie\nDEMO\n0\n0\n9999\n");
    EXPECT_EQ(ReadFile(fichier), "MARTIN\nJulie\nDEMO\n01\n00\n0005\n");
    EXPECT_FALSE(fs::exists(fichier.string() + ".tmp"));
}

TEST_F(Resultats, FailedRewriteKeepsThePreviousContentAndSaysSo) {
#ifdef _WIN32
    GTEST_SKIP() << "POSIX only: a child process (fork) or a file size limit (setrlimit)";
#else
    ASSERT_EQ(CreeFichierJoueur(Classe.CheminDonnees, Pupille.Joueur), RESULTATS_CREE);
    // A file-size limit smaller than the new content: the write fails midway.
    Jeu.BonnesReponses = 1;
    MessageErreur[0] = '\0';
    const int resultat = test_support::AvecTailleLimitee(10, [this] { return SetInfosJoueur(Classe.CheminDonnees, Pupille.Joueur, Jeu); });
    EXPECT_EQ(resultat, 0);
    EXPECT_EQ(ReadFile(fichier), "MARTIN\nJulie\nDEMO\n0\n0\n9999\n");
    EXPECT_NE(std::strstr(MessageErreur, "MARTIN Julie"), nullptr) << MessageErreur;
    EXPECT_NE(std::strstr(MessageErreur, "question 1 n'a pas pu"), nullptr) << MessageErreur;
    EXPECT_EQ(std::distance(fs::directory_iterator(fichier.parent_path()), fs::directory_iterator()), 1);
#endif
}

// The data folder goes away (a share cut off, here the folder moved) at a
// step of the rewrite after question 4: the file keeps three answers whole,
// the pupil is told so, and a new start finds no folder to recreate.
const char* dossier_perdu = nullptr;
void PerdLeDossier(EtapeEcriture etape, const std::string&) {
    static const EtapeEcriture coupure[] = {EtapeEcriture::Creation, EtapeEcriture::Ecriture,
                                            EtapeEcriture::Publication};
    if (etape == coupure[dossier_perdu[0] - '0']) {
        fs::rename("InfosQuizz", "ailleurs");
        CrochetEtapeEcriture = nullptr;
    }
}

TEST_F(Resultats, DataFolderGoneMidRunKeepsTheAnswersBeforeAndSaysSo) {
    for (const char* etape : {"0", "1", "2"}) {
        SCOPED_TRACE(etape);
        fs::remove_all("ailleurs");
        fs::remove_all("InfosQuizz");
        fs::create_directories("InfosQuizz");
        NouveauQuizz(12);
        ASSERT_EQ(CreeFichierJoueur(Classe.CheminDonnees, Pupille.Joueur), RESULTATS_CREE) << MessageErreur;
        Jeu.BonnesReponses = 3;
        Jeu.NumQuestion = 2;
        ASSERT_EQ(SetInfosJoueur(Classe.CheminDonnees, Pupille.Joueur, Jeu), 1) << MessageErreur;
        Jeu.BonnesReponses = 4;
        Jeu.NumQuestion = 3;
        dossier_perdu = etape;
        CrochetEtapeEcriture = PerdLeDossier;
        EXPECT_EQ(SetInfosJoueur(Classe.CheminDonnees, Pupille.Joueur, Jeu), 0);
        CrochetEtapeEcriture = nullptr;
        EXPECT_NE(std::strstr(MessageErreur, "n'est plus accessible"), nullptr) << MessageErreur;
        EXPECT_NE(std::strstr(MessageErreur, "question 3 sont"), nullptr) << MessageErreur;
        EXPECT_NE(std::strstr(MessageErreur, "question 4."), nullptr) << MessageErreur;
        const fs::path garde = "ailleurs/joueurs/DEMO";
        EXPECT_EQ(ReadFile(garde / "MARTIN_Julie.txt"), "MARTIN\nJulie\nDEMO\n03\n00\n0000\n");
        // Nothing else but, where the cut came before its removal, a
        // temporary file every reader passes over.
        for (const auto& f : fs::directory_iterator(garde)) {
            if (f.path().filename() == "MARTIN_Julie.txt") continue;
            EXPECT_TRUE(EstFichierProvisoire(f.path().filename().string())) << f.path();
        }
        EXPECT_EQ(CreeFichierJoueur(Classe.CheminDonnees, Pupille.Joueur), RESULTATS_ERREUR);
        EXPECT_NE(std::strstr(MessageErreur, "n'est plus accessible"), nullptr) << MessageErreur;
        EXPECT_FALSE(fs::exists("InfosQuizz"));
    }
}

TEST_F(Resultats, AccentedNamesGiveUtf8FileNamesAndWindows1252Content) {
    Eleve("B\xC9RANGER", "L\xE9" "a\x9C");  // BÉRANGER, Léaœ
    ASSERT_EQ(CreeFichierJoueur(Classe.CheminDonnees, Pupille.Joueur), RESULTATS_CREE);
    const fs::path nom = fs::path("InfosQuizz/joueurs/DEMO") /
                         fs::path(u8"B\u00C9RANGER_L\u00E9a\u0153.txt");
    ASSERT_TRUE(fs::exists(nom));
    EXPECT_EQ(ReadFile(nom), "B\xC9RANGER\nL\xE9" "a\x9C\nDEMO\n0\n0\n9999\n");
    EXPECT_EQ(JoueurDejaJoue(Classe.CheminDonnees, Pupille.Joueur), 1);  // the test of a later run finds it
    EXPECT_EQ(CreeFichierJoueur(Classe.CheminDonnees, Pupille.Joueur), RESULTATS_EXISTE);
}

TEST_F(Resultats, NamesCanNeverLeaveTheClassFolder) {
    Eleve("../../x", "..\\y:z", "..");
    ASSERT_EQ(CreeFichierJoueur(Classe.CheminDonnees, Pupille.Joueur), RESULTATS_CREE) << MessageErreur;
    char chemin[TAILLE_CHEMIN];
    ASSERT_EQ(CheminJoueur(Classe.CheminDonnees, Pupille.Joueur, chemin, sizeof chemin), 1);
    EXPECT_STREQ(chemin, ".//InfosQuizz//joueurs//%2E%2E//%2E.%2F..%2Fx_%2E.%5Cy%3Az.txt");
    int fichiers = 0;
    for (const auto& f : fs::recursive_directory_iterator(dossier.path())) {
        if (!f.is_regular_file()) continue;
        ++fichiers;
        EXPECT_EQ(f.path().parent_path(), dossier.path() / "InfosQuizz/joueurs/%2E%2E");
    }
    EXPECT_EQ(fichiers, 1);
}

// The answers file follows the results file: one line after each question
// (right, wrong, timed out), numbered by the quiz file whatever the shuffled
// order; a pupil who leaves with Escape keeps the lines he finished. A
// failure to keep answers leaves the run and the results file alone.
TEST_F(Resultats, AnswersFileAfterRightWrongTimedOutAndEscape) {
    ASSERT_EQ(CreeFichierJoueur(Classe.CheminDonnees, Pupille.Joueur), RESULTATS_CREE);
    NouveauQuizz(4);
    std::snprintf(Classe.Questionnaire, sizeof Classe.Questionnaire, "Les anim\xE9" "aux");
    const struct {
        int numero;
        const char* bonne;
        const char* son;
        const char* image;
        int choix, secondes, ecoute;
        const char* ligne;
    } tours[] = {
        {3, "2", "chat.mp3", "", 2, 5, 1, "question 3 : r\xE9ponse 2, juste, 5 s, m\xE9" "dia ouvert"},
        {1, "4", "", "_vignette.png", 1, 12, 0, "question 1 : r\xE9ponse 1, fausse, 12 s, sans m\xE9" "dia"},
        {4, "1", "cri.mp3", "", 0, 30, 0, "question 4 : aucune r\xE9ponse, fausse, 30 s, m\xE9" "dia non ouvert"},
    };
    const fs::path reponses = "InfosQuizz/joueurs/DEMO/reponses/MARTIN_Julie.txt";
    DebutReponses(Carnet, Classe, Pupille);
    std::string attendu = ReadFile(reponses);
    ASSERT_EQ(attendu.rfind("Questionnaire : Les anim\xE9" "aux\nD\xE9" "but : ", 0), 0u) << attendu;
    for (const auto& t : tours) {
        FicheQuestion& q = Jeu.Question[Jeu.NumQuestion];
        q.NumeroFichier = t.numero;
        std::snprintf(q.BonneReponse, sizeof q.BonneReponse, "%s", t.bonne);
        std::snprintf(q.Son, sizeof q.Son, "%s", t.son);
        std::snprintf(q.Image, sizeof q.Image, "%s", t.image);
        Jeu.VueImage = Jeu.VideoVue = 0;  // as the question screen leaves them
        Jeu.ExtraitSonEcoute = t.ecoute;
        (t.choix == t.bonne[0] - '0' ? Jeu.BonnesReponses : Jeu.MauvaisesReponses) += 1;
        ASSERT_EQ(SetInfosJoueur(Classe.CheminDonnees, Pupille.Joueur, Jeu), 1);
        NoteReponse(Carnet, Jeu, t.choix, t.secondes);
        attendu += std::string(t.ligne) + "\n";
        EXPECT_EQ(ReadFile(reponses), attendu);
        ++Jeu.NumQuestion;
    }
    // Escape on the fourth question: nothing more is written, and what is
    // there reads back as three questions met.
    FicheReponses lue;
    ASSERT_TRUE(LitReponses(reponses.string(), lue));
    EXPECT_EQ(lue.reponses.size(), 3u);
    EXPECT_EQ(ReadFile(fichier), "MARTIN\nJulie\nDEMO\n01\n02\n0000\n");

    // The answers folder is a file: the pupil plays on, his results file
    // is written, nothing else appears.
    Eleve("PETIT", "Lou");
    ASSERT_EQ(CreeFichierJoueur(Classe.CheminDonnees, Pupille.Joueur), RESULTATS_CREE);
    fs::remove_all("InfosQuizz/joueurs/DEMO/reponses");
    WriteFile("InfosQuizz/joueurs/DEMO/reponses", "");
    DebutReponses(Carnet, Classe, Pupille);
    NoteReponse(Carnet, Jeu, 1, 3);
    Jeu.BonnesReponses = 1;
    EXPECT_EQ(SetInfosJoueur(Classe.CheminDonnees, Pupille.Joueur, Jeu), 1);
    EXPECT_EQ(ReadFile("InfosQuizz/joueurs/DEMO/reponses"), "");
    EXPECT_EQ(std::distance(fs::directory_iterator("InfosQuizz/joueurs/DEMO"), fs::directory_iterator()), 3);
}

TEST(NomDeFichier, CopiesThePartOnlyWhenItFits) {
    char nom[64];
    ASSERT_EQ(NomDeFichier("x_1", nom, sizeof nom), 1);
    EXPECT_STREQ(nom, "x%5F1");
    char court[3];
    EXPECT_EQ(NomDeFichier("\xE9\xE9", court, sizeof court), 0);
    EXPECT_STREQ(court, "");
}

TEST_F(Resultats, TooLongAPathIsRefusedWithAMessage) {
    std::snprintf(Classe.CheminDonnees, sizeof Classe.CheminDonnees, ".//%0200d//", 0);
    Eleve("\xC9\xC9\xC9\xC9\xC9\xC9\xC9\xC9\xC9\xC9\xC9\xC9\xC9\xC9\xC9\xC9\xC9\xC9\xC9\xC9",
          "Julie");
    MessageErreur[0] = '\0';
    EXPECT_EQ(CreeFichierJoueur(Classe.CheminDonnees, Pupille.Joueur), RESULTATS_ERREUR);
    EXPECT_EQ(SetInfosJoueur(Classe.CheminDonnees, Pupille.Joueur, Jeu), 0);
    EXPECT_NE(MessageErreur[0], '\0');
}


#ifndef _WIN32
// The fault-injection harness: a child process runs one file operation of
// the game and stops dead (as a kill would) before its k-th step of the
// file layer; the parent then looks at what is left in the class folder.
constexpr int ARRETE = 42;
int etapes_avant_arret = 0;

void ArreteIci(EtapeEcriture, const std::string&) {
    if (etapes_avant_arret-- == 0) _exit(ARRETE);
}

// True when the operation ran to its end before the k-th step came.
template <class Operation>
bool LanceEtArreteA(int k, Operation operation) {
    std::fflush(nullptr);
    const pid_t enfant = fork();
    if (enfant == 0) {
        etapes_avant_arret = k;
        CrochetEtapeEcriture = ArreteIci;
        _exit(operation() ? 0 : 1);
    }
    int statut = 0;
    waitpid(enfant, &statut, 0);
    EXPECT_TRUE(WIFEXITED(statut) && (WEXITSTATUS(statut) == 0 || WEXITSTATUS(statut) == ARRETE))
        << "step " << k << ": the operation failed instead of completing";
    return WIFEXITED(statut) && WEXITSTATUS(statut) == 0;
}

// The folder's files other than the temporary ones a stopped write leaves.
std::vector<fs::path> FichiersDuDossier(const fs::path& dossier) {
    std::vector<fs::path> f;
    std::error_code e;
    for (fs::directory_iterator it(dossier, e), fin; !e && it != fin; it.increment(e))
        if (!EstFichierProvisoire(it->path().filename().string())) f.push_back(it->path());
    return f;
}

#endif

TEST_F(Resultats, AStopAtAnyFileStepLeavesNoFileOrAWholeOneAndTheNextRunAgrees) {
#ifdef _WIN32
    GTEST_SKIP() << "POSIX only: a child process (fork) or a file size limit (setrlimit)";
#else
    const std::string depart = "MARTIN\nJulie\nDEMO\n0\n0\n9999\n";
    const std::string apres = "MARTIN\nJulie\nDEMO\n01\n00\n0007\n";
    // Identification: the creation of the results file.
    int sans_fichier = 0, avec_fichier = 0;
    for (int k = 0;; ++k) {
        SCOPED_TRACE("creation stopped before step " + std::to_string(k));
        fs::remove_all("InfosQuizz/joueurs");
        const bool fini = LanceEtArreteA(k, [this] { return CreeFichierJoueur(Classe.CheminDonnees, Pupille.Joueur) == RESULTATS_CREE; });
        const std::vector<fs::path> reste = FichiersDuDossier(fichier.parent_path());
        ASSERT_LE(reste.size(), 1u);
        if (reste.empty()) {
            ++sans_fichier;
            EXPECT_FALSE(fini);
            EXPECT_EQ(JoueurDejaJoue(Classe.CheminDonnees, Pupille.Joueur), 0);  // the next run lets him play
            EXPECT_EQ(CreeFichierJoueur(Classe.CheminDonnees, Pupille.Joueur), RESULTATS_CREE) << MessageErreur;
        } else {
            ++avec_fichier;
            EXPECT_EQ(reste[0], fichier);
            EXPECT_EQ(ReadFile(fichier), depart);
            EXPECT_EQ(JoueurDejaJoue(Classe.CheminDonnees, Pupille.Joueur), 1);  // the next run refuses him
            EXPECT_EQ(CreeFichierJoueur(Classe.CheminDonnees, Pupille.Joueur), RESULTATS_EXISTE);
        }
        if (fini) break;
        ASSERT_LT(k, 50) << "the creation never completes";
    }
    EXPECT_GT(sans_fichier, 1);
    EXPECT_GT(avec_fichier, 1);
    // A rewrite after a question: the old whole file or the new whole one.
    int anciens = 0, nouveaux = 0;
    for (int k = 0;; ++k) {
        SCOPED_TRACE("rewrite stopped before step " + std::to_string(k));
        WriteFile(fichier, depart);
        const bool fini = LanceEtArreteA(k, [this] {
            Jeu.BonnesReponses = 1;
            Jeu.TempsJeu = 7;
            return SetInfosJoueur(Classe.CheminDonnees, Pupille.Joueur, Jeu) == 1;
        });
        ASSERT_EQ(FichiersDuDossier(fichier.parent_path()).size(), 1u);
        const std::string lu = ReadFile(fichier);
        EXPECT_TRUE(lu == depart || lu == apres) << lu;
        ++(lu == depart ? anciens : nouveaux);
        EXPECT_EQ(JoueurDejaJoue(Classe.CheminDonnees, Pupille.Joueur), 1);
        if (fini) break;
        ASSERT_LT(k, 50) << "the rewrite never completes";
    }
    EXPECT_GT(anciens, 1);
    EXPECT_GE(nouveaux, 1);
    // What the stopped writes left behind is cleared by the next identification.
    for (const auto& f : fs::directory_iterator(fichier.parent_path()))
        if (EstFichierProvisoire(f.path().filename().string()))
            fs::last_write_time(f.path(), fs::file_time_type::clock::now() - std::chrono::hours(2));
    Eleve("MARTIN", "Paul");
    ASSERT_EQ(CreeFichierJoueur(Classe.CheminDonnees, Pupille.Joueur), RESULTATS_CREE);
    int temporaires = 0;
    for (const auto& f : fs::directory_iterator(fichier.parent_path()))
        temporaires += EstFichierProvisoire(f.path().filename().string());
    EXPECT_EQ(temporaires, 0);
#endif
}

}  // namespace
