// The answers' common shapes, and the one mapping of a diagnostic to what
// the pages show.
#include "http.h"

#include <cstdint>
#include <cstdio>

namespace {

// What the teacher mends, by the line of each file's layout.
const char* const CHAMPS_REGLAGES[] = {"questionnaire", "theme", "entete", "saisie",
                                       "questions", "attente1", "attente2", "temps"};
const char* const CHAMPS_ELEVE[] = {"nom", "prenom", "classe"};
const char* const CHAMPS_QUESTION[] = {"question", "reponse1", "reponse2", "reponse3",
                                       "reponse4", "bonne", "libre"};
const char* const CHAMPS_ENTETE_QUIZ[] = {"titre", "theme", "note"};

bool FinitPar(const std::string& t, const std::string& fin) {
    return t.size() >= fin.size() && t.compare(t.size() - fin.size(), fin.size(), fin) == 0;
}

Json Lieu(const Diagnostic& d) {
    const int l = d.ligne;
    for (const char* groupe : {"DEMO0", "DEMO"}) {
        if (!FinitPar(d.fichier, std::string("infos/infos_jeu_") + groupe)) continue;
        Json lieu{{"page", "reglages"}, {"groupe", groupe}};
        if (l >= 1 && l <= 8) lieu["champ"] = CHAMPS_REGLAGES[l - 1];
        return lieu;
    }
    if (FinitPar(d.fichier, "infos/infos_quizz_DEMO")) {
        Json lieu{{"page", "classe"}};
        if (l >= 2) lieu["eleve"] = (l - 2) / 3, lieu["champ"] = CHAMPS_ELEVE[(l - 2) % 3];
        return lieu;
    }
    if (FinitPar(d.fichier, "questions/vorlines_DEMO") || FinitPar(d.fichier, "quiz.txt") ||
        d.fichier == "quiz") {
        Json lieu{{"page", "quiz"}};
        if (l >= 1 && l <= 3) lieu["champ"] = CHAMPS_ENTETE_QUIZ[l - 1];
        if (l >= 4) lieu["question"] = (l - 4) / 7, lieu["champ"] = CHAMPS_QUESTION[(l - 4) % 7];
        return lieu;
    }
    if (d.fichier.find("joueurs/") != std::string::npos) return Json{{"page", "resultats"}};
    return Json{{"page", "accueil"}};
}

}  // namespace

std::string Requete::Entete(const std::string& nom) const {
    const auto it = entetes.find(nom);
    return it == entetes.end() ? std::string() : it->second;
}

std::string Requete::Parametre(const std::string& nom) const {
    const auto it = parametres.find(nom);
    return it == parametres.end() ? std::string() : it->second;
}

Reponse EnJson(const Json& corps, int statut) {
    Reponse r;
    r.statut = statut;
    // Invalid UTF-8 from a damaged file is replaced, never a thrown exception.
    r.corps = corps.dump(-1, ' ', false, Json::error_handler_t::replace);
    return r;
}

Reponse Refus(int statut, const std::string& message, const Json& diagnostics) {
    return EnJson(Json{{"erreur", message}, {"diagnostics", diagnostics}}, statut);
}

Json DiagnosticJson(const Diagnostic& d, const std::string& dossier) {
    std::string fichier = d.fichier;
    const std::string prefixe = dossier.empty() || dossier.back() == '/' ? dossier : dossier + "/";
    if (!prefixe.empty() && fichier.compare(0, prefixe.size(), prefixe) == 0) fichier.erase(0, prefixe.size());
    if (fichier.compare(0, 11, "InfosQuizz/") == 0) fichier.erase(0, 11);
    return Json{{"fichier", fichier},   {"ligne", d.ligne},      {"colonne", d.colonne},
                {"gravite", d.erreur ? "erreur" : "avertissement"},
                {"message", d.message}, {"lieu", Lieu(d)}};
}

Json DiagnosticsJson(const std::vector<Diagnostic>& diagnostics, const std::string& dossier) {
    Json liste = Json::array();
    for (const Diagnostic& d : diagnostics) liste.push_back(DiagnosticJson(d, dossier));
    return liste;
}

// FNV-1a over 64 bits, and the length: a change of the file is what it
// catches, not a forger.
std::string VersionOctets(const std::string& octets) {
    std::uint64_t h = 14695981039346656037ull;
    for (unsigned char c : octets) h = (h ^ c) * 1099511628211ull;
    char texte[48];
    std::snprintf(texte, sizeof texte, "%016llx-%zx", static_cast<unsigned long long>(h), octets.size());
    return texte;
}
