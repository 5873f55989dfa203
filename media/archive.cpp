// The archives of pictures and fonts. Each program carries its artwork in a
// zip appended to its own executable: objects/NN.ext (NN the object's index)
// and fonts/*.ttf. PhysicsFS reads such a zip as it stands, with the program
// in front of it.
//
// PhysicsFS keeps one search path for the whole process, so an archive is
// mounted only while it is read, at a mount point of its own, and unmounted
// right after: GetData reads every object's bytes at once, the fonts are read
// one file at a time, and a later run in the same process (the tests) sees
// the archive as it is on disk then.
#include "lumicanvas.h"
#include "internal.h"
#include "pictures.h"

#include <physfs.h>

#include <cctype>
#include <filesystem>
#include <map>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#endif

struct Datafile {
    std::string path;
    std::vector<std::string> names;  // archive name of each object, "" when absent
    std::vector<std::string> bytes;  // the object's file, dropped once decoded
    std::vector<std::unique_ptr<Bitmap>> bitmaps;
    std::vector<bool> unreadable;  // decoding failed once: not tried again
};

namespace {

std::string& FusedOverride() {
    static std::string path;
    return path;
}

// The file of the running executable. SDL_GetBasePath and PHYSFS_getBaseDir
// give only its folder, and InitGraph gets no argv[0], so ask the system.
std::string RunningExecutable() {
#if defined(_WIN32)
    std::wstring wide(32768, L'\0');
    const DWORD n = GetModuleFileNameW(nullptr, wide.data(), static_cast<DWORD>(wide.size()));
    if (n == 0 || n >= wide.size()) return {};
    const int len = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(n), nullptr, 0,
                                        nullptr, nullptr);
    std::string utf8(static_cast<size_t>(len), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(n), utf8.data(), len, nullptr,
                        nullptr);
    return utf8;
#else
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.string();
#endif
}

const char* PhysFsError() { return PHYSFS_getErrorByCode(PHYSFS_getLastErrorCode()); }

// PhysicsFS is started once for the process and left running.
bool PhysFsReady(std::string& why) {
    if (PHYSFS_isInit()) return true;
    if (PHYSFS_init(nullptr)) return true;
    why = std::string("impossible de démarrer PhysicsFS : ") + PhysFsError();
    return false;
}

// An archive mounted for as long as this object lives. When the same file is
// already mounted (by a caller up the stack), its mount point is shared and
// left mounted.
class MountedArchive {
public:
    explicit MountedArchive(const std::string& path) : path_(path) {
        if (!PhysFsReady(why_)) return;
        if (path.empty()) {
            why_ = "aucun chemin d'archive";
            return;
        }
        std::error_code ec;
        if (!std::filesystem::is_regular_file(path, ec)) {
            why_ = "le fichier n'existe pas";
            return;
        }
        if (const char* existing = PHYSFS_getMountPoint(path.c_str())) {
            root_ = existing;
            ok_ = true;
            return;
        }
        static unsigned counter = 0;
        root_ = "/pivolette-archive-" + std::to_string(counter++) + "/";
        if (!PHYSFS_mount(path.c_str(), root_.c_str(), 1)) {
            why_ = std::string("ce n'est pas une archive zip lisible (") + PhysFsError() + ")";
            return;
        }
        ok_ = owned_ = true;
    }
    ~MountedArchive() {
        if (owned_) PHYSFS_unmount(path_.c_str());
    }
    MountedArchive(const MountedArchive&) = delete;
    MountedArchive& operator=(const MountedArchive&) = delete;

    bool ok() const { return ok_; }
    const std::string& why() const { return why_; }
    // The name inside the archive as PhysicsFS sees it.
    std::string Inside(const std::string& name) const {
        return root_ + (name.starts_with('/') ? name.substr(1) : name);
    }

private:
    std::string path_;
    std::string root_;
    std::string why_;
    bool ok_ = false;
    bool owned_ = false;
};

struct PhysFile {
    void operator()(PHYSFS_File* f) const { PHYSFS_close(f); }
};

// Archive objects and fonts are a few megabytes; anything near this is not ours.
constexpr PHYSFS_sint64 kMaxArchiveFile = 256LL * 1024 * 1024;

