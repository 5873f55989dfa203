// The pupil list reader on any bytes: never a crash, and an accepted list
// holds 1 to 60 pupils whose lines fit the list screen.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "classe.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string octets(reinterpret_cast<const char*>(data), size);
    std::vector<FicheListe> eleves;
    std::string raison;
    if (!AnalyseListe(octets, "infos_quizz_DEMO", eleves, raison)) {
        if (raison.empty() || !eleves.empty()) std::abort();
        return 0;
    }
    if (eleves.empty() || eleves.size() > MAX_JOUEURS) std::abort();
    for (const FicheListe& e : eleves) {
        if (e.nom.size() > NOM_ELEVE_MAX || e.prenom.size() > NOM_ELEVE_MAX || e.classe.size() > NOM_ELEVE_MAX)
            std::abort();
    }
    return 0;
}
