// The headless test harness of the media layer.
//
// A test plays a whole run of a program, its code unchanged, with no display
// and no sound card. The program runs on a thread of its own; the test and
// the program take turns (lockstep):
//
// - The program runs until it becomes idle: it polls the mouse, the keyboard
//   or a sound (ClickMouse, GetMouseButton, GetMouseArea, KeyPressed,
//   GetKeyPressed, ReadKey, ReadLn, PlaySnd) and no scripted event is left.
//   It then waits for the test.
// - While the program waits, the test reads the back buffer, the files the
//   program wrote, the messages it showed; then it scripts input or moves
//   the clock, and each such call lets the program run until it is idle again
//   (or has ended).
//
// "Idle" means the program has gone once round its waiting loop since the
// last thing happened: a scripted event, a step of the clock, the start. Each
// polling call found nothing new, and one of them comes round again. A
// polling call whose answer repeats (the same button state, the same area)
// counts as finding nothing new. A program that loops without ever polling
// (waiting on the clock alone) never becomes idle: Healthy() turns false.
//
// The events of one scripted call reach the program together, at its next
// poll: ClickAt's press and release both, which ClickMouse() counts as one
// click and GetMouseButton() still reports once as pressed (as it does a
// quick click with a window); Type's characters all wait in the key buffer.
//
// The clock (ClockSeconds, ClockMillis, and Delay, which moves it forward at
// once instead of sleeping) belongs to the test: it moves only by Delay and
// by Advance(). Sounds are silent and take their real length on that clock.
//
// The end of a run (ExitProgram, Stop) unwinds the program's thread with an
// exception of the harness's own: a program must not swallow it with
// catch (...) (rethrow what it does not know).
//
// Example:
//   harness::Options o; o.archive = GRELINOR_ARCHIVE;
//   harness::Start([] { return GrelinorMain(); }, o);
//   harness::ClickAt(300, 400);          // left press and release there
//   EXPECT_EQ(harness::Pixel(310, 410), PaletteRGB(12));
//   harness::Key(27);
//   EXPECT_TRUE(harness::Finished());
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace harness {

struct Options {
    std::string archive;           // the zip that GetData("#") opens
    std::time_t start_time = 1765000000;  // ClockSeconds() at the start
    int idle_timeout_ms = 20000;   // real time allowed to reach idle before failing
    unsigned random_seed = 1;      // Random() gives the same numbers for the same seed
};

// Starts `program` headless on its own thread and returns once it is idle or
// has ended. A run still going is stopped first.
void Start(std::function<int()> program, const Options& options = {});
// Ends the run: a program still waiting unwinds from its poll (every later
// poll and clock reading throws the end of the run), then the layer is
// closed (sound, mouse, fonts, display) so that the next Start begins clean.
// What the run left (back buffer, messages, sounds) stays readable until the
// next Start. Safe to call twice.
void Stop();

bool Finished();     // the program has returned or called ExitProgram
int ExitCode();      // its result, once Finished()
// False when the program did not become idle within the timeout (a busy loop
// or a deadlock); the test should then fail.
bool Healthy();

// Input. Each call queues its events at the current time, then lets the
// program run until it is idle again.
void MoveTo(int x, int y);
void Press(int button = 1);    // 1 left, 2 right
void Release(int button = 1);
void ClickAt(int x, int y, int button = 1);  // move, press, release
void Key(int code);            // one key code as GetKeyPressed returns it
void Type(const std::string& text);  // Windows-1252 characters, one key each
void CloseWindow();            // what the window's close button does (ExitProgram(0))

// Moves the clock forward by `ms`, in steps of `step_ms`, letting the
// program run until idle after each step. Stops early when the program ends.
void Advance(int ms, int step_ms = 10);
uint32_t Now();  // the clock, milliseconds since Start (ClockMillis())

// What the program has drawn, read while it waits.
uint32_t Pixel(int x, int y);  // 0xRRGGBB of the back buffer
// The last presented frame (mode 4: what ShowScreen() showed last; mode 3:
// the back buffer), as 0xRRGGBB rows.
std::vector<uint32_t> Frame(int* width = nullptr, int* height = nullptr);
std::vector<uint32_t> BackBuffer(int* width = nullptr, int* height = nullptr);
// The centre of the pixels of colour `rgb` (0xRRGGBB) inside the rectangle
// (x1, y1)-(x2, y2) of an image of those rows (Frame, BackBuffer): where a
// test clicks a button it knows by its colour. False when there is none.
bool CentreOfColour(const std::vector<uint32_t>& image, int width, int height, uint32_t rgb, int x1, int y1,
                    int x2, int y2, int* cx, int* cy);
bool SavePNG(const std::string& path);  // the back buffer
// Saves the back buffer as NAME.png in the folder named by the environment
// variable PIVOLETTE_SHOTS, else in <temporary folder>/pivolette-shots, says
// where on standard error and returns the path ("" when nothing was saved).
// Meant for a fixture's TearDown: if (HasFailure()) harness::SaveShot(name).
std::string SaveShot(const std::string& name);
// Called on the program's thread at each ShowScreen(), to catch what a
// Delay would hide (a highlight held for a second).
void OnPresent(std::function<void()> hook);
int Presents();  // how many ShowScreen() calls so far
bool PointerShown();  // false between HideMouse() and ShowMouse()

// The texts given to Message(), in order, as UTF-8.
const std::vector<std::string>& Messages();
// The sound files started with PlaySnd, in order.
const std::vector<std::string>& Sounds();

// One text drawn by the program: the text (UTF-8), the rectangle of its line
// (top-left corner, advance in pixels, line height) and its colour.
struct TextDrawn {
    std::string text;
    int x, y, w, h;
    uint32_t rgb;  // 0xRRGGBB
};
// The mouse areas the program has defined now, corners included.
struct Zone {
    int x1, y1, x2, y2;
};
std::vector<Zone> MouseAreas();

// Every text drawn since Start or the last ClearTexts, in order.
const std::vector<TextDrawn>& Texts();
void ClearTexts();

}  // namespace harness
