// The video decoder: reads a video file and hands out its pictures and its
// sound, one piece at a time, in the file's order. It is built on ffmpeg's
// libraries. On Linux it is a plug-in of its own (libpivolette_video.so) that
// the media layer loads on the first OpenVideo, so that a program that never
// opens a video never maps ffmpeg; elsewhere it is linked in. Either way the
// layer reaches it through this one table of plain C functions.
//
// The decoder has no thread of its own and draws nothing: the layer calls it
// from the program's thread.
#pragma once

#include <string>

extern "C" {

struct PvDecoder;  // one open file
struct PvPicture;  // one decoded picture, the layer's until it gives it back

struct PvVideoInfo {
    double length;     // seconds, as the file gives it; 0 when unknown
    int has_picture;   // 1 when the file has a picture stream
    int width;         // the picture's shape on screen (its pixels' shape applied)
    int height;
    int sample_rate;   // the sound's samples a second; 0 when no sound is decoded
    int channels;      // 1 or 2
};

enum PvPieceKind { kPvPicture = 1, kPvSound = 2 };

struct PvPiece {
    int kind;               // kPvPicture or kPvSound
    double time;            // seconds from the start of the video
    double duration;        // seconds the piece lasts (a picture: one picture's time)
    PvPicture* picture;     // a picture: the layer's, given back with release
    const void* samples;    // sound: signed 16-bit interleaved samples, valid until the next call
    int bytes;              // sound: the samples' size in bytes
};

struct PvVideoTable {
    int version;  // kPvVersion
    // Opens the file; nullptr with the reason in `why` when it holds nothing
    // that can be played. `with_sound` 0 leaves the sound undecoded.
    PvDecoder* (*open)(const char* path, int with_sound, char* why, int why_size);
    void (*describe)(const PvDecoder* d, PvVideoInfo* info);
    // The next piece: 1 with `piece` filled, 0 at the end of the file.
    int (*next)(PvDecoder* d, PvPiece* piece);
    // Scales the picture to w x h XRGB8888 pixels (32-bit words 0x00RRGGBB);
    // 0 when it could not.
    int (*scale)(PvDecoder* d, const PvPicture* picture, void* pixels, int pitch, int w, int h);
    void (*release)(PvPicture* picture);
    void (*close)(PvDecoder* d);
};

// The plug-in's one exported symbol.
const PvVideoTable* pivolette_video_table(void);
}

inline constexpr int kPvVersion = 1;
inline constexpr const char* kPvEntry = "pivolette_video_table";

namespace lc {

// The decoder's table, loaded on the first call; nullptr when video is
// unavailable (no plug-in, or ffmpeg's libraries missing), with the reason
// in `why` the first time only. Later calls give the same answer without
// trying again.
const PvVideoTable* VideoDecoder(std::string& why);
// Where the plug-in is looked for ("" goes back to beside the program, then
// the install folder); forgets the last answer so that the next call tries
// again. False when the decoder is linked in: there is nothing to load.
bool SetVideoPluginPath(const std::string& path);

}  // namespace lc
