// Stub: being written.
#include "lumicanvas.h"
#include "internal.h"

int ModeAccessFile(const char* /*path*/, int /*mode*/) { return 0; }
FILE* WaitAccessFile(const char* /*path*/, int /*mode*/) { return nullptr; }
int GetDataValue(const char* /*path*/, const char* /*key*/, const char** /*value*/) { return 0; }
