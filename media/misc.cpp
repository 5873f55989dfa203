// Stub: being written.
#include "lumicanvas.h"
#include "internal.h"

void Delay(int /*milliseconds*/) {  }
int Random(int /*n*/) { return 0; }
int UToUpper(int /*ch*/) { return 0; }
int UToLower(int /*ch*/) { return 0; }
void Message(const char* /*text*/) {  }
std::time_t ClockSeconds() { return 0; }
uint32_t ClockMillis() { return 0; }
