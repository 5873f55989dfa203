// Rasterises pictures exactly as the game's picture loader does (SDL2_image,
// whose SVG support is nanosvg), so the artwork can be looked at before the
// game draws it. Build and run:
//   g++ -std=c++20 svg2png.cpp $(pkg-config --cflags --libs sdl2 SDL2_image) -o /tmp/svg2png
//   /tmp/svg2png in.svg out.png [width height]
#include <SDL.h>
#include <SDL_image.h>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 3 && argc != 5) {
    std::fprintf(stderr, "usage: svg2png in.svg out.png [width height]\n");
    return 2;
  }
  SDL_Surface* picture = nullptr;
  SDL_RWops* file = SDL_RWFromFile(argv[1], "rb");
  if (file != nullptr && argc == 5) {
    picture = IMG_LoadSizedSVG_RW(file, std::atoi(argv[3]), std::atoi(argv[4]));
    SDL_RWclose(file);
  } else if (file != nullptr) {
    picture = IMG_Load_RW(file, 1);
  }
  if (picture == nullptr) {
    std::fprintf(stderr, "cannot read %s: %s\n", argv[1], IMG_GetError());
    return 1;
  }
  std::printf("%s: %d x %d\n", argv[1], picture->w, picture->h);
  const int failed = IMG_SavePNG(picture, argv[2]);
  SDL_FreeSurface(picture);
  return failed == 0 ? 0 : 1;
}
