// Shared pieces of the teacher's tool: reports, files, text conversions,
// command-line reading.
#include "outils.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "chemins.h"
#include "ecriture.h"
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
    if (fs::is_directory(CheminFs(chemin), e)) {
        erreur = chemin + " est un dossier";
        return false;
    }
    return EcritFichierSur(chemin, octets, erreur);
}

bool RemplacementPermis(const std::string& chemin, const std::string& octets, bool force,
                        bool (*sien)(const std::string& octets), std::string& erreur) {
    std::error_code e;
    if (force || chemin == "-" || !fs::exists(CheminFs(chemin), e)) return true;
    std::string present;
    if (fs::is_regular_file(CheminFs(chemin), e) && LitFichierEntier(chemin, present) &&
        (present == octets || (sien != nullptr && sien(present))))
        return true;
    erreur = chemin + " existe déjà et cette commande ne l'a pas écrit : rien n'est remplacé "
                      "(ajoutez --force pour le remplacer, ou choisissez un autre nom avec -o)";
    return false;
}

std::string Cite(const std::string& texte1252) {
    constexpr std::size_t MAX = 40;
    std::string t = texte1252.size() > MAX ? texte1252.substr(0, MAX) : texte1252;
    for (char& c : t) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F || Point1252(u) < 0) c = '?';
    }
    return Utf8De1252(t) + (texte1252.size() > MAX ? "\u2026" : "");
}

bool Utf8Vers1252(const std::string& utf8, const std::string& fichier, std::string& sortie,
                  std::vector<Diagnostic>& erreurs) {
    std::vector<FauteUtf8> fautes;
    const bool converti = Utf8Vers1252(utf8, sortie, fautes);
    for (const FauteUtf8& f : fautes) {
        if (f.point < 0) {
            erreurs.push_back({fichier, f.ligne, f.colonne, true, "suite d'octets qui n'est pas de l'UTF-8"});
            continue;
        }
        char texte[160];
        std::snprintf(texte, sizeof texte, "le caractère « %s » (U+%04lX) n'existe pas en Windows-1252",
                      f.caractere.c_str(), f.point);
        erreurs.push_back({fichier, f.ligne, f.colonne, true, texte});
    }
    return converti;
}

bool TexteEnseignant(const std::string& octets, const std::string& fichier, std::string& utf8,
                     std::vector<Diagnostic>& erreurs) {
    DecisionCodage decision;
    if (TexteEnUtf8(octets, utf8, decision)) return true;
    erreurs.push_back({fichier, decision.ligne, decision.colonne, true, MessageCodage(decision)});
    return false;
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
    const fs::path d = CheminFs(dossier);
    if (fs::is_directory(d / "InfosQuizz", e)) return Utf8DeChemin(d / "InfosQuizz");
    if (fs::is_directory(d / "infos", e) || fs::is_directory(d / "questions", e)) return Utf8DeChemin(d);
    return Utf8DeChemin(d / "InfosQuizz");
}
