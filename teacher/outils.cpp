// Shared pieces of the teacher's tool: reports, files, text conversions,
// command-line reading.
#include "outils.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "ecriture.h"
#include "fichier_quizz.h"
#include "lecture.h"

namespace fs = std::filesystem;

void Signale(std::ostream& sortie, const Diagnostic& d) {
    sortie << d.fichier;
    if (d.ligne > 0) sortie << ":" << d.ligne;
    if (d.ligne > 0 && d.colonne > 0) sortie << ":" << d.colonne;
    sortie << (d.erreur ? ": error: " : ": warning: ") << d.message << "\n";
}

int SignaleTout(std::ostream& sortie, const std::vector<Diagnostic>& diagnostics,
                bool avertissements_comptent) {
    int code = SORTIE_OK;
    for (const Diagnostic& d : diagnostics) {
        Signale(sortie, d);
        if (d.erreur || avertissements_comptent) code = SORTIE_PROBLEMES;
    }
    return code;
}

bool LitFichierEntier(const std::string& chemin, std::string& octets) {
    // Only a regular file, and never without bound: a FIFO or a link to a
    // device must not hang or swell the tool.
    return static_cast<bool>(LitFichierBorne(chemin, LIMITE_TEXTE, octets));
}

bool EcritFichierEntier(const std::string& chemin, const std::string& octets,
                        std::string& erreur) {
    if (chemin == "-") {
        std::cout.write(octets.data(), static_cast<std::streamsize>(octets.size()));
        std::cout.flush();
        if (std::cout) return true;
        erreur = "la sortie standard refuse l'écriture";
        return false;
    }
    std::error_code e;
    if (fs::is_directory(chemin, e)) {
        erreur = chemin + " est un dossier";
        return false;
    }
    return EcritFichierSur(chemin, octets, erreur);
}

std::vector<std::string> DecoupeLignes(const std::string& texte) {
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

std::string FinsDeLigneLF(const std::string& texte) {
    std::string sortie;
    sortie.reserve(texte.size());
    for (std::size_t k = 0; k < texte.size(); ++k) {
        if (texte[k] != '\r') sortie += texte[k];
        else if (k + 1 >= texte.size() || texte[k + 1] != '\n') sortie += '\n';
    }
    return sortie;
}

std::string Utf8De1252(const std::string& texte) {
    std::string utf8;
    utf8.reserve(texte.size() + texte.size() / 8);
    for (char c : texte) {
        const auto octet = static_cast<unsigned char>(c);
        const int point = Cp1252VersUnicode(octet);
        char suite[4];
        utf8.append(suite, EcritUtf8(point < 0 ? octet : point, suite));
    }
    return utf8;
}

std::string Cite(const std::string& texte1252) {
    constexpr std::size_t MAX = 40;
    std::string t = texte1252.size() > MAX ? texte1252.substr(0, MAX) : texte1252;
    for (char& c : t) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F || Cp1252VersUnicode(u) < 0) c = '?';
    }
    return Utf8De1252(t) + (texte1252.size() > MAX ? "\u2026" : "");
}

namespace {

// Decodes the UTF-8 character at s[k] and moves k past it; -1 for a
// malformed sequence (k then moves by one byte).
long PointUtf8(const std::string& s, std::size_t& k) {
    const std::size_t debut = k;
    const auto c = static_cast<unsigned char>(s[k++]);
    if (c < 0x80) return c;
    const int suite = c >= 0xF0 && c < 0xF5 ? 3 : c >= 0xE0 && c < 0xF0 ? 2 : c >= 0xC2 && c < 0xE0 ? 1 : -1;
    if (suite < 0) return -1;
    long point = c & (0x3F >> suite);
    const long minimum[4] = {0, 0x80, 0x800, 0x10000};
    for (int n = 0; n < suite; ++n) {
        if (k >= s.size() || (static_cast<unsigned char>(s[k]) & 0xC0) != 0x80) {
            k = debut + 1;
            return -1;
        }
        point = (point << 6) | (static_cast<unsigned char>(s[k++]) & 0x3F);
    }
    if (point < minimum[suite] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) {
        k = debut + 1;
        return -1;
    }
    return point;
}

// Windows-1252 byte of a code point, the undefined bytes included (U+0081 …).
int Octet1252(long point) {
    const int octet = UnicodeVersCp1252(point);
    if (octet >= 0) return octet;
    if (point >= 0x80 && point <= 0x9F && Cp1252VersUnicode(static_cast<unsigned char>(point)) < 0)
        return static_cast<int>(point);
    return -1;
}

}  // namespace

