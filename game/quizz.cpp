// Stub: being written.
#include "grelinor.h"
#include "lumicanvas.h"
int GrelinorMain() { return 0; }
