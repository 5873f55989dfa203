// The results file: its bytes, its reading back, its name.
#include "resultats.h"

#include <cctype>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <vector>

#include "classe.h"
#include "encodage.h"
#include "lecture.h"
#include "nombres.h"

namespace {

// Characters written as "%XX" in a file name: the escape itself, the
// separator of the two names, and what no file system takes or what would
// lead out of the folder.
bool Echappe(unsigned char c, bool premier) {
    return c < 0x20 || c == 0x7F || Point1252(c) < 0 || (premier && c == '.') ||
           std::strchr("%_/\\:*?\"<>|", c) != nullptr;
}

// "%XX" of one byte.
std::string Code(unsigned char c) {
    char code[4];
    std::snprintf(code, sizeof code, "%%%02X", c);
    return code;
}

std::string Lignes(const FicheResultats& f) { return f.nom + "\n" + f.prenom + "\n" + f.classe + "\n"; }


// A count: one or more digits and nothing else.
bool Compte(const std::string& ligne, std::int64_t& valeur) {
    if (ligne.empty() || ligne.find_first_not_of("0123456789") != std::string::npos) return false;
    valeur = LitEntierSature(ligne.c_str(), 0, COMPTE_MAX);
    return true;
}

}  // namespace

std::string TexteDepart(const FicheResultats& fiche) {
    return Lignes(fiche) + "0\n0\n" + std::to_string(SECONDES_AUCUNE_QUESTION) + "\n";
}

std::string TexteResultats(const FicheResultats& fiche) {
    char nombres[80];
    std::snprintf(nombres, sizeof nombres, "%02" PRId64 "\n%02" PRId64 "\n%04" PRId64 "\n", fiche.bonnes,
                  fiche.mauvaises, fiche.secondes);
    return Lignes(fiche) + nombres;
}

bool AucuneQuestionFinie(const FicheResultats& fiche) {
    return fiche.bonnes == 0 && fiche.mauvaises == 0 && fiche.secondes == SECONDES_AUCUNE_QUESTION;
}

LectureResultats AnalyseResultats(const std::string& octets, FicheResultats& fiche) {
    const std::vector<std::string> l = LignesDonnees(octets);
    LectureResultats r;
    if (l.size() < 6) {
        r.ligne = static_cast<int>(l.size());
        r.raison = "le fichier s'arrête à la ligne " + std::to_string(l.size()) +
                   " : un fichier de résultats a 6 lignes";
        return r;
    }
    std::int64_t valeurs[3] = {};
    for (int k = 0; k < 3; ++k) {
        if (!Compte(l[3 + k], valeurs[k])) {
            r.ligne = 4 + k;
            r.raison = "un nombre est attendu";
            r.nombre = true;
            r.texte = l[3 + k];
            return r;
        }
    }
    fiche = {l[0], l[1], l[2], valeurs[0], valeurs[1], valeurs[2]};
    r.lu = true;
    return r;
}

LectureResultats LitResultats(const std::string& chemin, FicheResultats& fiche) {
    std::string octets;
    const ResultatLecture lecture = LitFichierBorne(chemin, LIMITE_RESULTATS, octets);
    if (!lecture) {
        LectureResultats r;
        r.raison = lecture.message;
        return r;
    }
    return AnalyseResultats(octets, fiche);
}

std::string PartieDeNom(const std::string& nom1252) {
    if (nom1252.empty()) return "_";
    std::string partie;
    for (std::size_t k = 0; k < nom1252.size(); ++k) {
        const auto c = static_cast<unsigned char>(nom1252[k]);
        if (Echappe(c, k == 0)) {
            partie += Code(c);
        } else {
            AjouteUtf8(partie, Point1252(c));
        }
    }
    return partie;
}

namespace {

// Windows opens a device, not a file, for a name whose part before its first
// dot (trailing spaces dropped) is CON, PRN, AUX, NUL, COM0 … COM9 or LPT0 …
// LPT9, in any case: a pupil named "NUL.x" would write his results nowhere
// and could play again. Such a name starts with its first letter escaped on
// every system, so that a data tree moves between systems unchanged.
std::string SansPeripherique(std::string composant) {
    std::string base = composant.substr(0, composant.find('.'));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    for (char& c : base) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    static const char* const reserves[] = {"CON", "PRN", "AUX", "NUL"};
    bool reserve = false;
    for (const char* r : reserves) reserve = reserve || base == r;
    if (base.size() == 4 && (base.rfind("COM", 0) == 0 || base.rfind("LPT", 0) == 0) &&
        std::isdigit(static_cast<unsigned char>(base[3])))
        reserve = true;
    if (reserve) composant.replace(0, 1, Code(static_cast<unsigned char>(composant[0])));
    return composant;
}

}  // namespace

std::string NomFichierResultats(const std::string& nom1252, const std::string& prenom1252) {
    return SansPeripherique(PartieDeNom(nom1252) + "_" + PartieDeNom(prenom1252) + ".txt");
}

// A folder name ending in a dot or a space loses it on Windows ("CM1." would
// be "CM1"): that last character is escaped too.
std::string DossierResultats(const std::string& donnees, const std::string& classe1252) {
    std::string dossier = SansPeripherique(PartieDeNom(classe1252));
    if (dossier.back() == '.' || dossier.back() == ' ')
        dossier.replace(dossier.size() - 1, 1, Code(static_cast<unsigned char>(dossier.back())));
    return donnees + "joueurs//" + dossier;
}

std::string CheminResultats(const std::string& donnees, const FicheResultats& fiche) {
    return DossierResultats(donnees, fiche.classe) + "//" + NomFichierResultats(fiche.nom, fiche.prenom);
}
