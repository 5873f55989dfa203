// Small picture files and zip archives made by the tests themselves.
#pragma once

#include "internal.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace picture_files {

// A w x h ARGB surface whose pixel (x, y) is argb(x, y).
inline lc::SurfacePtr Surface(int w, int h, const std::function<uint32_t(int, int)>& argb) {
    lc::SurfacePtr s(SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888));
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(s->pixels) + y * s->pitch);
        for (int x = 0; x < w; ++x) row[x] = argb(x, y);
    }
    return s;
}

inline std::string ReadAll(const std::filesystem::path& path) {
    SDL_RWops* rw = SDL_RWFromFile(path.string().c_str(), "rb");
    if (!rw) return {};
    std::string bytes(static_cast<size_t>(SDL_RWsize(rw)), '\0');
    SDL_RWread(rw, bytes.data(), 1, bytes.size());
    SDL_RWclose(rw);
    return bytes;
}

// Writes a PNG of w x h whose pixel (x, y) is argb(x, y); returns its bytes.
inline std::string Png(const std::filesystem::path& path, int w, int h,
                       const std::function<uint32_t(int, int)>& argb) {
    lc::SurfacePtr s = Surface(w, h, argb);
    IMG_SavePNG(s.get(), path.string().c_str());
    return ReadAll(path);
}

inline std::string SolidPng(const std::filesystem::path& path, int w, int h, uint32_t argb) {
    return Png(path, w, h, [argb](int, int) { return argb; });
}

// A GIF of w x h whose frames are each filled with one colour (0xRRGGBB).
// The picture data uses a clear code before every pixel, which keeps the
// codes three bits wide: large, but valid and simple.
inline std::string SolidGif(int w, int h, const std::vector<uint32_t>& frame_colours) {
    std::string gif = "GIF89a";
    const auto le16 = [&gif](int v) {
        gif += static_cast<char>(v & 0xFF);
        gif += static_cast<char>((v >> 8) & 0xFF);
    };
    le16(w);
    le16(h);
    gif += '\xF1';  // global table of 4 colours
    gif += '\0';
    gif += '\0';
    for (size_t i = 0; i < 4; ++i) {
        const uint32_t c = i < frame_colours.size() ? frame_colours[i] : 0;
        gif += static_cast<char>(c >> 16);
        gif += static_cast<char>(c >> 8);
        gif += static_cast<char>(c);
    }
    gif += "\x21\xFF\x0BNETSCAPE2.0\x03\x01";  // loop for ever
    le16(0);
    gif += '\0';
    for (size_t f = 0; f < frame_colours.size(); ++f) {
        gif += "\x21\xF9\x04";  // 100 ms per frame, no disposal
        gif += '\x04';
        le16(10);
        gif += '\0';
        gif += '\0';
        gif += ',';
        le16(0);
        le16(0);
        le16(w);
        le16(h);
        gif += '\0';
        gif += '\x02';  // minimum code size
        std::string data;
        uint32_t bits = 0;
        int nbits = 0;
        const auto code = [&](uint32_t c) {
            bits |= c << nbits;
            nbits += 3;
            while (nbits >= 8) {
                data += static_cast<char>(bits & 0xFF);
                bits >>= 8;
                nbits -= 8;
            }
        };
        for (int p = 0; p < w * h; ++p) {
            code(4);
            code(static_cast<uint32_t>(f % 4));
        }
        code(5);
        if (nbits > 0) data += static_cast<char>(bits & 0xFF);
        for (size_t at = 0; at < data.size(); at += 255) {
            const size_t n = std::min<size_t>(255, data.size() - at);
            gif += static_cast<char>(n);
            gif += data.substr(at, n);
        }
        gif += '\0';
    }
    gif += ';';
    return gif;
}

// A JPEG with an EXIF block saying how the camera was held (1 to 8).
inline std::string WithOrientation(const std::string& jpeg, int orientation, bool little) {
    std::string tiff =
        little ? std::string("II*\0\x08\0\0\0", 8) : std::string("MM\0*\0\0\0\x08", 8);
    const auto u16 = [little](int v) {
        const char lo = static_cast<char>(v & 0xFF), hi = static_cast<char>(v >> 8);
        return little ? std::string{lo, hi} : std::string{hi, lo};
    };
    // One entry before it (the camera's make), so the search is tested too.
    tiff += u16(2) + u16(0x010F) + u16(2) + u16(4) + u16(0) + std::string("abc\0", 4);
    tiff += u16(0x0112) + u16(3) + u16(1) + u16(0) + u16(orientation) + u16(0);
    tiff += std::string(4, '\0');
    const std::string app = std::string("Exif\0\0", 6) + tiff;
    const size_t length = app.size() + 2;
    const std::string segment = std::string("\xFF\xE1", 2) + static_cast<char>(length >> 8) +
                                static_cast<char>(length & 0xFF) + app;
    return jpeg.substr(0, 2) + segment + jpeg.substr(2);
}

// A zip of uncompressed entries, as minizip reads it.
inline std::string StoredZip(const std::vector<std::pair<std::string, std::string>>& files) {
    std::string zip, central;
    const auto le = [](std::string& s, uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    for (const auto& [name, bytes] : files) {
        const uint32_t crc = SDL_crc32(0, bytes.data(), bytes.size());
        const auto offset = static_cast<uint32_t>(zip.size());
        const auto size = static_cast<uint32_t>(bytes.size());
        const auto name_len = static_cast<uint32_t>(name.size());
        le(zip, 0x04034b50, 4);
        le(zip, 10, 2);
        le(zip, 0, 2);
        le(zip, 0, 2);  // stored
        le(zip, 0, 4);  // time, date
        le(zip, crc, 4);
        le(zip, size, 4);
        le(zip, size, 4);
        le(zip, name_len, 2);
        le(zip, 0, 2);
        zip += name + bytes;
        le(central, 0x02014b50, 4);
        le(central, 20, 2);
        le(central, 10, 2);
        le(central, 0, 2);
        le(central, 0, 2);
        le(central, 0, 4);
        le(central, crc, 4);
        le(central, size, 4);
        le(central, size, 4);
        le(central, name_len, 2);
        le(central, 0, 2);
        le(central, 0, 2);
        le(central, 0, 2);
        le(central, 0, 2);
        le(central, 0, 4);
        le(central, offset, 4);
        central += name;
    }
    const auto central_at = static_cast<uint32_t>(zip.size());
    zip += central;
    le(zip, 0x06054b50, 4);
    le(zip, 0, 2);
    le(zip, 0, 2);
    le(zip, static_cast<uint32_t>(files.size()), 2);
    le(zip, static_cast<uint32_t>(files.size()), 2);
    le(zip, static_cast<uint32_t>(central.size()), 4);
    le(zip, central_at, 4);
    le(zip, 0, 2);
    return zip;
}

// An SVG of w x h user units: left half red, right half blue.
inline std::string HalvesSvg(int w, int h) {
    const std::string W = std::to_string(w), H = std::to_string(h), half = std::to_string(w / 2);
    return "<svg xmlns='http://www.w3.org/2000/svg' width='" + W + "' height='" + H +
           "' viewBox='0 0 " + W + " " + H + "'><rect x='0' y='0' width='" + half + "' height='" +
           H + "' fill='#FF0000'/><rect x='" + half + "' y='0' width='" + half + "' height='" + H +
           "' fill='#0000FF'/></svg>";
}

}  // namespace picture_files
