#include "quiz_json.h"

#include "classe.h"
#include "encodage.h"
#include "lecture_quizz.h"

namespace {

// Display segments joined by "|", up to the last that holds text.
std::string Segments(const std::string lignes[3]) {
    int n = lignes[2].empty() ? (lignes[1].empty() ? 1 : 2) : 3;
    std::string t = Utf8De1252(lignes[0]);
    for (int k = 1; k < n; ++k) t += "|" + Utf8De1252(lignes[k]);
    return t;
}

Json Media(const QuestionQuizz& q) {
    if (!q.image.empty()) return {{"type", "image"}, {"nom", Utf8De1252(q.image)}};
    if (!q.son.empty()) return {{"type", "son"}, {"nom", Utf8De1252(q.son)}};
    if (!q.video.empty()) return {{"type", "video"}, {"nom", Utf8De1252(q.video)}};
    return nullptr;
}

Json QuestionJson(const QuestionQuizz& q) {
    Json reponses = Json::array();
    for (const ReponseQuizz& r : q.reponses) reponses.push_back({{"texte", Segments(r.lignes)}, {"image", Utf8De1252(r.image)}});
    return {{"question", Segments(q.enonce)}, {"media", Media(q)}, {"reponses", reponses},
            {"bonne", q.bonne >= '1' && q.bonne <= '4' ? q.bonne - '0' : 0}};
}

// The marker of a question's medium (UTF-8 of the Windows-1252 byte).
std::string Marqueur(const std::string& type) {
    if (type == "image") return "\u00A7";
    if (type == "son") return "\u00B5";
    if (type == "video") return "~";
    return "";
}

// One line of the text; a line break inside would shift every line after it.
void Ligne(std::string& texte, const std::string& valeur, int numero, std::vector<Diagnostic>& d) {
    if (valeur.find_first_of("\r\n") != std::string::npos) {
        d.push_back({NOM_QUIZ, numero, 0, true, "un texte tient sur une ligne : pas de retour à la ligne (« | » sépare les lignes affichées)"});
        texte += "\n";
        return;
    }
    texte += valeur + "\n";
}

void Question(std::string& t, const Json& q, int ligne, std::vector<Diagnostic>& d) {
    std::string enonce = q.at("question").get<std::string>();
    const Json& media = q.value("media", Json(nullptr));
    if (media.is_object() && !media.value("nom", std::string()).empty())
        enonce += Marqueur(media.at("type").get<std::string>()) + media.at("nom").get<std::string>();
    Ligne(t, enonce, ligne, d);
    const Json& reponses = q.at("reponses");
    for (std::size_t k = 0; k < 4; ++k) {
        const Json r = k < reponses.size() ? reponses[k] : Json::object();
        std::string texte = r.value("texte", std::string());
        const std::string image = r.value("image", std::string());
        if (!image.empty()) texte += "\u00A7" + image;
        Ligne(t, texte, ligne + 1 + static_cast<int>(k), d);
    }
    const int bonne = q.at("bonne").get<int>();
    Ligne(t, bonne >= 1 && bonne <= 4 ? std::to_string(bonne) : "", ligne + 5, d);
    t += "--\n";
}

}  // namespace

Json QuizzJson(const std::string& clair) {
    const std::vector<LigneQuizzLue> lignes = LignesQuizz(clair, static_cast<std::size_t>(-1));
    const int blocs = lignes.size() <= LIGNES_ENTETE ? 0
                      : static_cast<int>((lignes.size() - LIGNES_ENTETE + LIGNES_PAR_QUESTION - 1) / LIGNES_PAR_QUESTION);
    const FicheQuizz fiche = AnalyseQuizz(clair, blocs > MAX_QUESTIONS ? MAX_QUESTIONS : blocs);
    Json questions = Json::array();
    for (const QuestionQuizz& q : fiche.questions) questions.push_back(QuestionJson(q));
    return {{"titre", Utf8De1252(fiche.titre)}, {"theme", Utf8De1252(fiche.theme)},
            {"note", lignes.size() > 2 ? Utf8De1252(lignes[2].texte) : std::string()}, {"questions", questions}};
}

std::string TexteDuQuizz(const Json& quiz, std::vector<Diagnostic>& d) {
    std::string t;
    Ligne(t, quiz.value("titre", std::string()), 1, d);
    Ligne(t, quiz.value("theme", std::string()), 2, d);
    Ligne(t, quiz.value("note", std::string()), 3, d);
    int ligne = 4;
    for (const Json& q : quiz.at("questions")) Question(t, q, ligne, d), ligne += 7;
    return t;
}
