// The quiz's media: listed, served, and uploaded under a safe name into
// their folder, their type known from their bytes, a picture opened by the
// game's own decoder first.
#include <algorithm>
#include <cctype>
#include <filesystem>

#include "chemins.h"
#include "ecriture.h"
#include "fichiers.h"
#include "medias.h"
#include "operations.h"
#include "ressources.h"
#include "routes.h"
#include "statique.h"

namespace fs = std::filesystem;

namespace {

struct Genre {
    const char* dossier;   // under questions/
    const char* cle;       // in the JSON list
    std::size_t limite;
};
const Genre GENRES[] = {{"images", "images", LIMITE_IMAGE}, {"sons", "sons", LIMITE_SON}, {"videos", "videos", LIMITE_VIDEO}};

const Genre* GenreDe(const std::string& dossier) {
    for (const Genre& g : GENRES) {
        if (dossier == g.dossier) return &g;
    }
    return nullptr;
}

bool Commence(const std::string& o, std::size_t a, const char* motif) {
    const std::string m = motif;
    return o.size() >= a + m.size() && o.compare(a, m.size(), m) == 0;
}

// An SVG text: XML whose first 4 KiB open an <svg> element.
bool EstSvg(const std::string& o) {
    std::size_t debut = Commence(o, 0, "\xEF\xBB\xBF") ? 3 : 0;
    while (debut < o.size() && std::isspace(static_cast<unsigned char>(o[debut]))) ++debut;
    return Commence(o, debut, "<") && o.substr(0, 4096).find("<svg") != std::string::npos;
}

// Why an SVG is refused though the game would draw it: the game only
// rasterises it, but the page shows it back from /medias/, so nothing in it
// may run or fetch (scripts, event handlers, embedded HTML, outside links,
// entities). Empty when it holds none of those.
std::string SvgDangereux(const std::string& o) {
    std::string t(o.size(), ' ');
    std::transform(o.begin(), o.end(), t.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const char* motif : {"<script", "<foreignobject", "javascript:", "<!entity", "@import", "<iframe", "<embed", "<object"}) {
        if (t.find(motif) != std::string::npos) return std::string("il contient « ") + motif + " »";
    }
    for (std::size_t k = t.find("on"); k != std::string::npos; k = t.find("on", k + 2)) {
        if (k == 0 || !std::isspace(static_cast<unsigned char>(t[k - 1]))) continue;
        std::size_t f = k + 2;
        while (f < t.size() && std::isalpha(static_cast<unsigned char>(t[f]))) ++f;
        while (f < t.size() && std::isspace(static_cast<unsigned char>(t[f]))) ++f;
        if (f > k + 2 && f < t.size() && t[f] == '=') return "il contient un attribut « " + o.substr(k, f - k) + " » qui lance du code";
    }
    for (const char* lien : {"href", "url("}) {
        for (std::size_t k = t.find(lien); k != std::string::npos; k = t.find(lien, k + 1)) {
            std::size_t f = k + std::string(lien).size();
            while (f < t.size() && (std::isspace(static_cast<unsigned char>(t[f])) || t[f] == '=' || t[f] == '"' || t[f] == '\'')) ++f;
            if (f < t.size() && t[f] != '#') return "il renvoie à un fichier ou une adresse hors de l'image";
        }
    }
    return "";
}

// The kind of file the bytes are, by their first bytes: its extension, and
// its folder; empty when the game plays no such file.
std::pair<std::string, std::string> TypeDesOctets(const std::string& o) {
    if (Commence(o, 0, "\x89PNG\r\n\x1a\n")) return {".png", "images"};
    if (Commence(o, 0, "\xFF\xD8\xFF")) return {".jpg", "images"};
    if (Commence(o, 0, "GIF87a") || Commence(o, 0, "GIF89a")) return {".gif", "images"};
    if (Commence(o, 0, "BM")) return {".bmp", "images"};
    if (Commence(o, 0, "RIFF") && Commence(o, 8, "WEBP")) return {".webp", "images"};
    if (Commence(o, 0, "RIFF") && Commence(o, 8, "WAVE")) return {".wav", "sons"};
    if (Commence(o, 0, "ID3") || (o.size() > 1 && static_cast<unsigned char>(o[0]) == 0xFF &&
                                  (static_cast<unsigned char>(o[1]) & 0xE0) == 0xE0))
        return {".mp3", "sons"};
    if (Commence(o, 4, "ftyp")) return {".mp4", "videos"};
    if (EstSvg(o)) return {".svg", "images"};
    return {"", ""};
}

// A name every file system takes and the quiz line holds: the original's
// stem in letters, digits, "-" and "_", the extension of the bytes' type.
std::string NomSur(const std::string& original, const std::string& extension) {
    std::string nom = original.substr(original.find_last_of("/\\") == std::string::npos ? 0 : original.find_last_of("/\\") + 1);
    const std::size_t point = nom.find_last_of('.');
    if (point != std::string::npos) nom.erase(point);
    std::string sur;
    for (unsigned char c : nom) {
        const bool permis = std::isalnum(c) || c == '-' || c == '_';
        if (permis) sur += static_cast<char>(std::tolower(c));
        else if (!sur.empty() && sur.back() != '-') sur += '-';
    }
    while (!sur.empty() && (sur.back() == '-' || sur.back() == '_')) sur.pop_back();
    if (sur.size() > 32) sur.resize(32);
    static const char* const reserves[] = {"con", "prn", "aux", "nul", "com1", "com2", "com3", "com4",
                                           "lpt1", "lpt2", "lpt3"};
    for (const char* r : reserves) sur = sur == r ? "media-" + sur : sur;
    return (sur.empty() ? "media" : sur) + extension;
}

std::string AvecSuffixe(const std::string& nom, int n) {
    if (n == 1) return nom;
    const std::size_t point = nom.find_last_of('.');
    return nom.substr(0, point) + "-" + std::to_string(n) + nom.substr(point);
}

// Publishes the bytes under the first free name, or the name that holds
// them already. Never replaces a file.
bool Publie(const fs::path& dossier, const std::string& nom, const std::string& octets, std::string& publie,
            std::string& erreur) {
    for (int n = 1; n < 1000; ++n) {
        publie = AvecSuffixe(nom, n);
        const std::string chemin = Utf8DeChemin(dossier / CheminFs(publie));
        const Publication p = PublieExclusif(chemin, octets, erreur);
        if (p == Publication::Publiee) return true;
        if (p == Publication::Echec) return false;
        std::string present;
        if (LitFichierBorne(chemin, octets.size(), present) && present == octets) return true;
    }
    return erreur = "trop de fichiers de ce nom", false;
}

Json Liste(const fs::path& dossier) {
    Json noms = Json::array();
    std::error_code e;
    for (fs::directory_iterator it(dossier, e), fin; !e && it != fin; it.increment(e)) {
        const std::string nom = Utf8DeChemin(it->path().filename());
        if (!nom.empty() && nom[0] != '.' && !EstFichierProvisoire(nom) && it->is_regular_file(e)) noms.push_back(nom);
    }
    std::sort(noms.begin(), noms.end());
    return noms;
}

}  // namespace

