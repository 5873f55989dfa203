// Tamarel, the display-configuration tool of Pivolette.
//
// It opens its display while LCConfig.txt is moved aside (so that a broken
// configuration never keeps the tool itself from showing), shows the five
// display settings of the file on one screen, lets the teacher pick the
// predefined resolution, full-screen display and error messages with the
// mouse, and on leaving either saves the settings (any key) or leaves the file
// as it was (Escape).
#pragma once

#include <string>

#include "lumicanvas.h"

// Tamarel's entry: start-up, the one screen, the interaction loop and the
// ending. Returns the process's exit code: 0, or 1 when no display could be
// opened.
int TamarelMain();

// The archive fused to Tamarel (object 0: the screen's background); nullptr
// when it cannot be opened, and the tool works without it.
extern Datafile* DonneesTamarel;

// Start-up: the display opens (the file set aside meanwhile), the mouse,
// the fonts and the archive, then the whole screen is drawn. 0 when no
// display could be opened.
int OuvreTamarel();
// Releases the archive and closes the fonts, the mouse and the display.
void FermeTamarel();

// --- The configuration file (fichier_config.cpp) ----------------------------

// The file the media layer reads when a program opens its display, and the
// name it waits under while Tamarel opens its own display. A save is written
// beside it under a temporary name of its own, then replaces it in one step.
// "LCConfig.txt" and "LCConfig.tmp" in the working directory, or in this
// computer's own folder when the data folder is on the network (lcconfig.h).
std::string FichierConfig();
std::string FichierConfigAttente();

// The five display settings while Tamarel runs.
extern int ResolutionHorizontale;  // width with code 9, default 800
extern int ResolutionVerticale;    // height with code 9, default 600
extern int ResolutionPredefinie;   // resolution code 0..9, default 9
extern int PleinEcran;             // 1 full screen, anything else windowed
extern int MessageErreur;          // 1 error boxes shown, anything else not

// The last line of the file: who wrote it. Each starts with the newline that
// leaves an empty line before it.
extern const char* const SignatureCree;    // the defaults, when there was no file
extern const char* const SignatureGenere;  // the teacher's choices, saved

// Puts the five settings back to their built-in defaults (800, 600, 9, 0, 0).
void ConfigParDefaut();

// Opens Tamarel's display with InitGraph(3, 2, 0) while the configuration
// file waits as LCConfig.tmp, then puts it back; when there was no file, the
// defaults file is written. A LCConfig.tmp left over by an interrupted run
// comes back too. Returns InitGraph's result: when the display cannot open
// the teacher's file is still put back, and nothing is created.
int InitGraphHorsConfig();

// Reads one setting by its key ("RESOLUTION_PREDEFINIE", ...): when the file
// exists and holds the key, the setting takes the value as the game reads
// it (lcconfig.h: leading spaces, a sign, the digits up to the first other
// character); a value the game cannot use (no digits, beyond the int range)
// gives the default the game applies instead. Otherwise the setting keeps
// its value. An unknown key changes nothing.
void LitConfig(const char* cle);

// Writes the whole file: the five settings, one "KEY=value" line each, then
// the signature. The bytes go to a temporary file of this save beside it
// (core/ecriture.h), are flushed to the disk, and then replace LCConfig.txt
// in one rename, so that a crash or a full disk never leaves a cut
// configuration and two saves at once both succeed. Returns 1, or 0 when the file could not
// be written: the previous file is then untouched, and the reason is told on
// standard error and in a message box.
int EcritConfig(const char* signature);

// --- The screen (ecran_config.cpp) ----------------------------------------------

// The reference screen is 1024 x 768; positions are scaled by these.
extern float CorrectionX;
extern float CorrectionY;
// True once a click has changed a choice during this run.
extern bool ChoixModifie;

// Computes CorrectionX and CorrectionY from the open display.
void CalculeCorrection();
// Draws the whole screen over the archive's background (object 0, nothing
// when it is absent), reading each setting just before the row that shows
// it, and defines the mouse areas 0 to 13.
void AfficheEcranConfig(Datafile* archive);
// Acts on mouse area 0..13 as a left click on it does; any other number does
// nothing. A choice that changes is redrawn at once.
void AgitZone(int zone);
// Polls the keyboard and the mouse until a key is pressed, acting on the
// area under the pointer whenever the left button alone is down (a click and
// a key seen in the same pass: the click first); returns the key's code.
int BoucleConfig();
// The parting message, in colour 13 after any change of a choice, else 14:
// Escape leaves the file as it is, any other key saves the five settings.
// The message stays a second and a half.
void FinConfig(int touche);
