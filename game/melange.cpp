// The shuffle: the loaded quiz is reordered once, before the first question,
// by exchanging whole question records. The answers inside a question keep
// their order, so its right-answer number stays true.
#include <cstring>
#include <utility>

#include "etat.h"

namespace {

void EchangerReponse(FicheReponse& a, FicheReponse& b) {
    EchangerStr(a.Ligne1, b.Ligne1, sizeof a.Ligne1);
    EchangerStr(a.Ligne2, b.Ligne2, sizeof a.Ligne2);
    EchangerStr(a.Ligne3, b.Ligne3, sizeof a.Ligne3);
    EchangerStr(a.Image, b.Image, sizeof a.Image);
}

// Exchanges every field of two records, so that each holds what the other
// held.
void EchangerQuestions(FicheQuestion& a, FicheQuestion& b) {
    EchangerStr(a.Enonce1, b.Enonce1, sizeof a.Enonce1);
    EchangerStr(a.Enonce2, b.Enonce2, sizeof a.Enonce2);
    EchangerStr(a.Enonce3, b.Enonce3, sizeof a.Enonce3);
    for (int r = 0; r < 4; ++r) EchangerReponse(a.Reponse[r], b.Reponse[r]);
    EchangerStr(a.BonneReponse, b.BonneReponse, sizeof a.BonneReponse);
    EchangerStr(a.Image, b.Image, sizeof a.Image);
    EchangerStr(a.Son, b.Son, sizeof a.Son);
    EchangerStr(a.Video, b.Video, sizeof a.Video);
    std::swap(a.NumeroFichier, b.NumeroFichier);
}

}  // namespace

void EchangerStr(char* a, char* b, std::size_t taille) {
    char tampon[264];
    std::snprintf(tampon, sizeof tampon, "%s", a);
    std::snprintf(a, taille, "%s", b);
    std::snprintf(b, taille, "%s", tampon);
}

void MelangeQuestions(Partie& jeu, int nombreQuestions) {
    const int n = nombreQuestions > MAX_QUESTIONS ? MAX_QUESTIONS : nombreQuestions;
    // The records are in the file's order here: each keeps its place in the
    // file for the pupil's answers file.
    for (int q = 0; q < n; ++q) jeu.Question[q].NumeroFichier = q + 1;
    if (n < 2) return;  // nothing to reorder, and no second record to draw
    for (int passe = 0; passe < 2 * n; ++passe) {
        const int a = Random(n);
        // A second record other than a, in one draw: the same choice as
        // drawing again until it differs, without a loop that a stuck
        // generator could keep going.
        int b = Random(n - 1);
        if (b >= a) ++b;
        if (a < 0 || a >= n || b < 0 || b >= n) continue;
        EchangerQuestions(jeu.Question[a], jeu.Question[b]);
    }
}
