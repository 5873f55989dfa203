// A pupil's results file: "joueurs//<class>//<surname>_<first name>.txt" in
// the data folder, six lines each ended by a line feed: surname, first name,
// class (Windows-1252, like every data file), right answers, wrong answers
// (time-outs included), seconds used.
//
// The game creates it when the pupil is identified with "0", "0", "9999"
// (identified, no question finished) and rewrites it whole after every
// question with "%02d", "%02d", "%04d". Its existence refuses the same pupil
// at a later run. The teacher's tool reads it back.
#pragma once

#include <cstdint>
#include <string>

// The seconds line of a file that no finished question has rewritten yet.
constexpr std::int64_t SECONDES_AUCUNE_QUESTION = 9999;
// Counts read back are held at this value: no file, however damaged, makes
// the arithmetic on them overflow.
constexpr std::int64_t COMPTE_MAX = 999'999'999'999;

struct FicheResultats {
    std::string nom;      // Windows-1252, without line feed
    std::string prenom;
    std::string classe;
    std::int64_t bonnes = 0;
    std::int64_t mauvaises = 0;
    std::int64_t secondes = 0;
};

// The bytes of the file created when the pupil is identified.
std::string TexteDepart(const FicheResultats& fiche);
// The bytes of the file after a question, from the record's counts.
std::string TexteResultats(const FicheResultats& fiche);
// True for a file still as it was created: identified, nothing finished.
bool AucuneQuestionFinie(const FicheResultats& fiche);

// Why a results file could not be read.
struct LectureResultats {
    bool lu = false;
    int ligne = 0;        // the faulty line, 0: the file as a whole
    std::string raison;   // UTF-8
    bool nombre = false;  // a count was expected on that line
    std::string texte;    // then the line's bytes
    explicit operator bool() const { return lu; }
};

// Reads the six lines from the bytes of a file (CR LF line ends allowed;
// lines after the sixth are ignored). The counts are whole numbers held at
// COMPTE_MAX.
LectureResultats AnalyseResultats(const std::string& octets, FicheResultats& fiche);
// Reads the file `chemin` (a regular file of at most LIMITE_RESULTATS bytes).
LectureResultats LitResultats(const std::string& chemin, FicheResultats& fiche);

// One name (surname, first name or class, Windows-1252) as a part of a file
// name, in UTF-8 so that the teacher sees the accents. Letters, digits,
// spaces, hyphens, apostrophes, dots and accented letters stay as they are;
// "_" (the separator of surname and first name), "%", a leading ".", control
// characters, the characters file systems refuse and the bytes
// Windows-1252 leaves undefined become "%" and two capital hex digits of the
// byte ("_" is "%5F"). An empty name is "_". So two different names never
// give the same part, and no part leads out of its folder.
std::string PartieDeNom(const std::string& nom1252);

// "<surname>_<first name>.txt": one file name per pupil. A name Windows would
// take for a device (its part before the first dot is CON, PRN, AUX, NUL,
// COM0 … COM9 or LPT0 … LPT9) starts with its first letter escaped ("NUL.x"
// gives "%4EUL.x_…"), on every system.
std::string NomFichierResultats(const std::string& nom1252, const std::string& prenom1252);

// The class folder "<donnees>joueurs//<class>" (no separator at the end) and
// the file's path in it, the way the game builds them. The class part also
// escapes a device name, and a last dot or space, which Windows drops.
std::string DossierResultats(const std::string& donnees, const std::string& classe1252);
std::string CheminResultats(const std::string& donnees, const FicheResultats& fiche);