bool ReadMounted(const MountedArchive& archive, const std::string& name, std::string& bytes,
                 std::string& why) {
    std::unique_ptr<PHYSFS_File, PhysFile> file(PHYSFS_openRead(archive.Inside(name).c_str()));
    if (!file) {
        why = name + " n'est pas dans l'archive";
        return false;
    }
    const PHYSFS_sint64 length = PHYSFS_fileLength(file.get());
    if (length < 0 || length > kMaxArchiveFile) {
        why = name + " a une taille inutilisable";
        return false;
    }
    bytes.resize(static_cast<size_t>(length));
    if (PHYSFS_readBytes(file.get(), bytes.data(), static_cast<PHYSFS_uint64>(length)) != length) {
        why = name + " est illisible (" + PhysFsError() + ")";
        bytes.clear();
        return false;
    }
    return true;
}

// The index of an object file "NN.ext" (any number of leading digits), or -1.
int ObjectIndex(const std::string& name) {
    size_t digits = 0;
    while (digits < name.size() && std::isdigit(static_cast<unsigned char>(name[digits]))) ++digits;
    if (digits == 0 || digits > 4 || digits >= name.size() || name[digits] != '.') return -1;
    return std::stoi(name.substr(0, digits));
}

// Reads every object of a mounted archive into `data`.
void ReadObjects(const MountedArchive& archive, Datafile& data) {
    char** list = PHYSFS_enumerateFiles(archive.Inside("objects").c_str());
    if (!list) return;
    for (char** entry = list; *entry; ++entry) {
        const std::string name = *entry;
        const int index = ObjectIndex(name);
        if (index < 0) continue;
        const auto slot = static_cast<size_t>(index);
        if (slot >= data.names.size()) data.names.resize(slot + 1);
        if (!data.names[slot].empty()) {
            lc::Fail("GetData : %s contient deux objets numérotés %d ; %s est ignoré",
                     data.path.c_str(), index, name.c_str());
            continue;
        }
        data.names[slot] = "objects/" + name;
    }
    PHYSFS_freeList(list);
    data.bytes.resize(data.names.size());
    data.bitmaps.resize(data.names.size());
    data.unreadable.assign(data.names.size(), false);
    for (size_t i = 0; i < data.names.size(); ++i) {
        std::string why;
        if (data.names[i].empty()) continue;
        if (!ReadMounted(archive, data.names[i], data.bytes[i], why)) {
            lc::Fail("GetData : %s : %s", data.path.c_str(), why.c_str());
            data.unreadable[i] = true;
        }
    }
}

}  // namespace

namespace lc {

void SetFusedArchivePath(const std::string& path) { FusedOverride() = path; }

std::string FusedArchivePath() {
    return FusedOverride().empty() ? RunningExecutable() : FusedOverride();
}

bool ReadArchiveFile(const std::string& archive, const std::string& name, std::string& bytes,
                     std::string& why) {
    MountedArchive mounted(archive);
    if (!mounted.ok()) {
        why = archive + " : " + mounted.why();
        return false;
    }
    return ReadMounted(mounted, name, bytes, why);
}

bool ReadFromArchive(const std::string& name, std::string& bytes) {
    std::string why;
    return ReadArchiveFile(FusedArchivePath(), name, bytes, why);
}

}  // namespace lc

Datafile* GetData(const char* path) {
    if (!path || !*path) {
        lc::Fail("GetData : aucun nom d'archive");
        return nullptr;
    }
    auto data = std::make_unique<Datafile>();
    data->path = std::string(path) == "#" ? lc::FusedArchivePath() : lc::NativePath(path);
    MountedArchive mounted(data->path);
    if (!mounted.ok()) {
        lc::Fail("GetData : impossible d'ouvrir l'archive \"%s\" : %s", data->path.c_str(),
                 mounted.why().c_str());
        return nullptr;
    }
    ReadObjects(mounted, *data);
    return data.release();
}

Bitmap* DataBitmap(Datafile* data, int index) {
    if (!data || index < 0 || static_cast<size_t>(index) >= data->names.size()) return nullptr;
    const auto i = static_cast<size_t>(index);
    if (data->bitmaps[i]) return data->bitmaps[i].get();
    if (data->names[i].empty() || data->unreadable[i]) return nullptr;
    data->bitmaps[i] = lc::DecodePicture(data->bytes[i], data->path + ":" + data->names[i]);
    std::string().swap(data->bytes[i]);
    if (!data->bitmaps[i]) {
        data->unreadable[i] = true;
        return nullptr;
    }
    data->bitmaps[i]->from_archive = true;
    return data->bitmaps[i].get();
}

int DataCount(const Datafile* data) { return data ? static_cast<int>(data->names.size()) : 0; }

void UnloadDatafile(Datafile* data) { delete data; }
