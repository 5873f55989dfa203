// The results file reader on any bytes: never a memory error, and a file it
// accepts holds counts within their bounds and reads back the same once
// written again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "resultats.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string octets(reinterpret_cast<const char*>(data), size);
    FicheResultats fiche;
    const LectureResultats r = AnalyseResultats(octets, fiche);
    if (!r) {
        if (r.raison.empty()) std::abort();  // a refusal always says why
        return 0;
    }
    for (std::int64_t n : {fiche.bonnes, fiche.mauvaises, fiche.secondes})
        if (n < 0 || n > COMPTE_MAX) std::abort();
    if (fiche.nom.find_first_of("\r\n") != std::string::npos) return 0;  // not a name the game writes
    if (fiche.prenom.find_first_of("\r\n") != std::string::npos) return 0;
    if (fiche.classe.find_first_of("\r\n") != std::string::npos) return 0;
    FicheResultats relue;
    if (!AnalyseResultats(TexteResultats(fiche), relue) || relue.nom != fiche.nom ||
        relue.prenom != fiche.prenom || relue.classe != fiche.classe || relue.bonnes != fiche.bonnes ||
        relue.mauvaises != fiche.mauvaises || relue.secondes != fiche.secondes)
        std::abort();
    // The file name of any pupil stays inside the class folder.
    const std::string nom = NomFichierResultats(fiche.nom, fiche.prenom);
    if (nom.find('/') != std::string::npos || nom.find('\\') != std::string::npos || nom[0] == '.')
        std::abort();
    return 0;
}