bool EstUtf8(const std::string& texte) {
    for (std::size_t k = 0; k < texte.size();) {
        if (PointUtf8(texte, k) < 0) return false;
    }
    return true;
}

bool ContientSuiteUtf8(const std::string& texte) {
    for (std::size_t k = 0; k < texte.size();) {
        const std::size_t debut = k;
        if (PointUtf8(texte, k) >= 0 && k - debut > 1) return true;
    }
    return false;
}

bool Utf8Vers1252(const std::string& utf8, const std::string& fichier, std::string& sortie,
                  std::vector<Diagnostic>& erreurs) {
    const std::size_t avant = erreurs.size();
    std::size_t k = utf8.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    int ligne = 1;
    int colonne = 1;
    while (k < utf8.size()) {
        const std::size_t debut = k;
        const long point = PointUtf8(utf8, k);
        const int octet = point < 0 ? -1 : Octet1252(point);
        if (point < 0) {
            erreurs.push_back({fichier, ligne, colonne, true,
                               "suite d'octets qui n'est pas de l'UTF-8"});
        } else if (octet < 0) {
            char texte[160];
            std::snprintf(texte, sizeof texte,
                          "le caractère « %s » (U+%04lX) n'existe pas en Windows-1252",
                          utf8.substr(debut, k - debut).c_str(), point);
            erreurs.push_back({fichier, ligne, colonne, true, texte});
        } else {
            sortie += static_cast<char>(octet);
        }
        ++colonne;
        if (point == '\n') ligne += 1, colonne = 1;
    }
    return erreurs.size() == avant;
}

std::size_t LongueurUtf8(const std::string& texte) {
    std::size_t n = 0;
    for (char c : texte) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    }
    return n;
}

bool Arguments::A(const std::string& nom) const {
    for (const auto& o : options) {
        if (o.first == nom) return true;
    }
    return false;
}

std::string Arguments::Valeur(const std::string& nom, const std::string& defaut) const {
    for (const auto& o : options) {
        if (o.first == nom) return o.second;
    }
    return defaut;
}

namespace {

bool Parmi(const std::string& mot, const std::vector<std::string>& liste) {
    for (const std::string& m : liste) {
        if (m == mot) return true;
    }
    return false;
}

}  // namespace

Arguments LitArguments(int argc, char** argv, const std::vector<std::string>& connues,
                       const std::vector<std::string>& avec_valeur) {
    Arguments a;
    for (int k = 0; k < argc; ++k) {
        const std::string mot = argv[k];
        if (mot.size() < 2 || mot[0] != '-') {
            a.mots.push_back(mot);  // "-" alone is standard input or output
            continue;
        }
        if (!Parmi(mot, connues) && !Parmi(mot, avec_valeur)) {
            if (a.inconnue.empty()) a.inconnue = mot;
            continue;
        }
        if (!Parmi(mot, avec_valeur)) {
            a.options.emplace_back(mot, "");
            continue;
        }
        if (k + 1 >= argc) {
            a.valeur_manquante = true;
            continue;
        }
        a.options.emplace_back(mot, argv[++k]);
    }
    return a;
}

int Echec(int code, const std::string& message) {
    std::cerr << "pivolette: " << message << "\n";
    return code;
}

std::string DossierDonnees(const std::string& dossier) {
    std::error_code e;
    const fs::path d(dossier);
    if (fs::is_directory(d / "InfosQuizz", e)) return (d / "InfosQuizz").string();
    if (fs::is_directory(d / "infos", e) || fs::is_directory(d / "questions", e)) return d.string();
    return (d / "InfosQuizz").string();
}
