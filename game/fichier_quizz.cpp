// The quiz file in the game: read, checked and decoded in memory by the core
// library, its records copied into the question table with bounded copies.
// No plain copy is ever written to disk.
#include "fichier_quizz.h"

#include <cstdio>
#include <cstring>

#include "etat.h"
#include "encodage.h"
#include "medias.h"

namespace {

// Copies a text into a field of `taille` bytes, cut to fit and at a NUL.
void CopieTexte(char* dest, std::size_t taille, const std::string& texte) {
    std::size_t n = texte.find('\0');
    if (n == std::string::npos) n = texte.size();
    if (n > taille - 1) n = taille - 1;
    std::memcpy(dest, texte.data(), n);
    dest[n] = '\0';
}

int NombreQuestionsBorne(int nombre) {
    if (nombre < 0) return 0;
    return nombre > MAX_QUESTIONS ? MAX_QUESTIONS : nombre;
}

void RangeQuestion(const QuestionQuizz& source, FicheQuestion& q) {
    CopieTexte(q.Enonce1, sizeof q.Enonce1, source.enonce[0]);
    CopieTexte(q.Enonce2, sizeof q.Enonce2, source.enonce[1]);
    CopieTexte(q.Enonce3, sizeof q.Enonce3, source.enonce[2]);
    CopieTexte(q.Image, sizeof q.Image, source.image);
    CopieTexte(q.Son, sizeof q.Son, source.son);
    CopieTexte(q.Video, sizeof q.Video, source.video);
    for (int r = 0; r < 4; ++r) {
        const ReponseQuizz& de = source.reponses[r];
        FicheReponse& vers = q.Reponse[r];
        CopieTexte(vers.Ligne1, sizeof vers.Ligne1, de.lignes[0]);
        CopieTexte(vers.Ligne2, sizeof vers.Ligne2, de.lignes[1]);
        CopieTexte(vers.Ligne3, sizeof vers.Ligne3, de.lignes[2]);
        CopieTexte(vers.Image, sizeof vers.Image, de.image);
    }
    q.BonneReponse[0] = source.bonne;
    q.BonneReponse[1] = '\0';
}

}  // namespace

void PoseMessageErreur(const std::string& raison) { Vers1252(raison, MessageErreur, sizeof MessageErreur); }

// The game's names for the core library's one Windows-1252 table.
int Cp1252VersUnicode(unsigned char octet) { return static_cast<int>(Point1252(octet)); }

int UnicodeVersCp1252(long point) { return Octet1252(point); }

int EcritUtf8(long point, char* dest) {
    std::string octets;
    AjouteUtf8(octets, point);
    std::memcpy(dest, octets.data(), octets.size());
    return static_cast<int>(octets.size());
}

void CheminQuizz(const char* donnees, char* dest, std::size_t taille) {
    const int n = std::snprintf(dest, taille, "%squestions//%s", donnees, "vorlines_DEMO");
    if (n < 0 || static_cast<std::size_t>(n) >= taille) dest[0] = '\0';
}

void PrepareQuizz(Partie& jeu, int nombreQuestions) {
    jeu.BonnesReponses = jeu.MauvaisesReponses = jeu.NumQuestion = 0;
    jeu.TempsJeu = 0;
    jeu.TempsSecondes = -1;
    jeu.PremiereJoueur = 1;
    jeu.PremiereCompteur = 1;
    const int n = NombreQuestionsBorne(nombreQuestions);
    for (int q = 0; q < n; ++q) {
        std::memset(&jeu.Question[q], 0, sizeof jeu.Question[q]);
        jeu.JoueurSolo[q] = 0;
    }
}

void ChargeQuizzTexte(const std::string& clair, Reglages& classe, Partie& jeu) {
    const int n = NombreQuestionsBorne(classe.NombreQuestions);
    const FicheQuizz quizz = AnalyseQuizz(clair, n);
    CopieTexte(classe.Questionnaire, sizeof classe.Questionnaire, quizz.titre);
    CopieTexte(classe.Theme, sizeof classe.Theme, quizz.theme);
    for (int q = 0; q < n; ++q) RangeQuestion(quizz.questions[static_cast<std::size_t>(q)], jeu.Question[q]);
}

int VerifieFichierQuizz(const Reglages& classe, Partie& jeu) {
    char chemin[256];
    CheminQuizz(classe.CheminDonnees, chemin, sizeof chemin);
    jeu.QuizzVerifie = false;
    jeu.TexteVerifie.clear();
    std::string clair;
    std::string raison;
    if (!LitFichierQuizz(NomMediaNatif(chemin), clair, raison) ||
        !VerifieQuizz(clair, classe.NombreQuestions, NomMediaNatif(chemin), raison)) {
        PoseMessageErreur(raison);
        return 0;
    }
    jeu.QuizzVerifie = true;
    jeu.TexteVerifie = std::move(clair);
    return 1;
}

int GetInfoFile(const char* path, Reglages& classe, Partie& jeu) {
    std::string clair;
    std::string raison;
    if (!LitFichierQuizz(NomMediaNatif(path), clair, raison)) {
        PoseMessageErreur(raison);
        return -1;
    }
    ChargeQuizzTexte(clair, classe, jeu);
    return 0;
}

int ChargeQuizzVerifie(Reglages& classe, Partie& jeu) {
    if (!jeu.QuizzVerifie) {
        char chemin[256];
        CheminQuizz(classe.CheminDonnees, chemin, sizeof chemin);
        return GetInfoFile(chemin, classe, jeu);
    }
    ChargeQuizzTexte(jeu.TexteVerifie, classe, jeu);
    jeu.QuizzVerifie = false;
    jeu.TexteVerifie.clear();
    return 0;
}

void Vers1252(const std::string& utf8, char* dest, std::size_t taille) {
    if (taille == 0) return;
    std::size_t n = 0;
    for (std::size_t k = 0; k < utf8.size() && n + 1 < taille;) {
        const auto c = static_cast<unsigned char>(utf8[k]);
        const std::size_t suite = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        long point = c;
        bool valable = c < 0x80 || (c >= 0xC2 && c <= 0xF4 && utf8.size() - k > suite);
        for (std::size_t s = 1; valable && s <= suite; ++s) {
            const auto o = static_cast<unsigned char>(utf8[k + s]);
            valable = (o & 0xC0) == 0x80;
            point = (s == 1 ? (c & (0x3F >> suite)) : point) << 6 | (o & 0x3F);
        }
        if (!valable) {
            dest[n++] = static_cast<char>(c);
            ++k;
            continue;
        }
        const int octet = UnicodeVersCp1252(point);
        dest[n++] = octet < 0 ? '?' : static_cast<char>(octet);
        k += 1 + suite;
    }
    dest[n] = '\0';
}

bool CheminMediaQuizz(const char* donnees, const char* dossier, const char* nom, char* dest, std::size_t taille) {
    dest[0] = '\0';
    const MediaResolu m = ResoutMedia(NomMediaNatif(donnees), dossier, nom);
    if (m.etat == EtatMedia::Refuse) return false;
    // The game's own spelling of the path (Windows-1252, as the media layer takes it).
    const int n = std::snprintf(dest, taille, "%squestions//%s//%s", donnees, dossier, nom);
    if (n < 0 || static_cast<std::size_t>(n) >= taille) {
        dest[0] = '\0';  // never a cut path
        return false;
    }
    return m.etat == EtatMedia::Trouve;
}
