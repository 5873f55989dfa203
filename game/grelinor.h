// Grelinor's entry: one run of the quiz game, from the class-level screen to
// the end. Returns the process's exit code.
#pragma once
int GrelinorMain();
