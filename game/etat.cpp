// The data functions' last-error text.
#include "etat.h"

char MessageErreur[512];
