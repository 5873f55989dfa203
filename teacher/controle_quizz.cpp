// The checks of a quiz's plain text: line lengths, field widths, medium
// markers, right answers and the number of lines the questions need.
#include "controle_quizz.h"

#include <cstring>

#include "etat.h"
#include "fichier_quizz.h"

namespace {

constexpr std::size_t CHAMP_COURT = sizeof(FicheReponse::Ligne1) - 1;  // 59
constexpr std::size_t TITRE_MAX = sizeof Reglages::Questionnaire - 1;            // 63
const char* const DOSSIERS_MEDIA[3] = {"images", "sons", "videos"};

struct Controle {
    const std::string& fichier;
    std::vector<Diagnostic>& diagnostics;
    std::vector<MediaNomme>* medias;

    void Ajoute(int ligne, int colonne, bool erreur, const std::string& message) {
        diagnostics.push_back({fichier, ligne, colonne, erreur, message});
    }
};

std::string Nombre(std::size_t n) { return std::to_string(n); }

void Trop(Controle& c, int ligne, const std::string& quoi, std::size_t longueur, std::size_t max) {
    c.Ajoute(ligne, 0, true,
             quoi + " de " + Nombre(longueur) + " caractères : " + Nombre(max) +
                 " au plus, le jeu couperait la suite");
}

// Where the last display segment of a line starts: after the second "|",
// or the first when there is one, else at 0 (a third "|" is plain text).
std::size_t DebutDernierSegment(const std::string& t) {
    const std::size_t premiere = t.find('|');
    if (premiere == std::string::npos) return 0;
    const std::size_t seconde = t.find('|', premiere + 1);
    return (seconde == std::string::npos ? premiere : seconde) + 1;
}

// A marker character in a segment before the last is shown as plain text.
void ControleMarqueursTot(Controle& c, const std::string& t, const char* marqueurs, int ligne) {
    const std::size_t marque = t.find_first_of(marqueurs);
    if (marque == std::string::npos || marque >= DebutDernierSegment(t)) return;
    c.Ajoute(ligne, static_cast<int>(marque + 1), false,
             "« " + Utf8De1252(t.substr(marque, 1)) +
                 " » avant le dernier « | » est du texte ordinaire : un média se met à la fin "
                 "de la dernière ligne");
}

// Splits a question (or answer) line as the loader does and checks the parts.
void ControleTexte(Controle& c, const std::string& t, bool question, int ligne) {
    // Cut at a NUL byte, as the game's fields are (the NUL is reported apart).
    const std::string texte = t.substr(0, t.find('\0'));
    std::string l[3];
    std::string m[3];
    const char* marqueurs = question ? MARQUEURS_QUESTION : MARQUEURS_REPONSE;
    DecoupeLigne(texte, l, marqueurs, m);
    ControleMarqueursTot(c, t, marqueurs, ligne);
    for (int k = 0; k < (question ? 3 : 1); ++k) {
        const std::size_t longueur = m[k].size();
        if (longueur > CHAMP_COURT) Trop(c, ligne, "nom de fichier", longueur, CHAMP_COURT);
        if (longueur > 0 && c.medias != nullptr) c.medias->push_back({ligne, DOSSIERS_MEDIA[k], m[k]});
    }
    const std::size_t marque = t.find_first_of(marqueurs, DebutDernierSegment(t));
    if (marque != std::string::npos && marque + 1 == t.size())
        c.Ajoute(ligne, static_cast<int>(marque + 1), false,
                 "signe de média sans nom de fichier : la question n'aura pas de média");
    if (question) return;  // a question segment always fits its 256-byte field
    for (const std::string& segment : l) {
        if (segment.size() > CHAMP_COURT)
            Trop(c, ligne, "ligne de réponse", segment.size(), CHAMP_COURT);
    }
}

void ControleLigne(Controle& c, const std::string& t, int n) {
    const int ligne = n + 1;
    if (t.size() > static_cast<std::size_t>(LIGNE_QUIZZ_MAX)) {
        Trop(c, ligne, "ligne", t.size(), LIGNE_QUIZZ_MAX);
        return;
    }
    if (t.find('\0') != std::string::npos)
        c.Ajoute(ligne, static_cast<int>(t.find('\0') + 1), true, "caractère NUL");
    ControleMojibake(t, c.fichier, ligne, c.diagnostics);
    if (n < 2 && t.size() > TITRE_MAX) Trop(c, ligne, n == 0 ? "titre" : "thème", t.size(), TITRE_MAX);
    if (n < LIGNES_ENTETE) return;
    const int role = (n - LIGNES_ENTETE) % LIGNES_PAR_QUESTION;
    if (role <= 4) ControleTexte(c, t, role == 0, ligne);
}

// The right-answer line `n` of a question whose answer lines (already read,
// CR cut) come before it: one digit 1 to 4, naming an answer that is there.
void ControleBonneReponse(Controle& c, const std::vector<std::string>& lignes, int n) {
    const std::string& t = lignes[static_cast<std::size_t>(n)];
    const int ligne = n + 1;
    const std::string question = std::to_string((n - LIGNES_ENTETE) / LIGNES_PAR_QUESTION + 1);
    if (t.empty() || t[0] < '1' || t[0] > '4')
        return c.Ajoute(ligne, 1, true,
                        "la bonne réponse doit être 1, 2, 3 ou 4 : sans elle, toute réponse de la "
                        "question " + question + " compte comme fausse");
    if (t.size() > 1 && t[1] >= '0' && t[1] <= '9')
        return c.Ajoute(ligne, 2, true,
                        "« " + Cite(t) + " » : le jeu ne lit que le premier chiffre, la bonne réponse serait " +
                            t.substr(0, 1));
    const int reponse = n - 4 + (t[0] - '1');  // answer 1 is four lines above
    if (lignes[static_cast<std::size_t>(reponse)].empty())
        c.Ajoute(ligne, 1, true,
                 "la bonne réponse " + t.substr(0, 1) + " désigne une case vide (ligne " +
                     std::to_string(reponse + 1) + ") : aucun élève ne pourrait la choisir");
}

int QuestionsCompletes(int lignes) {
    // The free seventh line of the last question may be left out.
    return lignes < LIGNES_ENTETE ? 0 : (lignes - LIGNES_ENTETE + 1) / LIGNES_PAR_QUESTION;
}

void ControleStructure(Controle& c, int lignes, int questions, const std::string& raison) {
    const int completes = QuestionsCompletes(lignes);
    if (questions >= 0) {
        if (completes < questions)
            c.Ajoute(lignes, 0, true,
                     "le fichier n'a que " + std::to_string(completes) +
                         " question(s) complète(s) : " + raison + " en demande(nt) " +
                         std::to_string(questions) + " (les autres seraient vides)");
        return;
    }
    const int reste = (lignes - LIGNES_ENTETE) % LIGNES_PAR_QUESTION;
    if (completes < 1 || (reste != 0 && reste != LIGNES_PAR_QUESTION - 1))
        c.Ajoute(lignes, 0, true,
                 "le texte doit avoir 3 lignes d'en-tête puis 7 lignes par question (" +
                     std::to_string(lignes) + " lignes)");
    if (completes > MAX_QUESTIONS)
        c.Ajoute(lignes, 0, false,
                 std::to_string(completes) + " questions : le jeu n'en lit que " +
                     std::to_string(MAX_QUESTIONS));
}

}  // namespace

