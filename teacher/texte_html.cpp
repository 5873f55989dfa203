// HTML and Markdown texts reduced to what a pupil reads.
#include "texte_html.h"

#include <cctype>
#include <cstdint>
#include <string_view>

namespace {

// The UTF-8 bytes of a code point; a code point no text can hold gives "".
std::string Utf8(std::uint32_t c) {
    std::string r;
    if (c == 0 || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return r;
    // No-break and thin spaces are spaces for the game's line cutting (and
    // the thin ones have no place in the game's 8-bit texts).
    if (c == 0xA0 || c == 0x202F || c == 0x2009 || c == 0x2007) return " ";
    if (c < 0x80) {
        r += static_cast<char>(c);
    } else if (c < 0x800) {
        r += static_cast<char>(0xC0 | (c >> 6));
        r += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        r += static_cast<char>(0xE0 | (c >> 12));
        r += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        r += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        r += static_cast<char>(0xF0 | (c >> 18));
        r += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        r += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        r += static_cast<char>(0x80 | (c & 0x3F));
    }
    return r;
}

struct Entite {
    std::string_view nom;
    std::uint32_t code;
};

// The Latin-1 letters by their small form; the capital one is the same name
// with a capital first letter, 0x20 lower (but for "szlig" and "yuml").
constexpr Entite LETTRES[] = {
    {"agrave", 0xE0}, {"aacute", 0xE1}, {"acirc", 0xE2}, {"atilde", 0xE3}, {"auml", 0xE4},
    {"aring", 0xE5},  {"aelig", 0xE6},  {"ccedil", 0xE7}, {"egrave", 0xE8}, {"eacute", 0xE9},
    {"ecirc", 0xEA},  {"euml", 0xEB},   {"igrave", 0xEC}, {"iacute", 0xED}, {"icirc", 0xEE},
    {"iuml", 0xEF},   {"eth", 0xF0},    {"ntilde", 0xF1}, {"ograve", 0xF2}, {"oacute", 0xF3},
    {"ocirc", 0xF4},  {"otilde", 0xF5}, {"ouml", 0xF6},   {"oslash", 0xF8}, {"ugrave", 0xF9},
    {"uacute", 0xFA}, {"ucirc", 0xFB},  {"uuml", 0xFC},   {"yacute", 0xFD}, {"thorn", 0xFE},
};

constexpr Entite SIGNES[] = {
    {"amp", '&'},      {"lt", '<'},       {"gt", '>'},        {"quot", '"'},      {"apos", '\''},
    {"nbsp", 0xA0},    {"szlig", 0xDF},   {"yuml", 0xFF},     {"Yuml", 0x178},    {"laquo", 0xAB},
    {"raquo", 0xBB},   {"deg", 0xB0},     {"euro", 0x20AC},   {"oelig", 0x153},   {"OElig", 0x152},
    {"hellip", 0x2026}, {"rsquo", 0x2019}, {"lsquo", 0x2018}, {"ldquo", 0x201C},  {"rdquo", 0x201D},
    {"ndash", 0x2013}, {"mdash", 0x2014}, {"times", 0xD7},    {"divide", 0xF7},   {"middot", 0xB7},
    {"copy", 0xA9},    {"sect", 0xA7},    {"micro", 0xB5},    {"frac12", 0xBD},   {"frac14", 0xBC},
    {"sup2", 0xB2},    {"iexcl", 0xA1},   {"iquest", 0xBF},   {"plusmn", 0xB1},   {"shy", 0},
};

// The code point of an entity's name ("eacute", "#233", "#xE9"); 0 when
// unknown. `connue` tells a soft hyphen (known, nothing to show) apart.
std::uint32_t Code(std::string_view nom, bool& connue) {
    connue = true;
    if (nom.size() > 1 && nom[0] == '#') {
        const bool hexa = nom[1] == 'x' || nom[1] == 'X';
        const std::string chiffres(nom.substr(hexa ? 2 : 1));
        if (chiffres.empty() || chiffres.size() > 7) return connue = false, 0;
        for (char c : chiffres) {
            if (!(hexa ? std::isxdigit(static_cast<unsigned char>(c)) : std::isdigit(static_cast<unsigned char>(c))))
                return connue = false, 0;
        }
        return static_cast<std::uint32_t>(std::stoul(chiffres, nullptr, hexa ? 16 : 10));
    }
    for (const Entite& e : SIGNES) {
        if (e.nom == nom) return e.code;
    }
    for (const Entite& e : LETTRES) {
        if (e.nom == nom) return e.code;
        if (nom.size() == e.nom.size() && nom.substr(1) == e.nom.substr(1) &&
            nom[0] == std::toupper(static_cast<unsigned char>(e.nom[0])))
            return e.code - 0x20;
    }
    connue = false;
    return 0;
}

// The file name of a link: what follows the last "/", "%20" and the like read.
std::string NomDeFichier(std::string lien) {
    const std::size_t question = lien.find_first_of("?#");
    if (question != std::string::npos) lien.resize(question);
    const std::size_t barre = lien.find_last_of("/\\");
    if (barre != std::string::npos) lien = lien.substr(barre + 1);
    std::string r;
    for (std::size_t k = 0; k < lien.size(); ++k) {
        if (lien[k] == '%' && k + 2 < lien.size() && std::isxdigit(static_cast<unsigned char>(lien[k + 1])) &&
            std::isxdigit(static_cast<unsigned char>(lien[k + 2]))) {
            r += static_cast<char>(std::stoi(lien.substr(k + 1, 2), nullptr, 16));
            k += 2;
        } else {
            r += lien[k];
        }
    }
    return DecodeEntites(r);
}

std::string Minuscules(std::string t) {
    for (char& c : t) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return t;
}

// The value of attribute `nom` in a tag's text ("img src='a.png' alt=x").
std::string Attribut(const std::string& balise, const std::string& nom) {
    const std::string bas = Minuscules(balise);
    for (std::size_t k = bas.find(nom); k != std::string::npos; k = bas.find(nom, k + 1)) {
        if (k == 0 || !std::isspace(static_cast<unsigned char>(bas[k - 1]))) continue;
        std::size_t v = bas.find_first_not_of(" \t\n", k + nom.size());
        if (v == std::string::npos || bas[v] != '=') continue;
        v = bas.find_first_not_of(" \t\n", v + 1);
        if (v == std::string::npos) return "";
        const char guillemet = bas[v];
        if (guillemet == '"' || guillemet == '\'') {
            const std::size_t fin = balise.find(guillemet, v + 1);
            return balise.substr(v + 1, fin == std::string::npos ? std::string::npos : fin - v - 1);
        }
        const std::size_t fin = balise.find_first_of(" \t\n>", v);
        return balise.substr(v, fin == std::string::npos ? std::string::npos : fin - v);
    }
    return "";
}

bool EstSon(const std::string& nom) {
    const std::string bas = Minuscules(nom);
    for (const char* ext : {".mp3", ".wav", ".ogg"}) {
        const std::string e = ext;
        if (bas.size() > e.size() && bas.compare(bas.size() - e.size(), e.size(), e) == 0) return true;
    }
    return false;
}

// A tag's content between "<" and ">": the media it names go to `medias`.
void LitBalise(const std::string& balise, MediasTexte& medias) {
    const std::string bas = Minuscules(balise.substr(0, balise.find_first_of(" \t\n")));
    if (bas == "img") {
        const std::string nom = NomDeFichier(Attribut(balise, "src"));
        if (!nom.empty()) medias.images.push_back(nom);
    } else if (bas == "a" || bas == "audio" || bas == "source") {
        std::string nom = NomDeFichier(Attribut(balise, bas == "a" ? "href" : "src"));
        if (EstSon(nom)) medias.sons.push_back(nom);
    }
}

// Where a tag that starts at `k` ("<" then a letter, "/" or "!") ends; npos
// when the "<" starts no tag.
std::size_t FinDeBalise(const std::string& t, std::size_t k) {
    if (k + 1 >= t.size()) return std::string::npos;
    const unsigned char c = static_cast<unsigned char>(t[k + 1]);
    if (!std::isalpha(c) && c != '/' && c != '!') return std::string::npos;
    if (t.compare(k, 4, "<!--") == 0) {
        const std::size_t fin = t.find("-->", k + 4);
        return fin == std::string::npos ? fin : fin + 2;
    }
    return t.find('>', k + 1);
}

std::string Compacte(const std::string& t) {
    std::string r;
    for (char c : t) {
        const bool blanc = c == ' ' || c == '\t' || c == '\n' || c == '\r';
        if (blanc && (r.empty() || r.back() == ' ')) continue;
        r += blanc ? ' ' : c;
    }
    while (!r.empty() && r.back() == ' ') r.pop_back();
    return r;
}

bool Bord(const std::string& t, std::size_t k) {
    return k >= t.size() || std::isspace(static_cast<unsigned char>(t[k])) ||
           std::ispunct(static_cast<unsigned char>(t[k]));
}

}  // namespace

std::string DecodeEntites(const std::string& t) {
    std::string r;
    for (std::size_t k = 0; k < t.size(); ++k) {
        const std::size_t fin = t[k] == '&' ? t.find(';', k + 1) : std::string::npos;
        bool connue = false;
        const std::uint32_t c = fin != std::string::npos && fin - k <= 10
                                    ? Code(std::string_view(t).substr(k + 1, fin - k - 1), connue)
                                    : 0;
        if (!connue) {
            r += t[k];
            continue;
        }
        r += Utf8(c);
        k = fin;
    }
    return r;
}

std::string SansHtml(const std::string& t, MediasTexte& medias) {
    std::string r;
    for (std::size_t k = 0; k < t.size(); ++k) {
        const std::size_t fin = t[k] == '<' ? FinDeBalise(t, k) : std::string::npos;
        if (fin == std::string::npos) {
            r += t[k];
            continue;
        }
        if (t[k + 1] != '!' && t[k + 1] != '/') LitBalise(t.substr(k + 1, fin - k - 1), medias);
        r += ' ';
        k = fin;
    }
    return Compacte(DecodeEntites(r));
}

std::string SansMarkdown(const std::string& t, MediasTexte& medias) {
    std::string r;
    std::size_t k = t.find_first_not_of(" \t");
    while (k < t.size() && t[k] == '#') ++k;  // a heading's marks
    for (; k < t.size(); ++k) {
        const char c = t[k];
        const bool image = c == '!' && k + 1 < t.size() && t[k + 1] == '[';
        if (c == '[' || image) {
            // "[texte](lien)" keeps its text; "![texte](image)" names a picture.
            const std::size_t ferme = t.find("](", k);
            const std::size_t fin = ferme == std::string::npos ? ferme : t.find(')', ferme);
            if (fin != std::string::npos) {
                const std::string lien = t.substr(ferme + 2, fin - ferme - 2);
                if (image) medias.images.push_back(NomDeFichier(lien.substr(0, lien.find(' '))));
                else r += t.substr(k + 1, ferme - k - 1);
                k = fin;
                continue;
            }
        }
        if ((c == '*' || c == '_') && k + 1 < t.size() && t[k + 1] == c) {
            ++k;  // "**" and "__": strong emphasis
            continue;
        }
        // A single "*" or "_" is an emphasis mark when it touches a word on
        // one side only: "2 * 3" and "mot_composé" keep theirs.
        if ((c == '*' || c == '_' || c == '`') &&
            (Bord(t, k + 1) != (k == 0 || Bord(t, k - 1)) || c == '`'))
            continue;
        r += c;
    }
    return SansHtml(r, medias);
}
