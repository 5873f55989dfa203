// Stub: being written.
#include "lumicanvas.h"
#include "internal.h"

void DrawFloodFill(int /*x*/, int /*y*/) {  }
