// Stub: being written.
#include "lumicanvas.h"
#include "internal.h"
#include <cstdlib>

int InitGraph(int /*mode*/, int /*a*/, int /*b*/) { return 0; }
void SpriteMode(int /*on*/) {  }
void DrawingMode(int /*on*/) {  }
void CloseGraph() {  }
[[noreturn]] void ExitProgram(int /*code*/) { std::exit(0); }
const char* GetMediaError() { return ""; }
int GetMaxX() { return 0; }
int GetMaxY() { return 0; }
void Clear() {  }
void ShowScreen() {  }
void SetColor(int /*index*/) {  }
void SetColorRGB(int /*r*/, int /*g*/, int /*b*/) {  }
uint32_t PaletteRGB(int /*index*/) { return 0; }
uint32_t GetPixelRGB(int /*x*/, int /*y*/) { return 0; }
