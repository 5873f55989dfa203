// Media names resolved inside their folder.
#include "medias.h"
#include "chemins.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// The bytes 0x80 … 0x9F of Windows-1252; 0 marks the five undefined ones,
// kept as the control characters of the same number.
constexpr unsigned short TABLE_80_9F[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

bool EstUtf8(const std::string& t) {
    for (std::size_t k = 0; k < t.size();) {
        const auto c = static_cast<unsigned char>(t[k]);
        std::size_t suite = 0;
        if (c < 0x80) suite = 0;
        else if (c >= 0xC2 && c <= 0xDF) suite = 1;
        else if (c >= 0xE0 && c <= 0xEF) suite = 2;
        else if (c >= 0xF0 && c <= 0xF4) suite = 3;
        else return false;
        if (t.size() - k <= suite) return false;
        for (std::size_t s = 1; s <= suite; ++s) {
            if ((static_cast<unsigned char>(t[k + s]) & 0xC0) != 0x80) return false;
        }
        const auto o = suite > 0 ? static_cast<unsigned char>(t[k + 1]) : 0;
        if ((c == 0xE0 && o < 0xA0) || (c == 0xED && o > 0x9F) || (c == 0xF0 && o < 0x90) ||
            (c == 0xF4 && o > 0x8F))
            return false;
        k += 1 + suite;
    }
    return true;
}

void AjouteUtf8(std::string& s, unsigned point) {
    if (point < 0x80) {
        s += static_cast<char>(point);
    } else if (point < 0x800) {
        s += static_cast<char>(0xC0 | (point >> 6));
        s += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        s += static_cast<char>(0xE0 | (point >> 12));
        s += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (point & 0x3F));
    }
}

// A component ".." anywhere, or a name that starts at a root or a drive.
bool SortDuDossier(const std::string& nom) {
    if (nom[0] == '/' || nom[0] == '\\') return true;
    if (nom.size() >= 2 && nom[1] == ':') return true;
    std::size_t debut = 0;
    while (debut <= nom.size()) {
        std::size_t fin = nom.find_first_of("/\\", debut);
        if (fin == std::string::npos) fin = nom.size();
        if (nom.compare(debut, fin - debut, "..") == 0 && fin - debut == 2) return true;
        debut = fin + 1;
    }
    return false;
}

// True when `chemin` lies in `dossier` (both canonical).
bool Dedans(const fs::path& chemin, const fs::path& dossier) {
    auto d = dossier.begin();
    auto c = chemin.begin();
    for (; d != dossier.end(); ++d, ++c) {
        if (c == chemin.end() || *c != *d) return false;
    }
    return c != chemin.end();
}

}  // namespace

std::string NomMediaNatif(const std::string& nom) {
    if (EstUtf8(nom)) return nom;
    std::string s;
    for (char c : nom) {
        const auto o = static_cast<unsigned char>(c);
        const unsigned point = o >= 0x80 && o <= 0x9F && TABLE_80_9F[o - 0x80] != 0 ? TABLE_80_9F[o - 0x80] : o;
        AjouteUtf8(s, point);
    }
    return s;
}

MediaResolu ResoutMedia(const std::string& donnees, const std::string& dossier,
                        const std::string& nom) {
    MediaResolu r;
    if (nom.empty()) return r;  // no name: nothing to find
    if (nom.find('\0') != std::string::npos || SortDuDossier(nom)) {
        r.etat = EtatMedia::Refuse;
        r.raison = "le nom « " + NomMediaNatif(nom.substr(0, nom.find('\0'))) +
                   " » sort du dossier questions/" + dossier + " : le média n'est pas ouvert";
        return r;
    }
    const fs::path dans = CheminFs(donnees) / "questions" / CheminFs(dossier);
    const fs::path chemin = dans / CheminFs(NomMediaNatif(nom));
    std::error_code e;
    const fs::file_status etat = fs::status(chemin, e);
    if (e || !fs::is_regular_file(etat)) {
        r.chemin = Utf8DeChemin(chemin);
        return r;  // absent, or a folder: nothing to open
    }
    const fs::path vrai = fs::canonical(chemin, e);
    std::error_code e2;
    const fs::path racine = fs::canonical(dans, e2);
    if (e || e2 || !Dedans(vrai, racine)) {
        r.etat = EtatMedia::Refuse;
        r.raison = "questions/" + dossier + "/" + NomMediaNatif(nom) +
                   " est un lien qui sort du dossier : le média n'est pas ouvert";
        return r;
    }
    r.etat = EtatMedia::Trouve;
    r.chemin = Utf8DeChemin(chemin);
    return r;
}