void ControleMojibake(const std::string& ligne, const std::string& fichier, int numero,
                      std::vector<Diagnostic>& diagnostics) {
    if (!ContientSuiteUtf8(ligne)) return;
    diagnostics.push_back({fichier, numero, 0, false,
                           "« " + Cite(ligne) +
                               " » ressemble à de l'UTF-8 lu comme du Windows-1252 (« Ã© » "
                               "pour « é ») : le texte a été converti deux fois"});
}

void ControleTexteQuizz(const std::string& texte, const std::string& fichier, int questions,
                        const std::string& raison, std::vector<Diagnostic>& diagnostics,
                        std::vector<MediaNomme>* medias) {
    Controle c{fichier, diagnostics, medias};
    std::vector<std::string> lignes = DecoupeLignes(texte);
    const int nombre = static_cast<int>(lignes.size());
    const int lues = questions < 0 ? nombre
                                   : std::min(nombre, LIGNES_ENTETE + LIGNES_PAR_QUESTION *
                                                                          std::min(questions, MAX_QUESTIONS));
    int premier_cr = 0;
    for (int n = 0; n < lues; ++n) {
        std::string& t = lignes[static_cast<std::size_t>(n)];
        if (!t.empty() && t.back() == '\r') {
            t.pop_back();
            if (premier_cr == 0) premier_cr = n + 1;
        }
        ControleLigne(c, t, n);
        if (n >= LIGNES_ENTETE && (n - LIGNES_ENTETE) % LIGNES_PAR_QUESTION == 5 && t.size() <= static_cast<std::size_t>(LIGNE_QUIZZ_MAX))
            ControleBonneReponse(c, lignes, n);
    }
    if (premier_cr > 0)
        c.Ajoute(premier_cr, 0, false,
                 "fins de ligne CR LF (Windows) : le fichier doit avoir des fins de ligne LF "
                 "seules (pivolette encode les écrit ainsi)");
    ControleStructure(c, nombre, questions, raison);
}
