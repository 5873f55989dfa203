// « Aperçu »: one question drawn by the game's renderer, with the fit
// warnings of its texts.
#include "fichiers.h"
#include "operations.h"
#include "quiz_json.h"
#include "ressources.h"

namespace {

// A PNG in base64, for the JSON answer.
std::string Base64(const std::string& octets) {
    static const char a[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string b;
    b.reserve((octets.size() + 2) / 3 * 4);
    for (std::size_t k = 0; k < octets.size(); k += 3) {
        const auto o = [&](std::size_t i) { return i < octets.size() ? static_cast<unsigned char>(octets[i]) : 0u; };
        const unsigned v = (o(k) << 16) | (o(k + 1) << 8) | o(k + 2);
        b += a[(v >> 18) & 63];
        b += a[(v >> 12) & 63];
        b += k + 1 < octets.size() ? a[(v >> 6) & 63] : '=';
        b += k + 2 < octets.size() ? a[v & 63] : '=';
    }
    return b;
}

}  // namespace

Reponse PostApercu(Atelier& a, const Requete& r) {
    if (a.dossier.empty()) return SansDossier();
    const Json corps = Json::parse(r.corps);
    Json quiz{{"titre", "Aperçu"}, {"theme", ""}, {"note", ""}, {"questions", Json::array({corps.at("question")})}};
    std::vector<Diagnostic> d;
    const std::string texte = TexteDuQuizz(quiz, d);
    std::string clair;
    if (!AUneErreur(d)) PrepareQuizzPourLeJeu(texte, NOM_QUIZ, Codage::Utf8, clair, d);
    if (AUneErreur(d)) return Refus(422, "Cette question ne peut pas être dessinée.", DiagnosticsJson(d, a.dossier));
    DemandeApercu demande{clair, a.donnees, 0, corps.value("largeur", 1024), corps.value("hauteur", 768), false};
    std::string png, erreur;
    if (!ApercuQuestion(demande, png, erreur)) return Refus(500, erreur);
    return EnJson({{"png", Base64(png)}, {"avertissements", DiagnosticsJson(d, a.dossier)}});
}
