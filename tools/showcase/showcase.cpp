// Stub: being written.
#include "showcase.h"
#include "lumicanvas.h"
int ShowcaseMain() { return 0; }