Reponse GetMedias(Atelier& a, const Requete&) {
    if (a.dossier.empty()) return SansDossier();
    Json j;
    for (const Genre& g : GENRES) j[g.cle] = Liste(CheminFs(a.donnees) / "questions" / g.dossier);
    return EnJson(j);
}

Reponse GetMedia(Atelier& a, const Requete& r) {
    if (a.dossier.empty()) return SansDossier();
    const std::size_t barre = r.reste.find('/');
    const Genre* g = barre == std::string::npos ? nullptr : GenreDe(r.reste.substr(0, barre));
    if (!g) return Refus(404, "Ce média n'existe pas.");
    const MediaResolu m = ResoutMedia(a.donnees, g->dossier, r.reste.substr(barre + 1));
    std::string octets;
    if (m.etat != EtatMedia::Trouve || !LitFichierBorne(m.chemin, g->limite, octets)) return Refus(404, "Ce média n'existe pas.");
    Reponse reponse;
    reponse.type = TypeMime(m.chemin);
    reponse.corps = std::move(octets);
    // Shown in the page, never run there: an SVG's script has no origin.
    reponse.entetes.emplace_back("Content-Security-Policy", "sandbox");
    return reponse;
}

Reponse PostMedia(Atelier& a, const Requete& r) {
    if (a.dossier.empty()) return SansDossier();
    const Genre* g = GenreDe(r.chemin.substr(r.chemin.rfind('/') + 1));  // one route per kind, for its limit
    if (!g) return Refus(404, "Ce dossier de médias n'existe pas.");
    if (r.corps.size() > g->limite) return Refus(413, "Fichier trop gros.");
    const auto [extension, dossier] = TypeDesOctets(r.corps);
    if (dossier != g->dossier)
        return Refus(415, std::string("Ce fichier n'est pas ") +
                              (g == &GENRES[0] ? "une image PNG, JPEG, GIF, BMP, WebP ou SVG" : g == &GENRES[1] ? "un son MP3 ou WAV" : "une vidéo MP4") +
                              " : le jeu ne saurait pas le lire.");
    std::string raison = extension == ".svg" ? SvgDangereux(r.corps) : "";
    if (!raison.empty()) return Refus(422, "Cette image SVG est refusée : " + raison + ".");
    if (g == &GENRES[0] && !ImageDuJeu(r.corps, r.Parametre("nom"), raison))
        return Refus(422, "Le jeu ne peut pas ouvrir cette image : " + raison);
    const fs::path cible = CheminFs(a.donnees) / "questions" / g->dossier;
    std::error_code e;
    fs::create_directories(cible, e);
    std::string publie, erreur;
    if (!Publie(cible, NomSur(r.Parametre("nom"), extension), r.corps, publie, erreur)) return Refus(500, erreur);
    return EnJson({{"nom", publie}}, 201);
}
