// What the pictures and the archive share: the bitmap itself and the decoder
// of picture files. Private to pictures.cpp and archive.cpp.
#pragma once

#include "internal.h"

#include <memory>
#include <string>
#include <vector>

// A picture held by the layer. `pixels` is 32-bit ARGB8888 (straight alpha) at
// the picture's intrinsic size. An SVG picture keeps its source as well, so
// that it can be rasterised again, crisp, at the size it is drawn at.
struct Bitmap {
    lc::SurfacePtr pixels;
    std::string svg;
    bool from_archive = false;  // belongs to a Datafile: DestroyBitmap leaves it
    unsigned version = 0;       // raised by every write into the pixels

    // The last rendition of the bitmap at a drawn size, so that a background
    // drawn every question at the same size is scaled once.
    mutable lc::SurfacePtr rendition;
    mutable int rendition_w = 0;
    mutable int rendition_h = 0;
    mutable unsigned rendition_version = 0;
};

// An opened archive of pictures (GetData): its objects' files, each decoded
// on first use (DataBitmap, in pictures.cpp, so that reading the archive
// alone needs no picture decoder).
struct Datafile {
    std::string path;
    std::vector<std::string> names;  // archive name of each object, "" when absent
    std::vector<std::string> bytes;  // the object's file, dropped once decoded
    std::vector<std::unique_ptr<Bitmap>> bitmaps;
    std::vector<bool> unreadable;  // decoding failed once: not tried again
};

namespace lc {

// Decodes a picture file held in memory (PNG, JPEG, GIF, BMP, WebP, SVG);
// `name` is used in messages. Pictures larger than MaxPictureSide() on their
// long side are scaled down; absurd pictures are refused. nullptr after
// lc::Fail when the bytes cannot be used.
std::unique_ptr<Bitmap> DecodePicture(const std::string& bytes, const std::string& name);

// The longest side a picture keeps once loaded.
constexpr int MaxPictureSide() { return 4096; }

// Reads the file of `archive` (a zip, possibly appended to an executable)
// named `name`; false when the archive or the file cannot be read, with the
// reason in `why`.
bool ReadArchiveFile(const std::string& archive, const std::string& name, std::string& bytes,
                     std::string& why);

}  // namespace lc
