// Stub: being written.
#include "lumicanvas.h"
#include "internal.h"

int InitSound() { return 0; }
void CloseSound() {  }
int PlaySnd(const char* /*path*/, int /*flags*/) { return 0; }
void StopSnd(const char* /*path*/) {  }
