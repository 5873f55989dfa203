// Stub: being written.
#include "lumicanvas.h"
#include "internal.h"

Bitmap* CreateBitmap(int /*w*/, int /*h*/) { return nullptr; }
void DestroyBitmap(Bitmap* /*bitmap*/) {  }
int BitmapWidth(const Bitmap* /*bitmap*/) { return 0; }
int BitmapHeight(const Bitmap* /*bitmap*/) { return 0; }
void Blit(const Bitmap* /*src*/, Bitmap* /*dst*/, int /*sx*/, int /*sy*/, int /*dx*/, int /*dy*/, int /*w*/, int /*h*/) {  }
void StretchBlit(const Bitmap* /*src*/, Bitmap* /*dst*/, int /*sx*/, int /*sy*/, int /*sw*/, int /*sh*/, int /*dx*/, int /*dy*/, int /*dw*/, int /*dh*/) {  }
Bitmap* GetImage(int /*x1*/, int /*y1*/, int /*x2*/, int /*y2*/) { return nullptr; }
void PutImage(const Bitmap* /*bitmap*/, int /*x*/, int /*y*/) {  }
void PutImageAdjust(const Bitmap* /*bitmap*/, int /*x*/, int /*y*/, int /*w*/, int /*h*/) {  }
void ShowPictureAdjust(const char* /*path*/, int /*x*/, int /*y*/, int /*w*/, int /*h*/) {  }
Bitmap* GetDataIMG(const char* /*path*/, int /*flags*/) { return nullptr; }
int ShowGIFAdjust(const char* /*path*/, int /*x*/, int /*y*/, int /*w*/, int /*h*/, int* /*state*/) { return 0; }
void FreeGIFS() {  }
