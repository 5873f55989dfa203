// Stub: being written.
#include "harness.h"
#include "internal.h"
#include <cstdlib>
namespace harness {
void Start(std::function<int()>, const Options&) {}
void Stop() {}
bool Finished() { return true; }
int ExitCode() { return 0; }
bool Healthy() { return false; }
void MoveTo(int, int) {}
void Press(int) {}
void Release(int) {}
void ClickAt(int, int, int) {}
void Key(int) {}
void Type(const std::string&) {}
void CloseWindow() {}
void Advance(int, int) {}
uint32_t Pixel(int, int) { return 0; }
std::vector<uint32_t> Frame(int*, int*) { return {}; }
std::vector<uint32_t> BackBuffer(int*, int*) { return {}; }
bool SavePNG(const std::string&) { return false; }
void OnPresent(std::function<void()>) {}
int Presents() { return 0; }
const std::vector<std::string>& Messages() { static std::vector<std::string> v; return v; }
const std::vector<std::string>& Sounds() { static std::vector<std::string> v; return v; }
}  // namespace harness
