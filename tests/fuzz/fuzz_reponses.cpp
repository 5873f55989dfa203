// The answers file reader on any bytes: never a memory error, a refusal
// always says why, and a file it accepts holds values within their bounds and
// reads back the same once written again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "classe.h"
#include "reponses.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string octets(reinterpret_cast<const char*>(data), size);
    FicheReponses fiche;
    const LectureReponses r = AnalyseReponses(octets, fiche);
    if (!r) {
        if (r.raison.empty()) std::abort();
        return 0;
    }
    for (const ReponseDonnee& d : fiche.reponses) {
        if (d.question < 1 || d.question > MAX_QUESTIONS || d.choix < 0 || d.choix > 4 || d.secondes < 0 ||
            d.secondes > TEMPS_REPONSE_MAX || (d.juste && d.choix == 0))
            std::abort();
    }
    if (fiche.titre.find('\r') != std::string::npos) return 0;  // not a title the game writes
    FicheReponses relue;
    if (!AnalyseReponses(TexteReponses(fiche), relue) || relue.titre != fiche.titre || relue.debut != fiche.debut ||
        relue.reponses.size() != fiche.reponses.size())
        std::abort();
    for (std::size_t k = 0; k < fiche.reponses.size(); ++k) {
        const ReponseDonnee& a = fiche.reponses[k];
        const ReponseDonnee& b = relue.reponses[k];
        if (a.question != b.question || a.choix != b.choix || a.juste != b.juste || a.secondes != b.secondes ||
            a.media != b.media)
            std::abort();
    }
    return 0;
}
