// Loads the video decoder plug-in (libpivolette_video.so) on the first
// OpenVideo: beside the running program first, then in the install folder.
// ffmpeg's libraries come with it, so a program that never opens a video
// never maps them. The plug-in stays loaded until the program ends.
#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <string>
#include <vector>

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

// The folder of the running program, with its final "/"; "" when unknown.
std::string ProgramFolder() {
    char exe[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n <= 0) return "";
    const std::string path(exe, static_cast<size_t>(n));
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

std::vector<std::string> Candidates(const Plugin& p) {
    if (!p.path.empty()) return {p.path};
    std::vector<std::string> places;
    const std::string beside = ProgramFolder();
    if (!beside.empty()) {
        places.push_back(beside + kPluginName);
        // An installed program: bin/../lib/pivolette, wherever the tree was put.
        places.push_back(beside + PIVOLETTE_VIDEO_RELDIR + "/" + kPluginName);
    }
    places.push_back(std::string(PIVOLETTE_VIDEO_DIR) + "/" + kPluginName);
    return places;
}

const PvVideoTable* Load(Plugin& p) {
    std::string reasons;
    for (const std::string& place : Candidates(p)) {
        if (::access(place.c_str(), F_OK) != 0) continue;
        // Held for the rest of the program: ffmpeg keeps threads and tables.
        void* handle = ::dlopen(place.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!reasons.empty()) reasons += " ; ";
        if (!handle) {
            const char* e = ::dlerror();
            reasons += e ? e : place;
            continue;
        }
        using Entry = const PvVideoTable* (*)();
        auto entry = reinterpret_cast<Entry>(::dlsym(handle, kPvEntry));
        const PvVideoTable* table = entry ? entry() : nullptr;
        if (table && table->version == kPvVersion) return table;
        reasons += place + " n'est pas le bon module vidéo";
    }
    p.why = reasons.empty() ? std::string("module ") + kPluginName + " introuvable" : reasons;
    return nullptr;
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
