// Stub: being written.
#include "lumicanvas.h"
#include "internal.h"

int Random(int /*n*/) { return 0; }
int UToUpper(int /*ch*/) { return 0; }
int UToLower(int /*ch*/) { return 0; }
void Message(const char* /*text*/) {  }
