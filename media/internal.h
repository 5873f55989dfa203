// What the concerns of the media layer share with each other. Not for the
// programs: they include lumicanvas.h only.
#pragma once

#include <SDL.h>

#include <array>
#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace lc {

// --- Display (display.cpp) ---------------------------------------------------

// The back buffer: a persistent 32-bit XRGB8888 surface the size of the
// screen. Every drawing call draws into it; nullptr before InitGraph.
SDL_Surface* Screen();
// The current colour as a pixel value of Screen()'s format.
uint32_t CurrentPixel();
// Every drawing call calls this once it has drawn: in mode 3 the screen is
// presented at once (shown on the window), in mode 4 nothing happens.
void Drawn();
// Shows the area of the back buffer (clipped to it) when nothing else was
// drawn since the screen was last shown whole; otherwise the whole screen,
// as ShowScreen() does. For a picture that changes alone, such as a video's.
void ShowArea(const SDL_Rect& area);
// True when the layer runs without a window (the test harness).
bool Headless();
// Has ExitProgram call `close` (once, however often this is called) before
// it closes the text and the display: the sound and the mouse ask this as
// they open, so that the display needs neither in a program that never
// opens them (the teacher's tool's text measure links SDL_ttf alone).
void CloseAtExit(void (*close)());
// The settings read from LCConfig.txt at InitGraph.
bool ErrorBoxes();
// Converts a pixel value of Screen()'s format (XRGB8888) to 0xRRGGBB.
// Inline: the harness converts whole screens with it.
inline uint32_t ToRGB(uint32_t pixel) { return pixel & 0xFFFFFFu; }
// Shows the last presented picture again (mode 4: the last ShowScreen();
// mode 3: the back buffer). The event pump calls it when the window was
// uncovered, moved or resized. Does nothing headless or before InitGraph.
void Present();
// Headless (the harness sets it before a run): InitGraph then opens no window
// and no video subsystem, only the back buffer, on a pretend 1920 x 1080
// desktop; ShowScreen() calls HarnessPresented(); ExitProgram calls
// HarnessExit(); no message box is ever shown.
void SetHeadless(bool headless);
// The software renderer that draws the shapes (SDL2_gfx) into Screen();
// nullptr before InitGraph.
SDL_Renderer* ShapeRenderer();
// The window, to parent message boxes; nullptr headless or before InitGraph.
SDL_Window* Window();
// Breaks a UTF-8 text into lines for a message box: each paragraph (ended by
// "\n") is cut at spaces so that every line `fits`; a word that fits no
// line alone is cut between two characters. Nothing is dropped.
std::string WrapText(const std::string& utf8, const std::function<bool(const std::string&)>& fits);
// Shows a modal box (the system's, else one drawn over the window) and
// returns once it is closed; false when none could be shown. Not for
// headless runs.
bool ShowBox(const std::string& utf8_text, bool error);

// The display settings of LCConfig.txt, each read as the configuration tool
// reads it (the number at the start of the value; a key that is absent keeps
// its default). `problems` lists, in words for the teacher, each value that
// could not be read and was replaced by its default.
struct DisplaySettings {
    int width = 800;       // RESOLUTION_HORIZONTALE, used with code 9
    int height = 600;      // RESOLUTION_VERTICALE, used with code 9
    int code = 9;          // RESOLUTION_PREDEFINIE, 0..9
    int full_screen = 0;   // PLEIN_ECRAN, 1 = full screen
    int error_boxes = 0;   // MESSAGE_ERREUR, 1 = error boxes
    std::string problems;
};
// Reads the file; a missing file gives the defaults (an 800 x 600 window).
DisplaySettings ReadDisplaySettings(const char* path);
struct DisplaySize {
    int width = 800;
    int height = 600;
    bool full_screen = false;
    std::string fallback;  // why the size asked for was replaced, "" when it was not
};
// The size of the back buffer for these settings on a desktop of the given
// size: code 0 the desktop's size, 1..8 the standard sizes, 9 width x height.
// A size that does not fit the desktop (or is below 320 x 200, or an unknown
// code) falls back to the largest standard size that fits.
DisplaySize ChooseDisplaySize(const DisplaySettings& settings, int desktop_w, int desktop_h);

// --- Errors (errors.cpp) -----------------------------------------------------

// Records why a call failed (printf format): GetMediaError() returns it, it
// is written on standard error, and shown in a box when ErrorBoxes().
void Fail(const char* format, ...) SDL_PRINTF_VARARG_FUNC(1);
// How Fail shows its box: set by the display's file, so that the layer's
// parts without a display (files, letter case) need none.
void SetFailureBox(void (*box)(const std::string& error));

// --- Clock and idle polling (input.cpp with harness.cpp) -----------------------

// Milliseconds since InitGraph on the layer's clock (real, or the harness's).
uint32_t NowMs();
// Gathers what happened (window events, or the harness's scripted events)
// into the mouse and keyboard state. Every polling call starts with it.
void PumpEvents();
// A polling call that found nothing new calls this: with a window it sleeps
// until the next event, never past the start of a new second (so that a
// countdown still sees each second) nor past what WakeIn asked; under the
// harness it hands over to the test once the program has gone round its
// waiting loop. `site` tells the waiting loop's polls apart (the polling
// call's return address; nullptr is one more site of its own).
void IdlePoll(const void* site = nullptr);
// The next idle wait with a window ends within `ms` milliseconds at the
// latest: what the layer plays by itself (a video's next picture, the end of
// a sound) asks for the moment it needs the program again. Forgotten once
// that wait is over; ignored under the harness, whose clock is the test's.
void WakeIn(uint32_t ms);
// A polling call that found something new (a click, a key, another button
// state, the end of a sound) calls this: under the harness the program is
// busy again and goes once more round its loop before the test's turn.
void PollFound();

