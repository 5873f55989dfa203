// The shared number readers on any bytes: never an overflow, and a strict
// reading always lies within the digits it allows.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "nombres.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string texte(reinterpret_cast<const char*>(data), size);
    std::int64_t valeur = 0;
    if (LitEntierStrict(texte.data(), texte.size(), 3, true, &valeur) && (valeur > 999 || valeur < -999))
        std::abort();
    const std::int64_t n = LitEntierSature(texte.c_str(), -1000, 1000);
    if (n < -1000 || n > 1000) std::abort();
    return 0;
}
