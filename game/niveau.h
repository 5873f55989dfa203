// The class-level screen, the first screen of every run.
#pragma once

// Draws the six class levels and the confirm button, and returns once a
// level is chosen and confirmed, its code (3 .. 8) left in QuelNiveau.
void ChoixNiveau();
