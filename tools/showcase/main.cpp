// The example program's executable.
#include <SDL.h>
#include "showcase.h"

int main(int, char*[]) { return ShowcaseMain(); }
