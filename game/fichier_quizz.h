// The scrambled quiz file as the game holds it (its reader is in the core
// library, lecture_quizz.h), and the Windows-1252 table used wherever a text
// leaves or enters the 8-bit world (quiz texts typed in UTF-8, pupils' names
// turned into file names, the core library's UTF-8 messages shown by the game).
#pragma once

#include <cstddef>
#include <string>

#include "lecture_quizz.h"

// Unicode code point of a Windows-1252 byte; -1 for the five bytes that
// Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D).
int Cp1252VersUnicode(unsigned char octet);

// Windows-1252 byte of a Unicode code point; -1 when Windows-1252 cannot
// hold it.
int UnicodeVersCp1252(long point);

// Writes code point `point` as UTF-8 into `dest` (4 bytes at least);
// returns the number of bytes written.
int EcritUtf8(long point, char* dest);

// A UTF-8 text (the core library's messages) as Windows-1252 in a field of
// `taille` bytes, cut to fit; a character Windows-1252 cannot hold becomes
// "?", a byte that is not UTF-8 is kept as it is.
void Vers1252(const std::string& utf8, char* dest, std::size_t taille);

// Sets MessageErreur to a reason given by the core library (UTF-8).
void PoseMessageErreur(const std::string& raison);

// The path of the medium `nom` (as the quiz names it) of the questions'
// folder `dossier` of the data folder `donnees` ("images", "sons", "videos") in `dest`, resolved inside
// that folder only (medias.h): true when the file is there. An absent file
// still gets its path (the media layer then says which file is missing); a
// name that leaves the folder gets an empty path.
bool CheminMediaQuizz(const char* donnees, const char* dossier, const char* nom, char* dest, std::size_t taille);
