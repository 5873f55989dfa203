// Stub: being written.
#include "lumicanvas.h"
#include "internal.h"

void Delay(int /*milliseconds*/) {}
std::time_t ClockSeconds() { return 0; }
uint32_t ClockMillis() { return 0; }
