// The entry of the text measure's plug-in (module_ecran.h).
#include "mesure.h"
#include "module_ecran.h"

namespace {

constexpr TableMesure TABLE{VERSION_ECRAN, &MesureQuizz, &SurEcranMesure};

}  // namespace

extern "C" __attribute__((visibility("default"))) const TableMesure* pivolette_mesure_table() { return &TABLE; }
