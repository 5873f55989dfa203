// Writing a data file safely: the one way every program writes a file.
//
// The new content goes to a temporary file created in the target's own
// folder, exclusively and without following links (a link planted there by
// a pupil can neither be written through nor make a file appear elsewhere),
// written whole, pushed to the disk, then renamed over the target. On
// failure the temporary file is removed and the old target is left whole.
//
// Temporary names are unique per process and per call: ".pivolette-" +
// process number + call counter + random part + the mark of the computer
// (on Linux, of its boot and process namespace) + ".tmp". A crash can leave
// one behind: every reader ignores such names (they are hidden and not
// ".txt"), and every write first sweeps its folder of them
// (NettoieProvisoires).
//
// Paths and messages are UTF-8.
#pragma once

#include <chrono>
#include <string>

// Replaces the file `chemin` whole by `octets`. Returns true, or false with
// `erreur` saying why; the previous content is then left whole.
bool EcritFichierSur(const std::string& chemin, const std::string& octets, std::string& erreur);

// Outcome of PublieExclusif.
enum class Publication {
    Publiee,  // the file now exists with the whole content
    Existe,   // a file (or a link) of that name was already there: left as it was
    Echec,    // see the message; nothing was published
};

// Publishes `octets` as the new file `chemin` only if no file of that name
// exists, even one created a moment ago by another computer sharing the
// folder: the file never exists without its whole content. The exclusive
// step is one the file server decides: on Windows a move that may not
// replace (SMB's rename without ReplaceIfExists); on Linux a hard link, or,
// where the folder makes none, a rename that may not replace on a local disk
// and on a network folder the claim of a folder ".pivolette-NAME.prise"
// beside the target, given up once the file is in place.
Publication PublieExclusif(const std::string& chemin, const std::string& octets,
                           std::string& erreur);

// True when `nom` (a file name without its folder) is one of our temporary
// files.
bool EstFichierProvisoire(const std::string& nom);

// Removes from `dossier` the temporary files a write stopped in the middle
// left behind: those older than `age`, whoever wrote them, and those whose
// writer, on this computer, has ended (by the process number in the name:
// a running process of that number keeps the file, whatever it is, and so
// does a writer on another computer sharing the folder, until `age`). Only
// the names themselves are removed (a link is never followed). Returns how
// many were removed.
int NettoieProvisoires(const std::string& dossier, std::chrono::seconds age);

// The steps of a write, in order. A write that replaces its target does not
// pass through Suppression.
enum class EtapeEcriture {
    Creation,         // of the temporary file
    Ecriture,         // of the bytes
    Synchronisation,  // of the file to the disk
    Fermeture,
    Publication,      // rename, or the exclusive link
    Suppression,      // of the temporary name once linked
    SynchroDossier,   // of the folder to the disk
};

// Test seam: when set, called before each step with the path the step works
// on. Null in the programs; the fault-injection tests stop the process there.
using CrochetEcriture = void (*)(EtapeEcriture etape, const std::string& chemin);
extern CrochetEcriture CrochetEtapeEcriture;
