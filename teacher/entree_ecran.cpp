// The entry of the screen plug-in (module_ecran.h).
#include "commandes.h"
#include "mesure.h"
#include "module_ecran.h"

namespace {

constexpr TableEcran TABLE{VERSION_ECRAN, &MesureQuizz, &SurEcranMesure, &CommandePreview};

}  // namespace

extern "C" __attribute__((visibility("default"))) const TableEcran* pivolette_ecran_table() { return &TABLE; }
