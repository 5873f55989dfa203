#include "statique.h"

#include <filesystem>
#include <fstream>
#include <memory>

#include <minizip/unzip.h>

#include "chemins.h"

namespace {

// minizip's file access over a file stream opened by its UTF-8 path (wide on
// Windows), read only.
voidpf ZCALLBACK Ouvre(voidpf, const void* chemin, int mode) {
    if ((mode & ZLIB_FILEFUNC_MODE_READWRITEFILTER) != ZLIB_FILEFUNC_MODE_READ) return nullptr;
    auto f = std::make_unique<std::filebuf>();
    if (!f->open(*static_cast<const std::filesystem::path*>(chemin), std::ios::in | std::ios::binary)) return nullptr;
    return f.release();
}
std::filebuf& Flux(voidpf f) { return *static_cast<std::filebuf*>(f); }
uLong ZCALLBACK Lit(voidpf, voidpf f, void* tampon, uLong n) {
    const std::streamsize lus = Flux(f).sgetn(static_cast<char*>(tampon), static_cast<std::streamsize>(n));
    return lus < 0 ? 0 : static_cast<uLong>(lus);
}
uLong ZCALLBACK Ecrit(voidpf, voidpf, const void*, uLong) { return 0; }
ZPOS64_T ZCALLBACK Position(voidpf, voidpf f) {
    const std::streamoff p = Flux(f).pubseekoff(0, std::ios::cur, std::ios::in);
    return p < 0 ? static_cast<ZPOS64_T>(-1) : static_cast<ZPOS64_T>(p);
}
long ZCALLBACK Place(voidpf, voidpf f, ZPOS64_T decalage, int origine) {
    const std::ios::seekdir depuis = origine == ZLIB_FILEFUNC_SEEK_CUR   ? std::ios::cur
                                     : origine == ZLIB_FILEFUNC_SEEK_END ? std::ios::end
                                                                         : std::ios::beg;
    return Flux(f).pubseekoff(static_cast<std::streamoff>(decalage), depuis, std::ios::in) < 0 ? -1 : 0;
}
int ZCALLBACK Ferme(voidpf, voidpf f) {
    std::unique_ptr<std::filebuf> possede(static_cast<std::filebuf*>(f));
    return possede->close() ? 0 : -1;
}
int ZCALLBACK Faute(voidpf, voidpf) { return 0; }

constexpr uLong TAILLE_PAGE_MAX = 64 * 1024 * 1024;

// The archive's current file whole, its checksum checked on closing.
bool LitCourant(unzFile zip, uLong taille, std::string& octets) {
    octets.assign(taille, '\0');
    bool ok = unzOpenCurrentFile(zip) == UNZ_OK;
    for (std::size_t fait = 0; ok && fait < octets.size();) {
        const int lus = unzReadCurrentFile(zip, octets.data() + fait, static_cast<unsigned>(octets.size() - fait));
        ok = lus > 0;
        fait += ok ? static_cast<std::size_t>(lus) : 0;
    }
    return unzCloseCurrentFile(zip) == UNZ_OK && ok;
}

bool FinitPar(const std::string& t, const char* fin) {
    const std::string f = fin;
    return t.size() >= f.size() && t.compare(t.size() - f.size(), f.size(), f) == 0;
}

}  // namespace

std::string TypeMime(const std::string& nom) {
    static const std::pair<const char*, const char*> types[] = {
        {".html", "text/html; charset=utf-8"}, {".css", "text/css; charset=utf-8"},
        {".js", "text/javascript; charset=utf-8"}, {".mjs", "text/javascript; charset=utf-8"},
        {".json", "application/json; charset=utf-8"}, {".svg", "image/svg+xml"},
        {".png", "image/png"}, {".jpg", "image/jpeg"}, {".jpeg", "image/jpeg"}, {".gif", "image/gif"},
        {".ico", "image/x-icon"}, {".woff2", "font/woff2"}, {".woff", "font/woff"}, {".ttf", "font/ttf"},
        {".txt", "text/plain; charset=utf-8"}, {".mp3", "audio/mpeg"}, {".wav", "audio/wav"},
        {".mp4", "video/mp4"}, {".webp", "image/webp"}, {".bmp", "image/bmp"}};
    std::string bas = nom;
    for (char& c : bas) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const auto& [ext, type] : types) {
        if (FinitPar(bas, ext)) return type;
    }
    return "application/octet-stream";
}

bool ChargePages(Atelier& atelier, const std::string& programme, std::string& erreur) {
    const std::filesystem::path fichier = CheminFs(programme);
    zlib_filefunc64_def acces{Ouvre, Lit, Ecrit, Position, Place, Ferme, Faute, nullptr};
    std::unique_ptr<void, int (*)(unzFile)> zip(unzOpen2_64(&fichier, &acces), &unzClose);
    if (!zip) return erreur = programme + " : pas d'archive de pages", false;
    for (int r = unzGoToFirstFile(zip.get()); r == UNZ_OK; r = unzGoToNextFile(zip.get())) {
        char nom[512];
        unz_file_info64 info{};
        if (unzGetCurrentFileInfo64(zip.get(), &info, nom, sizeof nom, nullptr, 0, nullptr, 0) != UNZ_OK ||
            info.size_filename >= sizeof nom)
            continue;
        const std::string n(nom, info.size_filename);
        if (n.compare(0, 6, "pages/") != 0 || n.back() == '/' || info.uncompressed_size > TAILLE_PAGE_MAX) continue;
        Page page;
        if (!LitCourant(zip.get(), static_cast<uLong>(info.uncompressed_size), page.octets)) continue;
        page.type = TypeMime(n);
        page.etag = "\"" + VersionOctets(page.octets) + "\"";
        atelier.pages[n.substr(5)] = std::move(page);
    }
    if (atelier.pages.empty()) return erreur = programme + " : l'archive ne contient aucune page", false;
    return true;
}

Reponse ServirPage(Atelier& atelier, const Requete& requete) {
    const std::string chemin = requete.chemin == "/" ? "/index.html" : requete.chemin;
    const auto it = atelier.pages.find(chemin);
    if (it == atelier.pages.end()) return Refus(404, "Cette page n'existe pas dans l'atelier.");
    Reponse r;
    r.entetes.emplace_back("ETag", it->second.etag);
    r.entetes.emplace_back("Cache-Control", "no-cache");
    if (requete.Entete("if-none-match") == it->second.etag) {
        r.statut = 304;
        r.type = it->second.type;
        return r;
    }
    r.type = it->second.type;
    r.corps = it->second.octets;
    return r;
}
