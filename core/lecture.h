// Reading a data file whole, once, with a size limit suited to its kind.
//
// Every data file of the tree (class settings, pupil list, scrambled quiz,
// results files, LCConfig.txt) is read through LitFichierBorne: only a
// regular file is read (never a folder, a FIFO or a device, which could
// hang or grow a reader without end), and a file larger than its limit is
// refused with a message naming it rather than read in part. What is checked
// and what is loaded is then the same copy in memory.
#pragma once

#include <cstddef>
#include <string>

// Size limits of the data files, in bytes.
constexpr std::size_t LIMITE_REGLAGES = 16 * 1024;        // class settings file
constexpr std::size_t LIMITE_LISTE = 64 * 1024;           // pupil list
constexpr std::size_t LIMITE_QUIZZ = 4 * 1024 * 1024;     // scrambled quiz or its text
constexpr std::size_t LIMITE_CONFIG = 16 * 1024;          // LCConfig.txt
constexpr std::size_t LIMITE_RESULTATS = 1024;            // a pupil's results file
constexpr std::size_t LIMITE_CLES = 1024 * 1024;          // any other "KEY=value" file
constexpr std::size_t LIMITE_TEXTE = 64 * 1024 * 1024;    // a text given to the teacher's tool

// Why LitFichierBorne failed.
enum class EchecLecture {
    Aucun,
    Absent,        // no such file
    PasFichier,    // a folder, a FIFO, a device...
    TropGrand,     // larger than the limit
    Illisible,     // any other error of the system (see the message)
};

struct ResultatLecture {
    EchecLecture echec = EchecLecture::Aucun;
    std::string message;  // UTF-8, names the file; empty on success
    explicit operator bool() const { return echec == EchecLecture::Aucun; }
};

// Reads the file `chemin` (UTF-8 name) whole into `octets`, if it is a
// regular file of at most `limite` bytes. Links are followed: the data tree
// may be laid out with them. On failure `octets` is empty. With
// `attend_verrou`, waits (5 s at most) while another program holds the
// file's exclusive advisory lock to rewrite it in place, so that a
// half-written file is never read.
ResultatLecture LitFichierBorne(const std::string& chemin, std::size_t limite,
                                std::string& octets, bool attend_verrou = false);
