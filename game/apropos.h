// The credits screen shown after the final score.
#pragma once

// Draws the credits screen and returns at once; reads no input and leaves
// the pointer hidden.
void APropos();

// The credits screen at the end of a run, until a key; the keys typed
// meanwhile are then forgotten.
void AProposFinal();
