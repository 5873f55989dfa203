// quiz_encode: turns the plain text of a quiz, written in UTF-8 by any text
// editor, into the scrambled quiz file that Grelinor reads, and back.
//
//   quiz_encode PLAIN.txt QUIZ          encode
//   quiz_encode --decode QUIZ PLAIN.txt decode ("-" writes to standard output)
//
// Encoding converts the text to Windows-1252 and refuses, with its line and
// column, any character that Windows-1252 cannot hold; it also refuses a text
// that the game would have to cut or could not play (a line, title, answer
// line or file name too long, a question block without a right answer).
// CR LF line ends become LF and a leading byte-order mark is dropped; every
// other byte goes through unchanged, so the game reads exactly this text.
// The output is written beside its final name, then renamed over it.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "etat.h"
#include "fichier_quizz.h"

namespace {

constexpr int LIGNES_ENTETE = 3;
constexpr int LIGNES_PAR_QUESTION = 7;
constexpr std::size_t CHAMP_COURT = sizeof(FicheReponse::Ligne1) - 1;  // 59
constexpr std::size_t TITRE_MAX = sizeof Questionnaire - 1;            // 63

struct Erreur {
    int ligne;
    int colonne;  // 0: the whole line
    std::string texte;
};

bool LitFichier(const std::string& chemin, std::string& octets) {
    std::ifstream entree(chemin, std::ios::binary);
    if (!entree) return false;
    std::ostringstream s;
    s << entree.rdbuf();
    octets = s.str();
    return true;
}

bool EcritFichier(const std::string& chemin, const std::string& octets) {
    if (chemin == "-") {
        std::cout << octets;
        return static_cast<bool>(std::cout.flush());
    }
    const std::string provisoire = chemin + ".tmp";
    {
        std::ofstream sortie(provisoire, std::ios::binary | std::ios::trunc);
        sortie << octets;
        sortie.flush();
        if (!sortie) {
            std::remove(provisoire.c_str());
            return false;
        }
    }
    if (std::rename(provisoire.c_str(), chemin.c_str()) == 0) return true;
    std::remove(provisoire.c_str());
    return false;
}

// Decodes one UTF-8 character at s[k]; returns its code point and moves k,
// or -1 for a malformed sequence.
long PointUtf8(const std::string& s, std::size_t& k) {
    const auto c = static_cast<unsigned char>(s[k++]);
    if (c < 0x80) return c;
    int suite = c >= 0xF0 && c < 0xF5 ? 3 : c >= 0xE0 ? 2 : c >= 0xC2 && c < 0xE0 ? 1 : -1;
    if (suite < 0) return -1;
    long point = c & (0x3F >> suite);
    const long minimum[4] = {0, 0x80, 0x800, 0x10000};
    for (int n = 0; n < suite; ++n) {
        if (k >= s.size() || (static_cast<unsigned char>(s[k]) & 0xC0) != 0x80) return -1;
        point = (point << 6) | (static_cast<unsigned char>(s[k++]) & 0x3F);
    }
    if (point < minimum[suite] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF))
        return -1;
    return point;
}

// UTF-8 to Windows-1252, CR LF to LF, without a leading byte-order mark.
bool VersCp1252(const std::string& utf8, std::string& sortie, std::vector<Erreur>& erreurs) {
    std::size_t k = utf8.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    int ligne = 1;
    int colonne = 1;
    while (k < utf8.size()) {
        const std::size_t debut = k;
        const long point = PointUtf8(utf8, k);
        if (point == '\r' && k < utf8.size() && utf8[k] == '\n') continue;
        const int octet = point < 0 ? -1 : UnicodeVersCp1252(point);
        if (point < 0) {
            erreurs.push_back({ligne, colonne, "suite d'octets qui n'est pas de l'UTF-8"});
        } else if (octet < 0) {
            char texte[96];
            std::snprintf(texte, sizeof texte, "le caractère « %s » (U+%04lX) n'existe pas en Windows-1252",
                          utf8.substr(debut, k - debut).c_str(), point);
            erreurs.push_back({ligne, colonne, texte});
        } else {
            sortie += static_cast<char>(octet);
        }
        ++colonne;
        if (point == '\n') ++ligne, colonne = 1;
    }
    return erreurs.empty();
}

std::vector<std::string> Lignes(const std::string& texte) {
    std::vector<std::string> lignes;
    std::size_t debut = 0;
    while (debut < texte.size()) {
        std::size_t fin = texte.find('\n', debut);
        if (fin == std::string::npos) fin = texte.size();
        lignes.push_back(texte.substr(debut, fin - debut));
        debut = fin + 1;
    }
    return lignes;
}

void Trop(std::vector<Erreur>& erreurs, int ligne, const char* quoi, std::size_t longueur,
          std::size_t max) {
    char texte[160];
    std::snprintf(texte, sizeof texte, "%s de %zu caractères : %zu au plus", quoi, longueur, max);
    erreurs.push_back({ligne, 0, texte});
}

