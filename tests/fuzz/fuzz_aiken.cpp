// The Aiken importer on any bytes.
#include <cstddef>
#include <cstdint>

#include "fuzz_importe.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ImporteEtVerifie(std::string(reinterpret_cast<const char*>(data), size), &LitAiken);
    return 0;
}
