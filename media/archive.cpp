// Stub: being written.
#include "lumicanvas.h"
#include "internal.h"

Datafile* GetData(const char* /*path*/) { return nullptr; }
Bitmap* DataBitmap(Datafile* /*data*/, int /*index*/) { return nullptr; }
int DataCount(const Datafile* /*data*/) { return 0; }
void UnloadDatafile(Datafile* /*data*/) {  }
