// `pivolette show`: the quiz as the game holds it once loaded, record by
// record, loaded by the game's own loader.
#include <memory>
#include <cstdio>
#include <iostream>
#include <sstream>

#include "commandes.h"
#include "etat.h"
#include "fichier_quizz.h"

namespace {

const char* const AIDE_SHOW =
    "usage : pivolette show QUIZZ [--questions N] [--json]\n"
    "\n"
    "Charge le quiz brouillé QUIZZ avec le chargeur du jeu et montre ce que le jeu\n"
    "en garde : titre, thème, et pour chaque question ses lignes, son média, ses\n"
    "quatre réponses et sa bonne réponse. N : le nombre de questions que lit le jeu\n"
    "(5e ligne des réglages de la classe) ; par défaut, toutes celles du fichier.\n"
    "--json écrit la même chose en JSON (UTF-8) pour les scripts.\n"
    "Codes de sortie : 0 montré, 2 usage ou fichier illisible.\n";

// The number of question blocks a plain text holds, the last one maybe
// incomplete; at most the table's size.
int BlocsDuFichier(const std::string& texte) {
    const int lignes = static_cast<int>(DecoupeLignes(texte).size());
    const int blocs = lignes <= 3 ? 0 : (lignes - 3 + 6) / 7;
    return blocs > MAX_QUESTIONS ? MAX_QUESTIONS : blocs;
}

std::string Json(const char* texte1252) {
    const std::string utf8 = Utf8De1252(texte1252);
    std::string j = "\"";
    for (char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') j += std::string("\\") + c;
        else if (u < 0x20) {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\u%04x", u);
            j += esc;
        } else {
            j += c;
        }
    }
    return j + "\"";
}

void JsonQuestion(std::ostream& o, const FicheQuestion& q) {
    o << "    {\"enonce\": [" << Json(q.Enonce1) << ", " << Json(q.Enonce2) << ", " << Json(q.Enonce3)
      << "],\n     \"image\": " << Json(q.Image) << ", \"son\": " << Json(q.Son)
      << ", \"video\": " << Json(q.Video) << ",\n     \"reponses\": [\n";
    for (int r = 0; r < 4; ++r) {
        const FicheReponse& p = q.Reponse[r];
        o << "       {\"lignes\": [" << Json(p.Ligne1) << ", " << Json(p.Ligne2) << ", "
          << Json(p.Ligne3) << "], \"image\": " << Json(p.Image) << "}" << (r < 3 ? ",\n" : "\n");
    }
    o << "     ],\n     \"bonne_reponse\": " << Json(q.BonneReponse) << "}";
}

void EnJson(std::ostream& o, const Reglages& classe, const Partie& jeu, int n) {
    o << "{\n  \"titre\": " << Json(classe.Questionnaire) << ",\n  \"theme\": " << Json(classe.Theme)
      << ",\n  \"questions\": [\n";
    for (int k = 0; k < n; ++k) {
        JsonQuestion(o, jeu.Question[k]);
        o << (k + 1 < n ? ",\n" : "\n");
    }
    o << "  ]\n}\n";
}

void Champ(std::ostream& o, const char* etiquette, const char* valeur) {
    if (valeur[0] != '\0') o << etiquette << Utf8De1252(valeur) << "\n";
}

void EnTexte(std::ostream& o, const Reglages& classe, const Partie& jeu, int n) {
    o << "Titre : " << Utf8De1252(classe.Questionnaire) << "\nThème : " << Utf8De1252(classe.Theme) << "\n";
    for (int k = 0; k < n; ++k) {
        const FicheQuestion& q = jeu.Question[k];
        o << "\nQuestion " << k + 1 << "\n";
        // Every display line up to the last one that holds text.
        const int lignes = q.Enonce3[0] ? 3 : q.Enonce2[0] ? 2 : 1;
        const char* enonce[3] = {q.Enonce1, q.Enonce2, q.Enonce3};
        for (int l = 0; l < lignes; ++l) o << "  | " << Utf8De1252(enonce[l]) << "\n";
        Champ(o, "  image : ", q.Image);
        Champ(o, "  son : ", q.Son);
        Champ(o, "  vidéo : ", q.Video);
        for (int r = 0; r < 4; ++r) {
            const FicheReponse& p = q.Reponse[r];
            o << "  " << r + 1 << (q.BonneReponse[0] == '1' + r ? "* " : ". ") << Utf8De1252(p.Ligne1);
            if (p.Ligne2[0]) o << " / " << Utf8De1252(p.Ligne2);
            if (p.Ligne3[0]) o << " / " << Utf8De1252(p.Ligne3);
            if (p.Image[0]) o << "  [image : " << Utf8De1252(p.Image) << "]";
            o << "\n";
        }
        o << "  bonne réponse : " << (q.BonneReponse[0] ? q.BonneReponse : "aucune (toute réponse compte comme fausse)") << "\n";
    }
}

}  // namespace

int CommandeShow(int argc, char** argv) {
    const Arguments a = LitArguments(argc, argv, {"--help", "-h", "--json"}, {"--questions"});
    if (a.A("--help") || a.A("-h")) return std::cout << AIDE_SHOW, SORTIE_OK;
    if (!a.inconnue.empty() || a.valeur_manquante || a.mots.size() != 1) return std::cerr << AIDE_SHOW, SORTIE_USAGE;
    std::string texte;
    std::string raison;
    if (!LitFichierQuizz(a.mots[0], texte, raison)) return Echec(SORTIE_USAGE, raison);
    int n = BlocsDuFichier(texte);
    if (a.A("--questions")) {
        const std::string v = a.Valeur("--questions");
        if (v.empty() || v.size() > 2 || v.find_first_not_of("0123456789") != std::string::npos || std::stoi(v) > MAX_QUESTIONS)
            return Echec(SORTIE_USAGE, "--questions attend un nombre de 0 à 60");
        n = std::stoi(v);
    }
    Reglages classe;
    classe.NombreQuestions = n;
    auto jeu = std::make_unique<Partie>();
    PrepareQuizz(*jeu, n);
    ChargeQuizzTexte(texte, classe, *jeu);  // the bytes read above: the file is read once
    if (a.A("--json")) EnJson(std::cout, classe, *jeu, n);
    else EnTexte(std::cout, classe, *jeu, n);
    return SORTIE_OK;
}
