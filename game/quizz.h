// The game driver's pieces that the screens share: the end of the media
// library, the release of the run's resources, the archive's pictures.
#pragma once

// Stops the media library: sound, mouse, font, graphics, in this order.
// Called before every end of the program.
void Close();

// Builds the nine screen pieces of the question screen (Quizz, Gagnant,
// Choix1 ... Choix7) from the archive's background and end-of-quiz panel.
void CreeMorceaux();

// Forgets every mouse area and defines the six of the question screen:
// answers 1 to 4 (areas 0 to 3), the corner mark (4), the thumbnail (5).
void DefinitZonesQuestion();

// Releases the archive and the nine screen pieces of the question screen.
void LibereRessources();

// Ends the run after a data problem: the message of MessageErreur in a box,
// the resources released, Close(), the end of the program.
[[noreturn]] void ArretSurErreur();

// Draws archive object `index` scaled into (x, y, w, h), in pixels; an
// object the archive lacks draws nothing.
void DessineObjet(int index, int x, int y, int w, int h);

// The end of the quiz: the question and answers wiped, the "FIN DU QUIZZ !"
// panel, then the correction review. Does not return.
[[noreturn]] void FinQuizz();
