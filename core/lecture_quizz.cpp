// The scrambled quiz file: codec, lines, records, check.
#include "lecture_quizz.h"

#include <cstring>

#include "classe.h"
#include "lecture.h"

namespace {

int QuestionsBornees(int questions) {
    if (questions < 0) return 0;
    return questions > MAX_QUESTIONS ? MAX_QUESTIONS : questions;
}

std::size_t LignesAttendues(int questions) {
    return static_cast<std::size_t>(LIGNES_ENTETE + LIGNES_PAR_QUESTION * QuestionsBornees(questions));
}

void RangeLigne(FicheQuizz& q, std::size_t n, const std::string& texte) {
    if (n == 0) q.titre = texte;
    if (n == 1) q.theme = texte;
    if (n < LIGNES_ENTETE) return;
    QuestionQuizz& question = q.questions[(n - LIGNES_ENTETE) / LIGNES_PAR_QUESTION];
    const std::size_t role = (n - LIGNES_ENTETE) % LIGNES_PAR_QUESTION;
    if (role == 0) {
        std::string medias[3];
        DecoupeLigne(texte, question.enonce, MARQUEURS_QUESTION, medias);
        question.image = medias[0];
        question.son = medias[1];
        question.video = medias[2];
    } else if (role <= 4) {
        ReponseQuizz& r = question.reponses[role - 1];
        DecoupeLigne(texte, r.lignes, MARQUEURS_REPONSE, &r.image);
    } else if (role == ROLE_BONNE_REPONSE) {
        // Only "1" … "4" name a right answer; anything else leaves none.
        question.bonne = !texte.empty() && texte[0] >= '1' && texte[0] <= '4' ? texte[0] : '\0';
    }
}

}  // namespace

void BrouilleQuizz(unsigned char* octets, std::size_t n) {
    for (std::size_t k = 0; k < n; ++k) octets[k] ^= CLE_QUIZZ;
}

void BrouilleQuizz(std::string& octets) {
    for (char& c : octets) c = static_cast<char>(static_cast<unsigned char>(c) ^ CLE_QUIZZ);
}

std::vector<LigneQuizzLue> LignesQuizz(const std::string& clair, std::size_t max) {
    std::vector<LigneQuizzLue> lignes;
    std::size_t debut = 0;
    while (debut < clair.size() && lignes.size() < max) {
        std::size_t fin = clair.find('\n', debut);
        if (fin == std::string::npos) fin = clair.size();
        LigneQuizzLue l;
        for (std::size_t k = debut; k < fin; ++k) {
            const char c = clair[k];
            if (c == '\0') l.anomalies |= LIGNE_NUL;
            else if (l.texte.size() < static_cast<std::size_t>(LIGNE_QUIZZ_MAX)) l.texte += c;
            else l.anomalies |= LIGNE_COUPEE;
        }
        // A CR before the LF comes from an editor's line ends, not from the text.
        if (!l.texte.empty() && l.texte.back() == '\r' && !(l.anomalies & LIGNE_COUPEE))
            l.texte.pop_back();
        lignes.push_back(std::move(l));
        debut = fin + 1;
    }
    return lignes;
}

void DecoupeLigne(const std::string& t, std::string lignes[3], const char* marqueurs,
                  std::string medias[]) {
    std::size_t debut = 0;
    int segment = 0;
    for (; segment < 2; ++segment) {
        const std::size_t barre = t.find('|', debut);
        if (barre == std::string::npos) break;
        lignes[segment] = t.substr(debut, barre - debut);
        debut = barre + 1;
    }
    for (int s = segment + 1; s < 3; ++s) lignes[s].clear();
    const std::size_t marque = t.find_first_of(marqueurs, debut);
    if (marque == std::string::npos) {
        lignes[segment] = t.substr(debut);
        return;
    }
    lignes[segment] = t.substr(debut, marque - debut);
    const char* quel = std::strchr(marqueurs, t[marque]);
    medias[quel - marqueurs] = t.substr(marque + 1);
}

FicheQuizz AnalyseQuizz(const std::string& clair, int questions) {
    FicheQuizz q;
    q.questions.resize(static_cast<std::size_t>(QuestionsBornees(questions)));
    const std::vector<LigneQuizzLue> lignes = LignesQuizz(clair, LignesAttendues(questions));
    for (std::size_t n = 0; n < lignes.size(); ++n) RangeLigne(q, n, lignes[n].texte);
    return q;
}

bool VerifieQuizz(const std::string& clair, int questions, const std::string& nom,
                  std::string& raison) {
    const std::size_t attendues = LignesAttendues(questions);
    const std::vector<LigneQuizzLue> lignes = LignesQuizz(clair, attendues);
    // The free last line of the last question is never used: it may be missing.
    const std::size_t lues = lignes.size();
    if (lues + (attendues > LIGNES_ENTETE ? 1 : 0) < attendues) {
        const std::size_t completes = lues < LIGNES_ENTETE ? 0 : (lues - LIGNES_ENTETE) / LIGNES_PAR_QUESTION;
        raison = "Le fichier de questions " + nom + " ne contient que " + std::to_string(completes) +
                 " question(s) complète(s) sur les " + std::to_string(questions) +
                 " annoncées par le fichier de réglages de la classe.";
        return false;
    }
    for (std::size_t n = LIGNES_ENTETE; n < lues; ++n) {
        if ((n - LIGNES_ENTETE) % LIGNES_PAR_QUESTION != ROLE_BONNE_REPONSE) continue;
        const std::string& t = lignes[n].texte;
        if (!t.empty() && t[0] >= '1' && t[0] <= '4') continue;
        raison = "Le fichier de questions " + nom + " : la question " +
                 std::to_string((n - LIGNES_ENTETE) / LIGNES_PAR_QUESTION + 1) +
                 " n'a pas de bonne réponse (sa sixième ligne doit commencer par 1, 2, 3 ou 4).";
        return false;
    }
    return true;
}

bool LitFichierQuizz(const std::string& chemin, std::string& clair, std::string& raison) {
    const ResultatLecture lu = LitFichierBorne(chemin, LIMITE_QUIZZ, clair);
    if (lu.echec == EchecLecture::Absent) {
        raison = "Le fichier de questions " + chemin + " est introuvable ou illisible.";
        return false;
    }
    if (!lu) {
        raison = lu.message;
        return false;
    }
    BrouilleQuizz(clair);
    return true;
}
