// Bounded, saturating readers of whole numbers.
#include "nombres.h"

namespace {

bool Blanc(char c) { return c == ' ' || c == '\t' || c == '\r'; }
bool Chiffre(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool LitEntierStrict(const char* texte, std::size_t longueur, int chiffres, bool signe,
                     std::int64_t* valeur) {
    if (texte == nullptr || chiffres < 1 || chiffres > 18) return false;
    std::size_t i = 0;
    while (i < longueur && Blanc(texte[i])) ++i;
    bool negatif = false;
    if (signe && i < longueur && (texte[i] == '-' || texte[i] == '+')) negatif = texte[i++] == '-';
    const std::size_t debut = i;
    std::int64_t n = 0;
    while (i < longueur && Chiffre(texte[i])) {
        if (static_cast<int>(i - debut) == chiffres) return false;
        n = n * 10 + (texte[i++] - '0');
    }
    if (i == debut) return false;
    while (i < longueur && Blanc(texte[i])) ++i;
    if (i != longueur) return false;
    if (valeur != nullptr) *valeur = negatif ? -n : n;
    return true;
}

std::int64_t LitEntierSature(const char* texte, std::int64_t bas, std::int64_t haut) {
    if (texte == nullptr) return 0 < bas ? bas : (0 > haut ? haut : 0);
    while (*texte == ' ' || *texte == '\t' || *texte == '\n' || *texte == '\r' || *texte == '\v' ||
           *texte == '\f')
        ++texte;
    bool negatif = false;
    if (*texte == '-' || *texte == '+') negatif = *texte++ == '-';
    // Accumulates in the direction of the sign and stops at the bound:
    // digits past it cannot change the result.
    std::int64_t n = 0;
    for (; Chiffre(*texte); ++texte) {
        const int d = *texte - '0';
        if (!negatif) {
            if (n > (haut - d) / 10) return haut;
            n = n * 10 + d;
        } else {
            if (n < (bas + d) / 10) return bas;
            n = n * 10 - d;
        }
    }
    if (n < bas) return bas;
    if (n > haut) return haut;
    return n;
}

bool LitEntierDebut(const char* texte, std::int64_t bas, std::int64_t haut, std::int64_t* valeur) {
    if (texte == nullptr) return false;
    const char* t = texte;
    while (*t == ' ' || *t == '\t' || *t == '\n' || *t == '\r' || *t == '\v' || *t == '\f') ++t;
    if (*t == '-' || *t == '+') ++t;
    if (!Chiffre(*t)) return false;
    if (valeur != nullptr) *valeur = LitEntierSature(texte, bas, haut);
    return true;
}
