// Tamarel's executable: SDL's portable entry point hands over to the tool.
#include <SDL.h>
#include "tamarel.h"

int main(int, char*[]) { return TamarelMain(); }
