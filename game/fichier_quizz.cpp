// The quiz file: a plain Windows-1252 text, one item per line, every byte
// XOR 0xA5 so that pupils cannot read the answers. It is decoded in memory
// while it is read; no plain copy is ever written to disk.
//
// Lines 1 and 2 are the title and the theme, line 3 is free, then each
// question takes seven lines: the question, answers 1 to 4, the number of
// the right answer (its first character), a free line.
#include "fichier_quizz.h"

#include <cstring>

#include "etat.h"

namespace {

constexpr int LIGNES_ENTETE = 3;
constexpr int LIGNES_PAR_QUESTION = 7;
constexpr int ROLE_BONNE_REPONSE = 5;

// The bytes 0x80 … 0x9F of Windows-1252; 0 marks the five undefined ones.
constexpr unsigned short TABLE_80_9F[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// Copies the n bytes at `debut` into a field of `taille` bytes, cut to fit.
void CopieBornee(char* dest, std::size_t taille, const char* debut, std::size_t n) {
    if (n > taille - 1) n = taille - 1;
    std::memcpy(dest, debut, n);
    dest[n] = '\0';
}

void CopieTexte(char* dest, std::size_t taille, const char* texte) {
    CopieBornee(dest, taille, texte, std::strlen(texte));
}

void DecoupeQuestion(const char* t, FicheQuestion& q) {
    char* const lignes[3] = {q.Enonce1, q.Enonce2, q.Enonce3};
    char* const medias[3] = {q.Image, q.Son, q.Video};
    DecoupeLigne(t, lignes, sizeof q.Enonce1, MARQUEURS_QUESTION, medias, sizeof q.Image);
}

void DecoupeReponse(const char* t, FicheReponse& r) {
    char* const lignes[3] = {r.Ligne1, r.Ligne2, r.Ligne3};
    char* const medias[1] = {r.Image};
    DecoupeLigne(t, lignes, sizeof r.Ligne1, MARQUEURS_REPONSE, medias, sizeof r.Image);
}

// Only "1" … "4" name a right answer; anything else leaves none.
void LitBonneReponse(const char* t, FicheQuestion& q) {
    const bool valable = t[0] >= '1' && t[0] <= '4';
    q.BonneReponse[0] = valable ? t[0] : '\0';
    q.BonneReponse[1] = '\0';
}

// Puts line n (counted from 0) of the plain text where it belongs.
void RangeLigne(int n, const char* texte) {
    if (n == 0) CopieTexte(Questionnaire, sizeof Questionnaire, texte);
    if (n == 1) CopieTexte(Theme, sizeof Theme, texte);
    if (n < LIGNES_ENTETE) return;
    FicheQuestion& q = Question[(n - LIGNES_ENTETE) / LIGNES_PAR_QUESTION];
    const int role = (n - LIGNES_ENTETE) % LIGNES_PAR_QUESTION;
    if (role == 0) DecoupeQuestion(texte, q);
    else if (role <= 4) DecoupeReponse(texte, q.Reponse[role - 1]);
    else if (role == ROLE_BONNE_REPONSE) LitBonneReponse(texte, q);
}

int NombreQuestionsBorne() {
    if (NombreQuestions < 0) return 0;
    return NombreQuestions > MAX_QUESTIONS ? MAX_QUESTIONS : NombreQuestions;
}

int OuvreQuizz(const char* path) {
    Fichier = WaitAccessFile(path, 0);
    if (Fichier != nullptr) return 1;
    std::snprintf(MessageErreur, sizeof MessageErreur,
                  "Le fichier de questions %s est introuvable ou illisible.", path);
    return 0;
}

}  // namespace

void DecoupeLigne(const char* t, char* const lignes[3], std::size_t tailleLigne,
                  const char* marqueurs, char* const medias[], std::size_t tailleMedia) {
    int segment = 0;
    for (; segment < 2; ++segment) {
        const char* barre = std::strchr(t, '|');
        if (barre == nullptr) break;
        CopieBornee(lignes[segment], tailleLigne, t, static_cast<std::size_t>(barre - t));
        t = barre + 1;
    }
    for (int s = segment + 1; s < 3; ++s) lignes[s][0] = '\0';
    const char* marque = std::strpbrk(t, marqueurs);
    if (marque == nullptr) {
        CopieTexte(lignes[segment], tailleLigne, t);
        return;
    }
    CopieBornee(lignes[segment], tailleLigne, t, static_cast<std::size_t>(marque - t));
    const char* quel = std::strchr(marqueurs, *marque);
    CopieTexte(medias[quel - marqueurs], tailleMedia, marque + 1);
}

void BrouilleQuizz(unsigned char* octets, std::size_t n) {
    for (std::size_t k = 0; k < n; ++k) octets[k] ^= CLE_QUIZZ;
}

int LigneQuizz(LecteurQuizz* lecteur, char* ligne, int* anomalies) {
    int n = 0;
    int vues = 0;
    int drapeaux = 0;
    int c;
    while ((c = std::fgetc(lecteur->flux)) != EOF) {
        ++vues;
        c ^= CLE_QUIZZ;
        if (c == '\n') break;
        if (c == '\0') drapeaux |= LIGNE_NUL;
        else if (n < LIGNE_QUIZZ_MAX) ligne[n++] = static_cast<char>(c);
        else drapeaux |= LIGNE_COUPEE;
    }
    if (vues == 0) return 0;
    // A CR before the LF comes from an editor's line ends, not from the text.
    if (n > 0 && ligne[n - 1] == '\r' && !(drapeaux & LIGNE_COUPEE)) --n;
    ligne[n] = '\0';
    ++lecteur->numero;
    if (anomalies != nullptr) *anomalies = drapeaux;
    return 1;
}

int Cp1252VersUnicode(unsigned char octet) {
    if (octet < 0x80 || octet > 0x9F) return octet;
    const int point = TABLE_80_9F[octet - 0x80];
    return point == 0 ? -1 : point;
}

int UnicodeVersCp1252(long point) {
    if (point < 0) return -1;
    if (point < 0x80 || (point >= 0xA0 && point <= 0xFF)) return static_cast<int>(point);
    for (int k = 0; k < 32; ++k) {
        if (TABLE_80_9F[k] != 0 && TABLE_80_9F[k] == point) return 0x80 + k;
    }
    return -1;
}

int EcritUtf8(long point, char* dest) {
    auto octet = [](long v) { return static_cast<char>(static_cast<unsigned char>(v)); };
    if (point < 0x80) {
        dest[0] = octet(point);
        return 1;
    }
    if (point < 0x800) {
        dest[0] = octet(0xC0 | (point >> 6));
        dest[1] = octet(0x80 | (point & 0x3F));
        return 2;
    }
    if (point < 0x10000) {
        dest[0] = octet(0xE0 | (point >> 12));
        dest[1] = octet(0x80 | ((point >> 6) & 0x3F));
        dest[2] = octet(0x80 | (point & 0x3F));
        return 3;
    }
    dest[0] = octet(0xF0 | (point >> 18));
    dest[1] = octet(0x80 | ((point >> 12) & 0x3F));
    dest[2] = octet(0x80 | ((point >> 6) & 0x3F));
    dest[3] = octet(0x80 | (point & 0x3F));
    return 4;
}

void CheminQuizz(char* dest, std::size_t taille) {
    const int n = std::snprintf(dest, taille, "%squestions//%s", CheminDonnees, "vorlines_DEMO");
    if (n < 0 || static_cast<std::size_t>(n) >= taille) dest[0] = '\0';
}

void PrepareQuizz() {
    BonnesReponses = MauvaisesReponses = NumQuestion = 0;
    TempsJeu = 0;
    TempsSecondes = -1;
    PremiereJoueur = 1;
    PremiereCompteur = 1;
    const int n = NombreQuestionsBorne();
    for (int q = 0; q < n; ++q) {
        std::memset(&Question[q], 0, sizeof Question[q]);
        JoueurSolo[q] = 0;
    }
}

int VerifieFichierQuizz() {
    char chemin[256];
    CheminQuizz(chemin, sizeof chemin);
    if (!OuvreQuizz(chemin)) return 0;
    LecteurQuizz lecteur{Fichier, 0};
    char ligne[LIGNE_QUIZZ_MAX + 2];
    const int attendues = LIGNES_ENTETE + LIGNES_PAR_QUESTION * NombreQuestionsBorne();
    int fautive = 0;  // first question whose right-answer line names no answer
    while (lecteur.numero < attendues && LigneQuizz(&lecteur, ligne, nullptr)) {
        const int n = lecteur.numero - 1;
        const bool bonne = n >= LIGNES_ENTETE &&
                           (n - LIGNES_ENTETE) % LIGNES_PAR_QUESTION == ROLE_BONNE_REPONSE;
        if (bonne && fautive == 0 && !(ligne[0] >= '1' && ligne[0] <= '4'))
            fautive = (n - LIGNES_ENTETE) / LIGNES_PAR_QUESTION + 1;
    }
    const int lues = lecteur.numero;
    FClose(Fichier);
    Fichier = nullptr;
    // The free last line of the last question is never used: it may be missing.
    if (lues < attendues - (attendues > LIGNES_ENTETE ? 1 : 0)) {
        const int completes = lues < LIGNES_ENTETE ? 0 : (lues - LIGNES_ENTETE) / LIGNES_PAR_QUESTION;
        std::snprintf(MessageErreur, sizeof MessageErreur,
                      "Le fichier de questions %s ne contient que %d question(s) complète(s) "
                      "sur les %d annoncées par le fichier de réglages de la classe.",
                      chemin, completes, NombreQuestions);
        return 0;
    }
    if (fautive != 0) {
        std::snprintf(MessageErreur, sizeof MessageErreur,
                      "Le fichier de questions %s : la question %d n'a pas de bonne réponse "
                      "(sa sixième ligne doit commencer par 1, 2, 3 ou 4).",
                      chemin, fautive);
        return 0;
    }
    return 1;
}

int GetInfoFile(const char* path) {
    if (!OuvreQuizz(path)) return -1;
    const int n = NombreQuestionsBorne();
    for (int q = 0; q < n; ++q) std::memset(&Question[q], 0, sizeof Question[q]);
    LecteurQuizz lecteur{Fichier, 0};
    char ligne[LIGNE_QUIZZ_MAX + 2];
    const int attendues = LIGNES_ENTETE + LIGNES_PAR_QUESTION * n;
    while (lecteur.numero < attendues && LigneQuizz(&lecteur, ligne, nullptr))
        RangeLigne(lecteur.numero - 1, ligne);
    FClose(Fichier);
    Fichier = nullptr;
    return 0;
}
