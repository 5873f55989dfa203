// The example program's executable: `showcase [folder]`, the folder holding
// the picture file and the GIF it shows (the working directory by default;
// the source tree keeps them in assets/showcase/files).
#include <SDL.h>

#include "showcase.h"

int main(int argc, char* argv[]) { return ShowcaseMain(argc > 1 ? argv[1] : nullptr); }
