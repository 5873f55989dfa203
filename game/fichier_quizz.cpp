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

void PrepareQuizz(Partie& Jeu, int nombreQuestions) {
    Jeu.BonnesReponses = Jeu.MauvaisesReponses = Jeu.NumQuestion = 0;
    Jeu.TempsJeu = 0;
    Jeu.TempsSecondes = -1;
    Jeu.PremiereJoueur = 1;
    Jeu.PremiereCompteur = 1;
    const int n = NombreQuestionsBorne(nombreQuestions);
    for (int q = 0; q < n; ++q) {
        std::memset(&Jeu.Question[q], 0, sizeof Jeu.Question[q]);
        Jeu.JoueurSolo[q] = 0;
    }
}

void ChargeQuizzTexte(const std::string& clair, Reglages& Classe, Partie& Jeu) {
    const int n = NombreQuestionsBorne(Classe.NombreQuestions);
    const FicheQuizz quizz = AnalyseQuizz(clair, n);
    CopieTexte(Classe.Questionnaire, sizeof Classe.Questionnaire, quizz.titre);
    CopieTexte(Classe.Theme, sizeof Classe.Theme, quizz.theme);
    for (int q = 0; q < n; ++q) RangeQuestion(quizz.questions[static_cast<std::size_t>(q)], Jeu.Question[q]);
}

int VerifieFichierQuizz(const Reglages& Classe, Partie& Jeu) {
    char chemin[256];
    CheminQuizz(Classe.CheminDonnees, chemin, sizeof chemin);
    Jeu.QuizzVerifie = false;
    Jeu.TexteVerifie.clear();
    std::string clair;
    std::string raison;
    if (!LitFichierQuizz(NomMediaNatif(chemin), clair, raison) ||
        !VerifieQuizz(clair, Classe.NombreQuestions, NomMediaNatif(chemin), raison)) {
        PoseMessageErreur(raison);
        return 0;
    }
    Jeu.QuizzVerifie = true;
    Jeu.TexteVerifie = std::move(clair);
    return 1;
}

int GetInfoFile(const char* path, Reglages& Classe, Partie& Jeu) {
    std::string clair;
    std::string raison;
    if (!LitFichierQuizz(NomMediaNatif(path), clair, raison)) {
        PoseMessageErreur(raison);
        return -1;
    }
    ChargeQuizzTexte(clair, Classe, Jeu);
    return 0;
}

int ChargeQuizzVerifie(Reglages& Classe, Partie& Jeu) {
    if (!Jeu.QuizzVerifie) {
        char chemin[256];
        CheminQuizz(Classe.CheminDonnees, chemin, sizeof chemin);
        return GetInfoFile(chemin, Classe, Jeu);
    }
    ChargeQuizzTexte(Jeu.TexteVerifie, Classe, Jeu);
    Jeu.QuizzVerifie = false;
    Jeu.TexteVerifie.clear();
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
