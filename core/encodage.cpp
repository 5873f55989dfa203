// Windows-1252 and UTF-8: the table, the conversions, and the rule that
// decides a teacher's text file's encoding.
#include "encodage.h"

#include <cstdio>

namespace {

// The bytes 0x80 … 0x9F of Windows-1252; 0 marks the five undefined ones.
constexpr unsigned short TABLE_80_9F[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

constexpr std::string_view BOM = "\xEF\xBB\xBF";

bool EstC1(long point) { return point >= 0x80 && point <= 0x9F; }

// The code point a Windows-1252 undefined byte keeps through a UTF-8 text.
int OctetGarde(long point) {
    const int octet = Octet1252(point);
    if (octet >= 0) return octet;
    if (EstC1(point) && Point1252(static_cast<unsigned char>(point)) < 0) return static_cast<int>(point);
    return -1;
}

// Follows the lines and columns of a text byte after byte.
struct Position {
    int ligne = 1;
    int colonne = 1;
    bool apres_cr = false;

    // `c` is the first byte of a character (or a malformed byte).
    void Passe(char c) {
        if (c == '\n' && apres_cr) {  // the LF of a CR LF: the line has ended
            apres_cr = false;
            return;
        }
        apres_cr = c == '\r';
        if (c == '\n' || c == '\r') ligne += 1, colonne = 1;
        else colonne += 1;
    }
};

}  // namespace

long Point1252(unsigned char octet) {
    if (octet < 0x80 || octet > 0x9F) return octet;
    const long point = TABLE_80_9F[octet - 0x80];
    return point == 0 ? -1 : point;
}

int Octet1252(long point) {
    if (point < 0) return -1;
    if (point < 0x80 || (point >= 0xA0 && point <= 0xFF)) return static_cast<int>(point);
    for (int k = 0; k < 32; ++k) {
        if (TABLE_80_9F[k] != 0 && TABLE_80_9F[k] == point) return 0x80 + k;
    }
    return -1;
}

void AjouteUtf8(std::string& sortie, long point) {
    auto octet = [](long v) { return static_cast<char>(static_cast<unsigned char>(v)); };
    if (point < 0x80) {
        sortie += octet(point);
    } else if (point < 0x800) {
        sortie += octet(0xC0 | (point >> 6));
        sortie += octet(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        sortie += octet(0xE0 | (point >> 12));
        sortie += octet(0x80 | ((point >> 6) & 0x3F));
        sortie += octet(0x80 | (point & 0x3F));
    } else {
        sortie += octet(0xF0 | (point >> 18));
        sortie += octet(0x80 | ((point >> 12) & 0x3F));
        sortie += octet(0x80 | ((point >> 6) & 0x3F));
        sortie += octet(0x80 | (point & 0x3F));
    }
}

long LitPointUtf8(std::string_view s, std::size_t& k) {
    const std::size_t debut = k;
    const auto c = static_cast<unsigned char>(s[k++]);
    if (c < 0x80) return c;
    const int suite = c >= 0xF0 && c < 0xF5 ? 3 : c >= 0xE0 && c < 0xF0 ? 2 : c >= 0xC2 && c < 0xE0 ? 1 : -1;
    if (suite < 0) return -1;
    long point = c & (0x3F >> suite);
    constexpr long minimum[4] = {0, 0x80, 0x800, 0x10000};
    for (int n = 0; n < suite; ++n) {
        if (k >= s.size() || (static_cast<unsigned char>(s[k]) & 0xC0) != 0x80) {
            k = debut + 1;
            return -1;
        }
        point = (point << 6) | (static_cast<unsigned char>(s[k++]) & 0x3F);
    }
    if (point < minimum[suite] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) {
        k = debut + 1;
        return -1;
    }
    return point;
}

bool EstUtf8(std::string_view texte) {
    for (std::size_t k = 0; k < texte.size();) {
        if (LitPointUtf8(texte, k) < 0) return false;
    }
    return true;
}

bool ContientSuiteUtf8(std::string_view texte) {
    for (std::size_t k = 0; k < texte.size();) {
        const std::size_t debut = k;
        if (LitPointUtf8(texte, k) >= 0 && k - debut > 1) return true;
    }
    return false;
}

std::size_t LongueurUtf8(std::string_view texte) {
    std::size_t n = 0;
    for (char c : texte) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    }
    return n;
}

std::string Utf8De1252(std::string_view texte, Indefinis indefinis) {
    std::string utf8;
    utf8.reserve(texte.size() + texte.size() / 8);
    for (char c : texte) {
        const auto octet = static_cast<unsigned char>(c);
        const long point = Point1252(octet);
        if (point >= 0) AjouteUtf8(utf8, point);
        else if (indefinis == Indefinis::Gardes) AjouteUtf8(utf8, octet);
        else if (indefinis == Indefinis::Remplaces) utf8 += '?';
    }
    return utf8;
}

std::string Cp1252DeUtf8(std::string_view utf8, char remplacant) {
    std::string sortie;
    sortie.reserve(utf8.size());
    for (std::size_t k = 0; k < utf8.size();) {
        const long point = LitPointUtf8(utf8, k);
        const int octet = EstC1(point) ? -1 : Octet1252(point);
        sortie += octet < 0 ? remplacant : static_cast<char>(octet);
    }
    return sortie;
}

bool Utf8Vers1252(std::string_view utf8, std::string& sortie, std::vector<FauteUtf8>& fautes) {
    const std::size_t avant = fautes.size();
    std::size_t k = utf8.substr(0, BOM.size()) == BOM ? BOM.size() : 0;
    int ligne = 1;
    int colonne = 1;
    while (k < utf8.size()) {
        const std::size_t debut = k;
        const long point = LitPointUtf8(utf8, k);
        const int octet = point < 0 ? -1 : OctetGarde(point);
        if (octet < 0) fautes.push_back({ligne, colonne, point, std::string(utf8.substr(debut, k - debut))});
        else sortie += static_cast<char>(octet);
        ++colonne;
        if (point == '\n') ligne += 1, colonne = 1;
    }
    return fautes.size() == avant;
}

std::string FinsDeLigneLF(std::string_view texte) {
    std::string sortie;
    sortie.reserve(texte.size());
    for (std::size_t k = 0; k < texte.size(); ++k) {
        if (texte[k] != '\r') sortie += texte[k];
        else if (k + 1 >= texte.size() || texte[k + 1] != '\n') sortie += '\n';
    }
    return sortie;
}

std::vector<std::string> DecoupeLignes(std::string_view texte) {
    std::vector<std::string> lignes;
    std::size_t debut = 0;
    while (debut < texte.size()) {
        std::size_t fin = texte.find('\n', debut);
        if (fin == std::string_view::npos) fin = texte.size();
        lignes.emplace_back(texte.substr(debut, fin - debut));
        debut = fin + 1;
    }
    return lignes;
}

namespace {

// The first byte that is not UTF-8, read as UTF-8.
DecisionCodage PremierOctetNonUtf8(std::string_view octets) {
    DecisionCodage d{CodageTexte::Melange};
    Position p;
    for (std::size_t k = octets.substr(0, BOM.size()) == BOM ? BOM.size() : 0; k < octets.size();) {
        const std::size_t debut = k;
        if (LitPointUtf8(octets, k) < 0) {
            d.faute = true, d.ligne = p.ligne, d.colonne = p.colonne;
            d.octet = static_cast<unsigned char>(octets[debut]);
            return d;
        }
        p.Passe(octets[debut]);
    }
    return d;
}

// The first byte Windows-1252 leaves undefined, if any.
DecisionCodage PremierOctetIndefini(std::string_view octets) {
    DecisionCodage d{CodageTexte::Windows1252};
    Position p;
    for (char c : octets) {
        if (Point1252(static_cast<unsigned char>(c)) < 0) {
            d.faute = true, d.ligne = p.ligne, d.colonne = p.colonne;
            d.octet = static_cast<unsigned char>(c);
            return d;
        }
        p.Passe(c);
    }
    return d;
}

}  // namespace

DecisionCodage DecideCodage(std::string_view octets) {
    if (EstUtf8(octets)) return DecisionCodage{};
    if (!ContientSuiteUtf8(octets)) return PremierOctetIndefini(octets);
    return PremierOctetNonUtf8(octets);
}

std::string MessageCodage(const DecisionCodage& d) {
    if (!d.faute) return "";
    char octet[8];
    std::snprintf(octet, sizeof octet, "0x%02X", d.octet);
    if (d.codage == CodageTexte::Windows1252)
        return std::string("l'octet ") + octet +
               " n'est aucun caractère en Windows-1252 : le fichier est abîmé ou n'est pas du texte";
    return std::string("l'octet ") + octet +
           " n'est pas de l'UTF-8 alors que le reste du fichier en est : enregistrez le "
           "fichier tout en UTF-8 (ou tout en Windows-1252) ; il n'est pas deviné";
}

bool TexteEnUtf8(std::string_view octets, std::string& sortie, DecisionCodage& decision) {
    decision = DecideCodage(octets);
    if (decision.faute) return false;
    if (decision.codage == CodageTexte::Windows1252) sortie = Utf8De1252(octets);
    else sortie = std::string(octets.substr(octets.substr(0, BOM.size()) == BOM ? BOM.size() : 0));
    return true;
}
