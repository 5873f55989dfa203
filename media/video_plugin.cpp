// Loads the video decoder plug-in (libpivolette_video.so) on the first
// OpenVideo: beside the running program first, then in the install folder.
// ffmpeg's libraries come with it, so a program that never opens a video
// never maps them. The plug-in stays loaded until the program ends.
#include <string>

#include "plugin.h"
#include "video_decoder.h"

namespace {

constexpr const char* kPluginName = "libpivolette_video.so";

struct Plugin {
    bool tried = false;
    const PvVideoTable* table = nullptr;
    std::string why;
    std::string path;  // set by a test; "" the usual places
};

Plugin g_plugin;

bool RightVersion(const void* table) { return static_cast<const PvVideoTable*>(table)->version == kPvVersion; }

const PvVideoTable* Load(Plugin& p) {
    std::string why;
    const void* table = lc::LoadPlugin(kPluginName, kPvEntry, p.path, PIVOLETTE_VIDEO_RELDIR,
                                       PIVOLETTE_VIDEO_DIR, &RightVersion, why);
    if (!table) p.why = why;
    return static_cast<const PvVideoTable*>(table);
}

}  // namespace

namespace lc {

const PvVideoTable* VideoDecoder(std::string& why) {
    Plugin& p = g_plugin;
    if (!p.tried) {
        p.tried = true;
        p.table = Load(p);
    }
    why = std::move(p.why);  // told once
    p.why.clear();
    return p.table;
}

bool SetVideoPluginPath(const std::string& path) {
    g_plugin.path = path;
    g_plugin.tried = false;
    g_plugin.table = nullptr;
    g_plugin.why.clear();
    return true;
}

}  // namespace lc
