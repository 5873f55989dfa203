// LCConfig.txt on any bytes: never a crash; a value is either used as read
// or reported and replaced by its default.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "lcconfig.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string octets(reinterpret_cast<const char*>(data), size);
    const ConfigAffichage c = AnalyseConfig(octets);
    std::string valeur;
    if (!ValeurDeCle(octets, "RESOLUTION_PREDEFINIE", valeur) && c.code != 9) std::abort();
    int code = 9;
    std::string problemes;
    const bool lu = LitReglageConfig(octets, "RESOLUTION_PREDEFINIE", code, problemes);
    if (code != c.code || (!lu && code != 9) || (lu && !problemes.empty())) std::abort();
    return 0;
}
