// The archives of pictures and fonts. Each program carries its artwork in a
// zip appended to its own executable: objects/NN.ext (NN the object's index)
// and fonts/*.ttf. minizip reads such a zip as it stands: it finds the
// central directory from the end of the file and takes the program in front
// of it as bytes before the archive.
//
// An archive is opened only while it is read and closed right after: GetData
// reads every object's bytes at once, the fonts are read one file at a time,
// and a later run in the same process (the tests) sees the archive as it is
// on disk then.
#include "lumicanvas.h"
#include "chemins.h"
#include "internal.h"
#include "pictures.h"

#include <minizip/unzip.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace {

std::string& FusedOverride() {
    static std::string path;
    return path;
}

// The file of the running executable, in UTF-8. SDL_GetBasePath gives only
// its folder, and InitGraph gets no argv[0], so ask the system.
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

// --- minizip's file access over a C++ file stream ------------------------------
// The file is named by a std::filesystem::path, which minizip passes through
// untouched: no 8-bit file name on Windows.

struct ArchiveStream {
    std::filebuf file;
    bool failed = false;
};

ArchiveStream& StreamOf(voidpf stream) { return *static_cast<ArchiveStream*>(stream); }

voidpf ZCALLBACK OpenStream(voidpf, const void* path, int mode) {
    if (!path || (mode & ZLIB_FILEFUNC_MODE_READWRITEFILTER) != ZLIB_FILEFUNC_MODE_READ)
        return nullptr;
    auto stream = std::make_unique<ArchiveStream>();
    if (!stream->file.open(*static_cast<const std::filesystem::path*>(path),
                           std::ios::in | std::ios::binary))
        return nullptr;
    return stream.release();  // minizip hands it back to CloseStream
}

uLong ZCALLBACK ReadStream(voidpf, voidpf stream, void* buffer, uLong size) {
    const std::streamsize got =
        StreamOf(stream).file.sgetn(static_cast<char*>(buffer), static_cast<std::streamsize>(size));
    if (got < 0) {
        StreamOf(stream).failed = true;
        return 0;
    }
    return static_cast<uLong>(got);
}

uLong ZCALLBACK WriteStream(voidpf, voidpf, const void*, uLong) { return 0; }

ZPOS64_T ZCALLBACK TellStream(voidpf, voidpf stream) {
    const std::streamoff at = StreamOf(stream).file.pubseekoff(0, std::ios::cur, std::ios::in);
    return at < 0 ? static_cast<ZPOS64_T>(-1) : static_cast<ZPOS64_T>(at);
}

long ZCALLBACK SeekStream(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
    std::ios::seekdir from = std::ios::beg;
    if (origin == ZLIB_FILEFUNC_SEEK_CUR) from = std::ios::cur;
    if (origin == ZLIB_FILEFUNC_SEEK_END) from = std::ios::end;
    const std::streamoff at =
        StreamOf(stream).file.pubseekoff(static_cast<std::streamoff>(offset), from, std::ios::in);
    return at < 0 ? -1 : 0;
}

int ZCALLBACK CloseStream(voidpf, voidpf stream) {
    std::unique_ptr<ArchiveStream> owned(static_cast<ArchiveStream*>(stream));
    return owned->file.close() ? 0 : -1;
}

int ZCALLBACK StreamError(voidpf, voidpf stream) { return StreamOf(stream).failed ? 1 : 0; }

struct ZipCloser {
    void operator()(void* zip) const { unzClose(zip); }
};
using ZipPtr = std::unique_ptr<void, ZipCloser>;

// Opens an archive (a zip, or a program with a zip appended); nullptr and
// `why` when it cannot be read.
ZipPtr OpenArchive(const std::string& path, std::string& why) {
    if (path.empty()) {
        why = "aucun chemin d'archive";
        return nullptr;
    }
    const std::filesystem::path file = CheminFs(path);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        why = "le fichier n'existe pas";
        return nullptr;
    }
    zlib_filefunc64_def access{};
    access.zopen64_file = OpenStream;
    access.zread_file = ReadStream;
    access.zwrite_file = WriteStream;
    access.ztell64_file = TellStream;
    access.zseek64_file = SeekStream;
    access.zclose_file = CloseStream;
    access.zerror_file = StreamError;
    ZipPtr zip(unzOpen2_64(&file, &access));
    if (!zip) why = "ce n'est pas une archive zip lisible";
    return zip;
}