// --- Mouse and keyboard state (input.cpp) -------------------------------------------

// What the event pump (window events or the harness's script) feeds in.
// Coordinates are back-buffer pixels; button 1 left, 2 right.
void InputPointer(int x, int y);
void InputButton(int button, bool down);
void InputKey(int code);  // a key code as GetKeyPressed() returns it
// False between HideMouse() and ShowMouse().
bool PointerShown();

// --- Random numbers (misc.cpp) ---------------------------------------------------

// Seeds Random(). InitGraph seeds it from the time with a window; headless it
// leaves the generator alone, so the harness seeds it before each run and
// runs stay repeatable.
void SeedRandom(unsigned seed);

// --- File names (files.cpp) ----------------------------------------------------

// The name of a file the program names, in UTF-8. The game holds names in
// Windows-1252 (quiz file, typed names) or UTF-8: a name that is not UTF-8
// already is converted, so that "éléphant.png" in a quiz finds the picture a
// teacher saved under that name. Linux takes these bytes as they are; on
// Windows SDL, ffmpeg and the file helpers open them through UTF-16 names
// (whatever the computer's code page).
std::string NativePath(const char* path);

// --- Archive (archive.cpp) -----------------------------------------------------

// The path of the archive "#": the running executable, or the one the
// harness names.
std::string FusedArchivePath();
// Names the archive "#" stands for (the harness: a built program's archive);
// "" goes back to the running executable.
void SetFusedArchivePath(const std::string& path);
// Reads a whole file of the fused archive (e.g. "fonts/DejaVuSans.ttf");
// false when it is absent.
bool ReadFromArchive(const std::string& name, std::string& bytes);

// --- Windows-1252 and UTF-8 (encoding.cpp) ---------------------------------------

// Converts UTF-8 to Windows-1252 (characters it cannot hold become '?').
std::string Utf8ToCp1252(const std::string& text);
// Appends the UTF-8 of bytes [begin, end) read in `format` (U_ASCII8 or
// U_UTF8). With `drawable` the control characters are left out (a tab or a
// line feed becomes a space) so that no "missing glyph" box is ever drawn.
void ConvertToUtf8(const char* begin, const char* end, int format, bool drawable, std::string& out);
// Converts Windows-1252 bytes to UTF-8, every byte kept (no drawing rules).
std::string Cp1252ToUtf8(const std::string& text);
// True when the bytes are well-formed UTF-8 (plain ASCII is).
bool IsUtf8(const std::string& text);

// --- Text (text.cpp) -----------------------------------------------------------

// Converts text in the current format (SetUFormat) to UTF-8 for SDL_ttf.
std::string ToUtf8(const char* text);
// Draws a text in the current colour, size and style with its top-left
// corner at (x, y), "#" marks drawn as they stand, without moving the
// current position; used by ReadLn's echo.
void DrawTextAt(int x, int y, const char* text);
// The width DrawTextAt (and TextXY, CenterTextXY, Text) gives a text: its
// "#" marks are characters like the others, unlike TextLength's.
int PlainTextWidth(const char* text);
// True when texts are read as UTF-8 (SetUFormat(U_UTF8)).
bool TextIsUtf8();
int CurrentTextX();
int CurrentTextY();
void SetCurrentTextPosition(int x, int y);

// --- Harness (hooks.cpp; the harness itself is harness.cpp, linked by the
// tests and the bench only) --------------------------------------------------

// What a test harness does in place of the display, the clock and the event
// queue. The programs leave every hook empty: the Harness* calls below then
// do nothing (the clock stays at 0). The harness fills them when it starts
// a scripted run.
struct HarnessHooks {
    void (*presented)() = nullptr;
    void (*message)(const std::string& utf8_text) = nullptr;
    void (*sound)(const std::string& path) = nullptr;
    void (*text)(const std::string& utf8_text, int x, int y, int w, int h, uint32_t rgb) = nullptr;
    void (*exit)(int code) = nullptr;  // must not return
    uint32_t (*now_ms)() = nullptr;
    std::time_t (*start_time)() = nullptr;
    void (*advance_clock)(uint32_t ms) = nullptr;
    void (*pump)() = nullptr;
    void (*idle)(const void* site) = nullptr;
    void (*found)() = nullptr;
    void (*check_stop)() = nullptr;
};
void SetHarnessHooks(const HarnessHooks& hooks);


// Called by ShowScreen() and Message() so that the harness can record them.
void HarnessPresented();
void HarnessMessage(const std::string& utf8_text);
void HarnessSound(const std::string& path);
// Called by every text drawing call: the text (UTF-8), the rectangle of its
// line (top-left corner, advance, line height) and its colour 0xRRGGBB.
// The mouse areas defined now, as x1, y1, x2, y2 (input.cpp).
std::vector<std::array<int, 4>> MouseAreas();
void HarnessText(const std::string& utf8_text, int x, int y, int w, int h, uint32_t rgb);
// Called by ExitProgram under the harness: ends the scripted run.
[[noreturn]] void HarnessExit(int code);
// The clock and the event pump while headless: the harness's virtual
// milliseconds (0 at Start), moving the clock forward (Delay), applying the
// scripted events due, and the idle hand-over to the test. Outside a harness
// run they keep the clock at 0 and do nothing.
uint32_t HarnessNowMs();
std::time_t HarnessStartTime();
void HarnessAdvanceClock(uint32_t ms);
void HarnessPump();
void HarnessIdle(const void* site);
void HarnessFound();
// Throws the end of the run when the test has stopped it (Stop()): the clock
// and Delay call it so that a program waiting on the clock also unwinds.
void HarnessCheckStop();

// --- Owning SDL objects ----------------------------------------------------------

struct SurfaceDeleter {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

}  // namespace lc
