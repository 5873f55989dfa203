// Stub: being written.
#include "lumicanvas.h"
#include "internal.h"

void PutPixel(int /*x*/, int /*y*/) {  }
void DrawLine(int /*x1*/, int /*y1*/, int /*x2*/, int /*y2*/) {  }
void DrawRectangle(int /*x1*/, int /*y1*/, int /*x2*/, int /*y2*/) {  }
void Rectangle(int /*x1*/, int /*y1*/, int /*x2*/, int /*y2*/) {  }
void DrawRectFill(int /*x1*/, int /*y1*/, int /*x2*/, int /*y2*/) {  }
void DrawCircle(int /*x*/, int /*y*/, int /*r*/) {  }
void DrawCircleFill(int /*x*/, int /*y*/, int /*r*/) {  }
void DrawArc(int /*x*/, int /*y*/, int /*from*/, int /*to*/, int /*r*/) {  }
void MoveTo(int /*x*/, int /*y*/) {  }
