// The entry of the screen plug-in (module_ecran.h): the preview, as a
// command and as an operation.
#include "commandes.h"
#include "module_ecran.h"
#include "operations.h"

namespace {

constexpr TableEcran TABLE{VERSION_ECRAN, &CommandePreview, &ApercuQuestion, &ImageDuJeu, &FermeEcranDuJeu};

}  // namespace

extern "C" __attribute__((visibility("default"))) const TableEcran* pivolette_ecran_table() { return &TABLE; }
