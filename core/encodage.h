// Texts in Windows-1252 and in UTF-8, converted one into the other by one
// table, and the one rule that decides in which of the two a teacher's text
// file is written.
//
// The data files of the tree are Windows-1252 bytes, as the game draws them;
// the teacher writes texts in either encoding, and the tool speaks UTF-8.
// Every program converts through these functions, so that a character reads
// the same everywhere.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// --- Characters -------------------------------------------------------------

// Unicode code point of a Windows-1252 byte; -1 for the five bytes that
// Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D).
long Point1252(unsigned char octet);

// Windows-1252 byte of a code point; -1 when Windows-1252 cannot hold it.
int Octet1252(long point);

// Appends the UTF-8 bytes of a code point (0 to 0x10FFFF, no surrogate).
void AjouteUtf8(std::string& sortie, long point);

// Decodes the well-formed UTF-8 sequence at texte[k] and moves k past it.
// A byte that starts no well-formed sequence (overlong, surrogate, beyond
// U+10FFFF, cut short) gives -1 and moves k by that one byte.
long LitPointUtf8(std::string_view texte, std::size_t& k);

// --- Whole texts ------------------------------------------------------------

// True when every byte belongs to a well-formed UTF-8 sequence.
bool EstUtf8(std::string_view texte);

// True when the text holds at least one well-formed UTF-8 sequence of two or
// more bytes: text saved in UTF-8 (or, in a Windows-1252 file, UTF-8 that
// was pasted in or converted twice: "Ã©" for "é").
bool ContientSuiteUtf8(std::string_view texte);

// The length in characters of a UTF-8 text (for word wrapping).
std::size_t LongueurUtf8(std::string_view texte);

// What a conversion from Windows-1252 makes of the five undefined bytes.
enum class Indefinis {
    Gardes,     // the control character of the same number (U+0081 …): no
                // byte is lost and the text converts back exactly
    Remplaces,  // "?", so that a damaged text shows as such
    Omis,       // left out
};

// Windows-1252 text to UTF-8.
std::string Utf8De1252(std::string_view texte, Indefinis indefinis = Indefinis::Gardes);

// UTF-8 text to Windows-1252 for the game's screens and files: every
// character Windows-1252 cannot hold, every C1 control character and every
// malformed byte becomes `remplacant`.
std::string Cp1252DeUtf8(std::string_view utf8, char remplacant = '?');

// A character of a UTF-8 text that did not convert, where it stands: line
// and column counted from 1, in characters (a malformed byte counts as one).
struct FauteUtf8 {
    int ligne = 0;
    int colonne = 0;
    long point = -1;          // -1: a malformed byte
    std::string caractere;    // its UTF-8 bytes (the byte itself when malformed)
};

// UTF-8 text (LF line ends) to Windows-1252, a leading byte-order mark
// dropped. U+0081 … stand for the undefined bytes they came from. What
// cannot convert is left out of `sortie` and listed in `fautes`. Returns
// true when nothing was listed.
bool Utf8Vers1252(std::string_view utf8, std::string& sortie, std::vector<FauteUtf8>& fautes);

// --- Lines of a text file -----------------------------------------------------

// CR LF and lone CR become LF.
std::string FinsDeLigneLF(std::string_view texte);

// Splits a text at its LF bytes; the last line without LF counts as a line,
// and a text ending with LF has no empty last line.
std::vector<std::string> DecoupeLignes(std::string_view texte);

// --- The encoding of a teacher's text file --------------------------------------

enum class CodageTexte {
    Utf8,         // the whole file is well-formed UTF-8 (a byte-order mark allowed)
    Windows1252,  // no well-formed multi-byte UTF-8 sequence in it
    Melange,      // UTF-8 with a byte that is not: refused, never guessed
};

// The one rule every command applies to a text the teacher wrote. For
// Melange, the first byte that is not UTF-8; for Windows1252, the first byte
// Windows-1252 leaves undefined, if any. Lines end with LF, CR LF or CR;
// columns count characters from 1.
struct DecisionCodage {
    CodageTexte codage = CodageTexte::Utf8;
    bool faute = false;          // an offending byte below
    int ligne = 0;
    int colonne = 0;
    unsigned char octet = 0;
};

DecisionCodage DecideCodage(std::string_view octets);

// Why the text cannot be read, in French, for "file:line:col: error: …";
// empty when it can.
std::string MessageCodage(const DecisionCodage& d);

// The teacher's text in UTF-8 (byte-order mark dropped, line ends kept) by
// the rule above; false, with `sortie` untouched, when the rule refuses it.
bool TexteEnUtf8(std::string_view octets, std::string& sortie, DecisionCodage& decision);
