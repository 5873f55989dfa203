// The one reader of the whole numbers written in data files, shared by the
// game, Tamarel and the teacher's tool so that all of them accept the same
// texts and agree on their values.
//
// Digits are counted before they are accumulated and the value saturates,
// so no text, however long, overflows.
#pragma once

#include <cstddef>
#include <cstdint>

// Reads a whole number: blanks (space, tab, CR) around it allowed, a sign
// only when `signe` is true, then 1 to `chiffres` digits (at most 18) and
// nothing else. Returns true and sets *valeur, or false when the text is
// anything else (empty, more digits, other characters, a NUL in the middle
// given by `longueur`).
bool LitEntierStrict(const char* texte, std::size_t longueur, int chiffres, bool signe,
                     std::int64_t* valeur);

// Reads a number the way atoi does (blanks, a sign, the leading digits; 0
// when there are none) but holds values beyond [bas, haut] at those ends
// instead of overflowing, however many digits follow.
std::int64_t LitEntierSature(const char* texte, std::int64_t bas, std::int64_t haut);

// Reads the number at the start of a text the way strtol does (blanks, a
// sign, then digits up to the first other character), holding it within
// [bas, haut]. False when no digit follows the blanks and the sign.
bool LitEntierDebut(const char* texte, std::int64_t bas, std::int64_t haut, std::int64_t* valeur);
