// Grelinor's executable: SDL's portable entry point hands over to the game.
#include <SDL.h>
#include "grelinor.h"

int main(int, char*[]) { return GrelinorMain(); }