// Archive objects and fonts are a few megabytes; anything near this is not ours.
constexpr ZPOS64_T kMaxArchiveFile = 256ULL * 1024 * 1024;

// The name of the archive's current file; false when it cannot be read or
// is too long to be one of ours.
bool CurrentName(void* zip, std::string& name) {
    std::array<char, 512> buffer{};
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(zip, &info, buffer.data(), buffer.size(), nullptr, 0, nullptr,
                                0) != UNZ_OK ||
        info.size_filename >= buffer.size())
        return false;
    name.assign(buffer.data(), info.size_filename);
    return true;
}

// Reads the archive's current file whole, its checksum checked.
bool ReadCurrent(void* zip, const std::string& name, std::string& bytes, std::string& why) {
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK ||
        info.uncompressed_size > kMaxArchiveFile) {
        why = name + " a une taille inutilisable";
        return false;
    }
    bytes.assign(static_cast<size_t>(info.uncompressed_size), '\0');
    bool ok = unzOpenCurrentFile(zip) == UNZ_OK;
    size_t done = 0;
    while (ok && done < bytes.size()) {
        const unsigned chunk = static_cast<unsigned>(std::min<size_t>(bytes.size() - done, 1u << 20));
        const int got = unzReadCurrentFile(zip, bytes.data() + done, chunk);
        if (got <= 0) ok = false;
        else done += static_cast<size_t>(got);
    }
    // Closing checks the CRC once the whole file has been read.
    if (unzCloseCurrentFile(zip) != UNZ_OK) ok = false;
    if (!ok) {
        why = name + " est illisible";
        bytes.clear();
    }
    return ok;
}

bool ReadNamed(void* zip, const std::string& name, std::string& bytes, std::string& why) {
    const std::string inside = name.starts_with('/') ? name.substr(1) : name;
    if (unzLocateFile(zip, inside.c_str(), 1) != UNZ_OK) {
        why = name + " n'est pas dans l'archive";
        return false;
    }
    return ReadCurrent(zip, name, bytes, why);
}

// The index of an object file "NN.ext" (any number of leading digits), or -1.
int ObjectIndex(const std::string& name) {
    size_t digits = 0;
    while (digits < name.size() && std::isdigit(static_cast<unsigned char>(name[digits]))) ++digits;
    if (digits == 0 || digits > 4 || digits >= name.size() || name[digits] != '.') return -1;
    if (name.find('/') != std::string::npos) return -1;
    return std::stoi(name.substr(0, digits));
}

// Reads every object of an open archive into `data`.
void ReadObjects(void* zip, Datafile& data) {
    const std::string folder = "objects/";
    for (int at = unzGoToFirstFile(zip); at == UNZ_OK; at = unzGoToNextFile(zip)) {
        std::string name;
        if (!CurrentName(zip, name) || !name.starts_with(folder)) continue;
        const int index = ObjectIndex(name.substr(folder.size()));
        if (index < 0) continue;
        const auto slot = static_cast<size_t>(index);
        if (slot >= data.names.size()) {
            data.names.resize(slot + 1);
            data.bytes.resize(slot + 1);
            data.bitmaps.resize(slot + 1);
            data.unreadable.resize(slot + 1, false);
        }
        if (!data.names[slot].empty()) {
            lc::Fail("GetData : %s contient deux objets numérotés %d ; %s est ignoré",
                     data.path.c_str(), index, name.substr(folder.size()).c_str());
            continue;
        }
        data.names[slot] = name;
        std::string why;
        if (!ReadCurrent(zip, name, data.bytes[slot], why)) {
            lc::Fail("GetData : %s : %s", data.path.c_str(), why.c_str());
            data.unreadable[slot] = true;
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
    std::string problem;
    const ZipPtr zip = OpenArchive(archive, problem);
    if (!zip) {
        why = archive + " : " + problem;
        return false;
    }
    return ReadNamed(zip.get(), name, bytes, why);
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
    std::string why;
    const ZipPtr zip = OpenArchive(data->path, why);
    if (!zip) {
        lc::Fail("GetData : impossible d'ouvrir l'archive \"%s\" : %s", data->path.c_str(),
                 why.c_str());
        return nullptr;
    }
    ReadObjects(zip.get(), *data);
    return data.release();
}

int DataCount(const Datafile* data) { return data ? static_cast<int>(data->names.size()) : 0; }

void UnloadDatafile(Datafile* data) { delete data; }
