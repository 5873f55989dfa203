// The checks of the class files: the two class settings files and the pupil
// list, line by line, with what the game would refuse, cut or misread.
#include "controle_classe.h"

#include <map>

#include "classe.h"
#include "controle_quizz.h"
#include "etat.h"
#include "lumicanvas.h"

namespace {

void Ajoute(std::vector<Diagnostic>& d, const std::string& f, int ligne, bool erreur,
            const std::string& message) {
    d.push_back({f, ligne, 0, erreur, message});
}

void ControleNombreReglage(const std::string& t, const std::string& f, int ligne,
                           std::vector<Diagnostic>& d) {
    const std::int64_t n = NombreDeTexte(t, REGLAGE_CHIFFRES_MAX);
    if (n < 0) return Ajoute(d, f, ligne, true, "un nombre de 1 à 3 chiffres est attendu, pas « " + Cite(t) + " »");
    if (ligne == 5 && (n < 1 || n > MAX_QUESTIONS))
        Ajoute(d, f, ligne, true, "le nombre de questions vaut " + std::to_string(n) + ", il doit aller de 1 à " + std::to_string(MAX_QUESTIONS));
    if (ligne == 8 && (n < 1 || n > TEMPS_REPONSE_MAX))
        Ajoute(d, f, ligne, true, "le temps par réponse vaut " + std::to_string(n) + " secondes, il doit aller de 1 à " + std::to_string(TEMPS_REPONSE_MAX));
}

void ControleNom(const std::string& t, const std::string& f, int ligne, const char* quoi,
                 std::vector<Diagnostic>& d) {
    if (static_cast<int>(t.size()) > NOM_ELEVE_MAX)
        return Ajoute(d, f, ligne, true, std::string(quoi) + " de " + std::to_string(t.size()) + " caractères : " + std::to_string(NOM_ELEVE_MAX) + " au plus, le jeu refuse la liste");
    if (t.find_first_not_of(" \t") == std::string::npos)
        return Ajoute(d, f, ligne, true, std::string(quoi) + " vide");
    ControleMojibake(t, f, ligne, d);
    char fichier[256];
    NomDeFichier(t.c_str(), fichier, sizeof fichier);
    if (Utf8De1252(t) != fichier)
        Ajoute(d, f, ligne, false, "« " + Cite(t) + " » ne peut pas servir de nom de fichier : le fichier de résultats le remplace par « " + fichier + " »");
}

void ControleEleves(const std::vector<std::string>& l, int eleves, const std::string& f,
                    std::vector<Diagnostic>& d) {
    std::map<std::string, int> vus;  // key -> line of the surname
    for (int k = 0; k < eleves && 3 + 3 * k < static_cast<int>(l.size()); ++k) {
        const int ligne = 2 + 3 * k;
        ControleNom(l[ligne - 1], f, ligne, "nom", d);
        ControleNom(l[ligne], f, ligne + 1, "prénom", d);
        if (static_cast<int>(l[ligne + 1].size()) > NOM_ELEVE_MAX)
            Ajoute(d, f, ligne + 2, true, "classe de " + std::to_string(l[ligne + 1].size()) + " caractères : " + std::to_string(NOM_ELEVE_MAX) + " au plus, le jeu refuse la liste");
        const auto [place, nouveau] = vus.emplace(CleEleve(l[ligne - 1], l[ligne]), ligne);
        if (!nouveau)
            Ajoute(d, f, ligne, true, "même nom et même prénom que l'élève de la ligne " + std::to_string(place->second) + " : le second serait refusé comme ayant déjà joué");
    }
}

// The file's bytes as the game reads them; an error where the encoding is refused.
bool En1252(const std::string& octets, const std::string& f, std::string& texte, std::vector<Diagnostic>& d) {
    RefusCodage refus;
    if (ClasseEn1252(octets, texte, refus)) return true;
    d.push_back({f, refus.ligne, refus.colonne, true, refus.message});
    return false;
}

}  // namespace

std::string CleEleve(const std::string& nom, const std::string& prenom) {
    std::string n = nom;
    std::string p = prenom;
    for (char& c : n) c = static_cast<char>(UToUpper(static_cast<unsigned char>(c)));
    for (char& c : p) c = static_cast<char>(UToLower(static_cast<unsigned char>(c)));
    if (!p.empty()) p[0] = static_cast<char>(UToUpper(static_cast<unsigned char>(p[0])));
    char fn[256];
    char fp[256];
    NomDeFichier(n.c_str(), fn, sizeof fn);
    NomDeFichier(p.c_str(), fp, sizeof fp);
    return std::string(fn) + "_" + fp;
}

void ControleReglages(const std::string& octets, const std::string& f, std::vector<Diagnostic>& d) {
    std::string texte;
    if (!En1252(octets, f, texte, d)) return;
    const std::vector<std::string> l = LignesDonnees(texte);
    for (int n = 1; n <= 8 && n <= static_cast<int>(l.size()); ++n) {
        const std::string& t = l[n - 1];
        if (n <= 3 && static_cast<int>(t.size()) > REGLAGE_TEXTE_MAX)
            Ajoute(d, f, n, false, "ligne de " + std::to_string(t.size()) + " caractères : le jeu n'en garde que " + std::to_string(REGLAGE_TEXTE_MAX));
        if (n <= 3) ControleMojibake(t, f, n, d);
        else ControleNombreReglage(t, f, n, d);
    }
    if (l.size() < 8)
        Ajoute(d, f, static_cast<int>(l.size()), true, "le fichier s'arrête à la ligne " + std::to_string(l.size()) + " : il doit avoir 8 lignes");
}

void ControleListe(const std::string& octets, const std::string& f, std::vector<Diagnostic>& d) {
    std::string texte;
    if (!En1252(octets, f, texte, d)) return;
    std::vector<std::string> l = LignesDonnees(texte);
    const std::int64_t n = l.empty() ? -1 : NombreDeTexte(l[0], ELEVES_CHIFFRES_MAX);
    const int eleves = n < 1 || n > MAX_JOUEURS ? -1 : static_cast<int>(n);
    if (eleves < 1 || eleves > MAX_JOUEURS)
        return Ajoute(d, f, 1, true, "la première ligne doit donner le nombre d'élèves, de 1 à " + std::to_string(MAX_JOUEURS));
    while (!l.empty() && l.back().find_first_not_of(" \t") == std::string::npos &&
           static_cast<int>(l.size()) > 1 + 3 * eleves)
        l.pop_back();  // blank lines at the end are harmless
    const int attendues = 1 + 3 * eleves;
    const int lignes = static_cast<int>(l.size());
    if (lignes < attendues)
        Ajoute(d, f, lignes, true, "la liste annonce " + std::to_string(eleves) + " élèves (" + std::to_string(attendues) + " lignes) mais n'a que " + std::to_string(lignes) + " lignes : le jeu la refuse");
    else if (lignes > attendues)
        Ajoute(d, f, attendues + 1, false, "la liste annonce " + std::to_string(eleves) + " élèves mais continue : le jeu ne lit pas les lignes à partir d'ici");
    ControleEleves(l, eleves, f, d);
}
