// What every command of the teacher's tool shares: exit codes, whole-file
// reads and writes, the text conversions between the teacher's UTF-8 and the
// game's Windows-1252 (over the shared ones of encodage.h), and the
// "file:line: error: message" reports.
//
// The tool speaks UTF-8 on the terminal; the data files are Windows-1252.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "diagnostic.h"
#include "encodage.h"

// Exit codes that scripts can rely on.
constexpr int SORTIE_OK = 0;         // everything fine
constexpr int SORTIE_PROBLEMES = 1;  // problems found (reported)
constexpr int SORTIE_USAGE = 2;      // bad command line or unreadable input

// "file:line:col: error: message" (line and column left out when 0).
void Signale(std::ostream& sortie, const Diagnostic& d);
// Reports them all; returns SORTIE_PROBLEMES when any is an error, or
// `avertissements_comptent` and any is a warning; else SORTIE_OK.
int SignaleTout(std::ostream& sortie, const std::vector<Diagnostic>& diagnostics,
                bool avertissements_comptent);

// Reads a whole file; false when it cannot be read, is not a regular file
// (a folder, a FIFO, a device) or is larger than LIMITE_TEXTE.
bool LitFichierEntier(const std::string& chemin, std::string& octets);

// Replaces `chemin` whole: the bytes are written beside it, then renamed over
// it, so the file is never seen half written. "-" writes to standard output.
// On failure returns false with `erreur` set (UTF-8) and leaves no trace.
bool EcritFichierEntier(const std::string& chemin, const std::string& octets,
                        std::string& erreur);

// Whether a command may write `octets` over `chemin`: it does not exist yet,
// already holds these bytes, was written by the command (`sien` says so of
// its bytes; may be nullptr) or `force` is given. Otherwise false, with
// `erreur` saying how to replace it: a file the teacher wrote is never lost.
bool RemplacementPermis(const std::string& chemin, const std::string& octets, bool force,
                        bool (*sien)(const std::string& octets), std::string& erreur);

// A Windows-1252 text quoted in a message: UTF-8, control characters shown
// as "?" (a file could hold terminal escapes), cut to 40 characters.
std::string Cite(const std::string& texte1252);

// UTF-8 to Windows-1252. Every character Windows-1252 cannot hold and every
// malformed sequence is reported with its line and column (counted in
// characters, from 1) into `erreurs`, attributed to `fichier`. A leading
// byte-order mark is dropped. Returns true when nothing was reported.
bool Utf8Vers1252(const std::string& utf8, const std::string& fichier, std::string& sortie,
                  std::vector<Diagnostic>& erreurs);

// A text the teacher wrote, in UTF-8, its encoding decided by the one rule
// of the tree's texts (see encodage.h); false, with the offending byte's
// line and column reported into `erreurs`, when the rule refuses it.
bool TexteEnseignant(const std::string& octets, const std::string& fichier, std::string& utf8,
                     std::vector<Diagnostic>& erreurs);

// A reading of the command line: positional words and "--name [value]"
// options. `avec_valeur` lists the options that take a value ("-o", ...).
struct Arguments {
    std::vector<std::string> mots;
    std::vector<std::pair<std::string, std::string>> options;
    std::string inconnue;  // the first option not in `connues`, if any
    bool valeur_manquante = false;

    bool A(const std::string& nom) const;
    std::string Valeur(const std::string& nom, const std::string& defaut = "") const;
};

Arguments LitArguments(int argc, char** argv, const std::vector<std::string>& connues,
                       const std::vector<std::string>& avec_valeur);

// "pivolette: message" on standard error, then `code`.
int Echec(int code, const std::string& message);

// The data folder "InfosQuizz" of a game folder: DIR/InfosQuizz when it
// exists, else DIR itself when it looks like one (holds "infos" or
// "questions"), else DIR/InfosQuizz (which does not exist).
std::string DossierDonnees(const std::string& dossier);
