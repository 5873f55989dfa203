// The entry of the screen plug-in (module_ecran.h): the preview.
#include "commandes.h"
#include "module_ecran.h"

namespace {

constexpr TableEcran TABLE{VERSION_ECRAN, &CommandePreview};

}  // namespace

extern "C" __attribute__((visibility("default"))) const TableEcran* pivolette_ecran_table() { return &TABLE; }
