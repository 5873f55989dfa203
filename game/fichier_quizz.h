// The scrambled quiz file, byte for byte: the key, the line reader shared by
// the game's loader and the quiz_encode tool, and the Windows-1252 table used
// wherever a text leaves or enters the 8-bit world (quiz texts typed in UTF-8,
// pupils' names turned into file names).
#pragma once

#include <cstddef>
#include <cstdio>

// Every byte of a quiz file is the byte of its plain text XOR this key.
constexpr unsigned char CLE_QUIZZ = 0xA5;

// A line of the plain text holds at most this many characters before its LF.
constexpr int LIGNE_QUIZZ_MAX = 254;

// Scrambles or unscrambles (the same operation) `n` bytes in place.
void BrouilleQuizz(unsigned char* octets, std::size_t n);

// Reads the plain lines of a scrambled quiz file from an open stream.
struct LecteurQuizz {
    FILE* flux;
    int numero;  // number of the last line read, from 1; 0 before the first
};

// What LigneQuizz found about the line it read.
constexpr int LIGNE_COUPEE = 1;   // longer than LIGNE_QUIZZ_MAX: the rest was dropped
constexpr int LIGNE_NUL = 2;      // held NUL bytes, which were dropped

// Reads the next line into `ligne` (LIGNE_QUIZZ_MAX + 2 bytes at least),
// unscrambled, without its LF and without a CR just before it. A last line
// without LF is taken whole; NUL bytes are dropped; characters beyond
// LIGNE_QUIZZ_MAX are dropped up to the line's end. Returns 0 at the end of
// the file (no line), else 1; `anomalies` (may be nullptr) receives the
// LIGNE_ flags of what was mended.
int LigneQuizz(LecteurQuizz* lecteur, char* ligne, int* anomalies);

// Medium markers of a question line: picture "§", sound extract "µ", video
// extract "~", in the order of the fields Image, Son, Video. An answer line
// knows only the picture.
constexpr const char* MARQUEURS_QUESTION = "\xA7\xB5~";
constexpr const char* MARQUEURS_REPONSE = "\xA7";

// Splits a question or answer line: up to three display segments separated
// by "|" (a third "|" is plain text), then, in the last segment only, the
// first of the `marqueurs` found ends the text and the rest of the line is
// the file name of the medium of that marker (medias[k] for marqueurs[k]).
// Display segments after the last one present are emptied; media fields
// are set only by a marker. Every copy is cut to its field's size.
void DecoupeLigne(const char* t, char* const lignes[3], std::size_t tailleLigne,
                  const char* marqueurs, char* const medias[], std::size_t tailleMedia);

// Unicode code point of a Windows-1252 byte; -1 for the five bytes that
// Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D).
int Cp1252VersUnicode(unsigned char octet);

// Windows-1252 byte of a Unicode code point; -1 when Windows-1252 cannot
// hold it.
int UnicodeVersCp1252(long point);

// Writes code point `point` as UTF-8 into `dest` (4 bytes at least);
// returns the number of bytes written.
int EcritUtf8(long point, char* dest);
