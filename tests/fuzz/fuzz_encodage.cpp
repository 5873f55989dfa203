// The encoding rule and the conversions on any bytes: a refusal always
// points at a place in the file, an accepted text is UTF-8, and any
// Windows-1252 text goes to UTF-8 and back byte for byte.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "encodage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string octets(reinterpret_cast<const char*>(data), size);
    std::string utf8;
    DecisionCodage decision;
    TexteEnUtf8(octets, utf8, decision);
    if (decision.faute && (decision.ligne < 1 || decision.colonne < 1 || MessageCodage(decision).empty()))
        std::abort();
    if (!decision.faute && !EstUtf8(utf8)) std::abort();
    if (decision.codage == CodageTexte::Utf8 && !EstUtf8(octets)) std::abort();

    const std::string aller = Utf8De1252(octets);
    if (!EstUtf8(aller) || LongueurUtf8(aller) != octets.size()) std::abort();
    std::string retour;
    std::vector<FauteUtf8> fautes;
    if (!Utf8Vers1252(aller, retour, fautes) || retour != octets) std::abort();
    if (Cp1252DeUtf8(octets).size() > octets.size()) std::abort();
    return 0;
}
