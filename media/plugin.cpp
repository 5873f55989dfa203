// Finding and loading a plug-in library of ours (plugin.h).
#include "plugin.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <vector>

namespace {

// The folder of the running program, with its final "/"; "" when unknown.
std::string ProgramFolder() {
    char exe[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n <= 0) return "";
    const std::string path(exe, static_cast<size_t>(n));
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

std::vector<std::string> Candidates(const std::string& file, const std::string& path,
                                    const std::string& relative_dir, const std::string& install_dir) {
    if (!path.empty()) return {path};
    std::vector<std::string> places;
    const std::string beside = ProgramFolder();
    if (!beside.empty()) {
        places.push_back(beside + file);
        places.push_back(beside + relative_dir + "/" + file);
    }
    places.push_back(install_dir + "/" + file);
    return places;
}

}  // namespace

namespace lc {

const void* LoadPlugin(const std::string& file, const char* entry, const std::string& path,
                       const std::string& relative_dir, const std::string& install_dir,
                       bool (*accept)(const void* table), std::string& why) {
    std::string reasons;
    for (const std::string& place : Candidates(file, path, relative_dir, install_dir)) {
        if (::access(place.c_str(), F_OK) != 0) continue;
        // Never closed: the plug-in's libraries may keep threads and tables.
        // Lazy: of the thousands of functions SDL and ffmpeg bring, a command
        // calls a few; their addresses are looked up when first called.
        void* handle = ::dlopen(place.c_str(), RTLD_LAZY | RTLD_LOCAL);
        if (!reasons.empty()) reasons += " ; ";
        if (!handle) {
            const char* e = ::dlerror();
            reasons += e ? e : place;
            continue;
        }
        using Entry = const void* (*)();
        auto function = reinterpret_cast<Entry>(::dlsym(handle, entry));
        const void* table = function ? function() : nullptr;
        if (table && accept(table)) return table;
        reasons += place + " n'est pas le bon module";
    }
    why = reasons.empty() ? "module " + file + " introuvable" : reasons;
    return nullptr;
}

}  // namespace lc
