// The class settings reader on any bytes: never a crash, and what it accepts
// lies within the limits the game relies on.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "classe.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string octets(reinterpret_cast<const char*>(data), size);
    FicheReglages r;
    std::string raison;
    if (AnalyseReglages(octets, "infos_jeu_DEMO", r, raison)) {
        if (r.questions < 1 || r.questions > MAX_QUESTIONS || r.temps < 1 || r.temps > TEMPS_REPONSE_MAX)
            std::abort();
        if (r.questionnaire.size() > REGLAGE_TEXTE_MAX || r.theme.size() > REGLAGE_TEXTE_MAX ||
            r.entete.size() > REGLAGE_TEXTE_MAX)
            std::abort();
    } else if (raison.empty()) {
        std::abort();
    }
    return 0;
}