// Checks a question or answer line against the fields that will hold it.
void VerifieTexte(const std::string& t, bool question, int ligne, std::vector<Erreur>& erreurs) {
    char segments[3][LIGNE_QUIZZ_MAX + 2] = {};
    char medias[3][LIGNE_QUIZZ_MAX + 2] = {};
    char* const l[3] = {segments[0], segments[1], segments[2]};
    char* const m[3] = {medias[0], medias[1], medias[2]};
    DecoupeLigne(t.c_str(), l, sizeof segments[0], question ? MARQUEURS_QUESTION : MARQUEURS_REPONSE,
                 m, sizeof medias[0]);
    for (const char* media : m) {
        if (std::strlen(media) > CHAMP_COURT)
            Trop(erreurs, ligne, "nom de fichier", std::strlen(media), CHAMP_COURT);
    }
    if (question) return;  // a question segment always fits its field
    for (const char* segment : l) {
        if (std::strlen(segment) > CHAMP_COURT)
            Trop(erreurs, ligne, "ligne de réponse", std::strlen(segment), CHAMP_COURT);
    }
}

void VerifieLigne(const std::string& t, int n, std::vector<Erreur>& erreurs) {
    const int ligne = n + 1;
    if (t.size() > static_cast<std::size_t>(LIGNE_QUIZZ_MAX)) {
        Trop(erreurs, ligne, "ligne", t.size(), LIGNE_QUIZZ_MAX);
        return;
    }
    if (t.find('\0') != std::string::npos) erreurs.push_back({ligne, 0, "caractère NUL"});
    if (n < 2 && t.size() > TITRE_MAX) Trop(erreurs, ligne, n == 0 ? "titre" : "thème", t.size(), TITRE_MAX);
    if (n < LIGNES_ENTETE) return;
    const int role = (n - LIGNES_ENTETE) % LIGNES_PAR_QUESTION;
    if (role <= 4) VerifieTexte(t, role == 0, ligne, erreurs);
    if (role == 5 && (t.empty() || t[0] < '1' || t[0] > '4'))
        erreurs.push_back({ligne, 1, "la bonne réponse doit être 1, 2, 3 ou 4"});
}

void VerifieStructure(const std::string& texte, std::vector<Erreur>& erreurs) {
    const std::vector<std::string> lignes = Lignes(texte);
    const int n = static_cast<int>(lignes.size());
    for (int k = 0; k < n; ++k) VerifieLigne(lignes[k], k, erreurs);
    const int reste = (n - LIGNES_ENTETE) % LIGNES_PAR_QUESTION;
    // The free seventh line of the last question may be left out.
    if (n < LIGNES_ENTETE + LIGNES_PAR_QUESTION - 1 || (reste != 0 && reste != 6))
        erreurs.push_back({n, 0, "le texte doit avoir 3 lignes d'en-tête puis 7 lignes par question"});
}

int Signale(const std::string& chemin, const std::vector<Erreur>& erreurs) {
    for (const Erreur& e : erreurs) {
        if (e.colonne > 0) std::cerr << chemin << ":" << e.ligne << ":" << e.colonne << ": " << e.texte << "\n";
        else std::cerr << chemin << ":" << e.ligne << ": " << e.texte << "\n";
    }
    return 1;
}

int Encode(const std::string& entree, const std::string& sortie) {
    std::string utf8;
    if (!LitFichier(entree, utf8)) {
        std::cerr << entree << ": fichier illisible\n";
        return 1;
    }
    std::string texte;
    std::vector<Erreur> erreurs;
    if (!VersCp1252(utf8, texte, erreurs)) return Signale(entree, erreurs);
    VerifieStructure(texte, erreurs);
    if (!erreurs.empty()) return Signale(entree, erreurs);
    BrouilleQuizz(reinterpret_cast<unsigned char*>(texte.data()), texte.size());
    if (EcritFichier(sortie, texte)) return 0;
    std::cerr << sortie << ": écriture impossible\n";
    return 1;
}

int Decode(const std::string& entree, const std::string& sortie) {
    std::string octets;
    if (!LitFichier(entree, octets)) {
        std::cerr << entree << ": fichier illisible\n";
        return 1;
    }
    BrouilleQuizz(reinterpret_cast<unsigned char*>(octets.data()), octets.size());
    std::string utf8;
    for (char c : octets) {
        long point = Cp1252VersUnicode(static_cast<unsigned char>(c));
        if (point < 0) point = 0xFFFD;  // undefined in Windows-1252: shown as "�"
        char suite[4];
        utf8.append(suite, EcritUtf8(point, suite));
    }
    if (EcritFichier(sortie, utf8)) return 0;
    std::cerr << sortie << ": écriture impossible\n";
    return 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc == 4 && std::strcmp(argv[1], "--decode") == 0) return Decode(argv[2], argv[3]);
    if (argc == 3 && argv[1][0] != '-') return Encode(argv[1], argv[2]);
    std::cerr << "usage: quiz_encode TEXTE.txt QUIZZ\n"
                 "       quiz_encode --decode QUIZZ TEXTE.txt   (\"-\" : sortie standard)\n";
    return 2;
}
