// « Le quiz »: read from the scrambled file the game reads (its text beside
// the folder says the same when in step), written to both at once through
// the checks of `encode`.
#include "arbre.h"
#include "chemins.h"
#include "controle_quizz.h"
#include "ecriture.h"
#include "fichiers.h"
#include "lecture_quizz.h"
#include "operations.h"
#include "quiz_json.h"
#include "ressources.h"

namespace {

// The two files of the quiz: the scrambled one and the teacher's text.
struct Quizz {
    std::string chemin, chemin_texte;
    FichierLu brouille, texte;
};

Quizz LitLesDeux(const Atelier& a) {
    Quizz q;
    q.chemin = CheminDonnees(a, FICHIER_QUIZZ);
    q.chemin_texte = Utf8DeChemin(CheminFs(a.dossier) / "quiz.txt");
    q.brouille = LitAvecVersion(q.chemin, LIMITE_QUIZZ);
    q.texte = LitAvecVersion(q.chemin_texte, LIMITE_QUIZZ);
    return q;
}

// The plain text shown: the game's file; without it, the teacher's text.
std::string Clair(const Quizz& q, std::vector<Diagnostic>& d) {
    std::string clair, depuis_texte;
    std::vector<Diagnostic> refus;
    const bool texte_lu = q.texte.lecture && TexteClairQuizz(q.texte.octets, q.chemin_texte, Codage::Auto, depuis_texte, refus);
    if (q.brouille.lecture) {
        clair = q.brouille.octets;
        BrouilleQuizz(clair);
        if (q.texte.lecture && (!texte_lu || depuis_texte != clair))
            d.push_back({q.chemin_texte, 0, 0, false, "ce texte n'est pas le quiz brouillé que jouent les élèves : la page "
                                                     "montre le quiz brouillé, et « Enregistrer » écrit les deux"});
        return clair;
    }
    if (!q.brouille.Absent()) d.push_back({q.chemin, 0, 0, true, q.brouille.lecture.message});
    d.insert(d.end(), refus.begin(), refus.end());
    return texte_lu ? depuis_texte : std::string();
}

}  // namespace

Reponse GetQuiz(Atelier& a, const Requete&) {
    if (a.dossier.empty()) return SansDossier();
    const Quizz q = LitLesDeux(a);
    std::vector<Diagnostic> d;
    const std::string clair = Clair(q, d);
    if (!clair.empty()) ControleTexteQuizz(clair, q.brouille.lecture ? q.chemin : q.chemin_texte, -1, "", d, nullptr);
    Json reponse = QuizzJson(clair);
    reponse["version"] = q.brouille.version;
    reponse["version_texte"] = q.texte.version;
    reponse["diagnostics"] = DiagnosticsJson(d, a.dossier);
    return EnJson(reponse);
}

Reponse PutQuiz(Atelier& a, const Requete& r) {
    if (a.dossier.empty()) return SansDossier();
    const Json corps = Json::parse(r.corps);
    std::vector<Diagnostic> d;
    const std::string texte = TexteDuQuizz(corps, d);
    std::string clair;
    if (!AUneErreur(d)) PrepareQuizzPourLeJeu(texte, NOM_QUIZ, Codage::Utf8, clair, d);
    if (AUneErreur(d)) return Refus(422, "Quiz refusé : le jeu ne le lirait pas ainsi.", DiagnosticsJson(d, a.dossier));
    const Quizz q = LitLesDeux(a);
    if (q.brouille.version != corps.at("version").get<std::string>()) return Perime(q.brouille.version);
    if (q.texte.version != corps.value("version_texte", std::string(VERSION_ABSENT))) return Perime(q.texte.version);
    std::string brouille = clair, erreur;
    BrouilleQuizz(brouille);
    if (!EcritFichierSur(q.chemin, brouille, erreur)) return Refus(500, erreur);
    // Saved all the same: the teacher may copy the file in afterwards.
    std::vector<Diagnostic> medias;
    ControleMediasQuizz(a.donnees, clair, NOM_QUIZ, medias);
    for (Diagnostic& m : medias) d.push_back((m.erreur = false, m));
    Json reponse{{"version", VersionOctets(brouille)}, {"version_texte", q.texte.version},
                 {"diagnostics", DiagnosticsJson(d, a.dossier)}};
    if (!q.texte.Absent()) {
        if (!EcritFichierSur(q.chemin_texte, texte, erreur)) return Refus(500, "Quiz brouillé enregistré, mais pas son texte : " + erreur);
        reponse["version_texte"] = VersionOctets(texte);
    }
    return EnJson(reponse);
}
