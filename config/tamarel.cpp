// Stub: being written.
#include "tamarel.h"
#include "lumicanvas.h"
int TamarelMain() { return 0; }
