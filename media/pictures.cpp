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

#include "pictures.h"
#include <SDL_image.h>

namespace lc {
std::unique_ptr<Bitmap> DecodePicture(const std::string& bytes, const std::string& name) {
    SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    SurfacePtr loaded(rw ? IMG_Load_RW(rw, 1) : nullptr);
    if (!loaded) {
        Fail("cannot read the picture %s: %s", name.c_str(), IMG_GetError());
        return nullptr;
    }
    auto bitmap = std::make_unique<Bitmap>();
    bitmap->pixels.reset(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_ARGB8888, 0));
    if (!bitmap->pixels) return nullptr;
    return bitmap;
}
}  // namespace lc
