// Lumicanvas — the media layer of Pivolette.
//
// Grelinor (the quiz game) and Tamarel (the display-configuration tool) draw,
// read the mouse and the keyboard, play sounds and open their data files only
// through the plain functions below. The layer stands on SDL2 and its
// companion libraries (SDL2_gfx, SDL2_ttf, SDL2_image, SDL2_mixer) and on
// zlib's minizip for the archive fused to each executable.
//
// Conventions of the whole API
// - Coordinates are screen pixels, (0, 0) top left, x to the right, y down.
//   The screen runs from 0 to GetMaxX() across and 0 to GetMaxY() down.
// - Every rectangle is given by two corners, both included: (x1, y1)–(x2, y2).
//   The pictures' "Adjust" calls take (x, y, w, h) and cover the rectangle
//   (x, y)–(x + w, y + h), corners included, like the shapes do, so that
//   PutImageAdjust(img, 0, 0, GetMaxX(), GetMaxY()) covers the whole screen.
// - Text is 8-bit Windows-1252 by default or UTF-8, as SetUFormat says.
// - Failures follow SDL's habit: a call says it failed by its result (0, -1
//   or nullptr as documented) and GetMediaError() tells why. The layer also
//   writes every error on standard error, and in a message box when
//   "MESSAGE_ERREUR=1" stands in LCConfig.txt. No call crashes on bad input:
//   a missing font, archive, picture or sound is reported and skipped.
// - Calls that poll (ClickMouse, GetMouseButton, GetMouseArea, KeyPressed,
//   GetKeyPressed, PlaySnd) hand the processor back for a moment when nothing
//   has happened since the last poll, so that a waiting loop stays cool while
//   a click or a key is still seen at once.
// - One thread: every call is made from the thread that called InitGraph.
#pragma once

#include <cstdint>
#include <cstdio>
#include <ctime>

// ---------------------------------------------------------------------------
// Start and stop
// ---------------------------------------------------------------------------

// Opens the display. Its size, full screen or window, and whether errors are
// shown in a box, come from LCConfig.txt in the working directory:
//   RESOLUTION_PREDEFINIE 0 the desktop's size, 1 320x200, 2 640x480,
//   3 800x600, 4 1024x768, 5 1400x1050, 6 1280x1024, 7 1600x1200,
//   8 2048x1536, 9 RESOLUTION_HORIZONTALE x RESOLUTION_VERTICALE;
//   PLEIN_ECRAN=1 full screen (a borderless window at (0, 0) of the
//   desktop's size, the screen scaled onto it keeping its proportions);
//   MESSAGE_ERREUR=1 error boxes (each different error once).
// Without the file: an 800 x 600 window; a key that is absent or not a number
// keeps that default, and so does an unknown code. A size the machine cannot
// show falls back to the largest standard size that fits the desktop.
// `mode` 4 keeps drawing hidden in the back buffer until ShowScreen() (the
// game); `mode` 3 shows every drawing call at once (the configuration tool).
// `a` and `b` are accepted as the programs pass them (1, 0 and 2, 0) and
// change nothing. Returns 1, or 0 when no display could be opened.
int InitGraph(int mode, int a, int b);
void SpriteMode(int on);   // accepted for the programs' start-up; no effect
void DrawingMode(int on);  // accepted for the programs' start-up; no effect
void InitMouse();          // shows the pointer and forgets every mouse area
int InitFont();            // loads the fonts from the program's archive; 1 or 0
void SetFontMode(int transparent);  // 1: no box behind text (the only mode drawn)
int InitSound();           // opens the sound device; silent but working without one
void CloseSound();
void CloseMouse();
void CloseFont();  // also puts the text format, size, style and position back
void CloseGraph();

// Ends the process with `code` after closing what is still open. Use it for
// every end of a program: the test harness turns it into the end of the
// scripted run instead of the end of the test process.
[[noreturn]] void ExitProgram(int code);

// Why the last failing call failed ("" when nothing failed yet).
const char* GetMediaError();

// ---------------------------------------------------------------------------
// Screen and colour
// ---------------------------------------------------------------------------

int GetMaxX();  // last column of the screen
int GetMaxY();  // last row of the screen
void Clear();   // the whole screen in black
// Presents the back buffer (mode 4). In mode 3 the screen is always shown.
void ShowScreen();

// The palette has 256 entries: 0..15 the sixteen classic colours (0 black,
// 1 blue, 2 green, 3 cyan, 4 red, 5 magenta, 6 brown, 7 light grey, 8 dark
// grey, 9 light blue, 10 light green, 11 light cyan, 12 light red,
// 13 light magenta, 14 yellow, 15 white), 16..255 the classic 256-colour
// VGA default palette.
void SetColor(int index);
void SetColorRGB(int r, int g, int b);
uint32_t PaletteRGB(int index);  // 0xRRGGBB of a palette entry
uint32_t GetPixelRGB(int x, int y);  // 0xRRGGBB of the back buffer at (x, y)

// ---------------------------------------------------------------------------
// Shapes, in the current colour, aliased and exact to the pixel
// ---------------------------------------------------------------------------

void PutPixel(int x, int y);
void DrawLine(int x1, int y1, int x2, int y2);
void DrawRectangle(int x1, int y1, int x2, int y2);  // outline
void Rectangle(int x1, int y1, int x2, int y2);      // outline, same as DrawRectangle
void DrawRectFill(int x1, int y1, int x2, int y2);
void DrawCircle(int x, int y, int r);
void DrawCircleFill(int x, int y, int r);
// Arc of radius r centred at (x, y) from angle `from` to angle `to`, in
// degrees: 0 points east and angles turn clockwise on the screen (90 south),
// as the countdown's dial turns. Angles written for the other way (90 north,
// as in the classic BGI arc) are mirrored by the caller: from, to becomes
// -to, -from. The credits' corner arcs are written in this layer's way.
void DrawArc(int x, int y, int from, int to, int r);
// Fills, with the current colour, the region of pixels around (x, y) that
// have the colour of (x, y); any other colour bounds it.
void DrawFloodFill(int x, int y);
// Moves the current position, where Text() and ReadLn() write next.
void MoveTo(int x, int y);

// ---------------------------------------------------------------------------
// Text
// ---------------------------------------------------------------------------

// Texts are drawn in the current colour, anti-aliased (the insides of the
// strokes exactly that colour), and every text call leaves the current
// position just after the text drawn, on the same line (top right).
// Control characters draw nothing (a tab or a line feed shows as a space).

// SetUFormat codes: the four bytes of "ASC8" and "UTF8"; any other code
// keeps the current format. The five bytes Windows-1252 leaves undefined
// show as "?"; in UTF-8 a byte that starts no valid sequence is read as
// Windows-1252.
constexpr int U_ASCII8 = 1095975736;
constexpr int U_UTF8 = 1431586360;
void SetUFormat(int format);

// Preset sizes 0..5 scaled to the screen: 14, 18, 24, 30, 40 and 56 pixels
// high on a 768-row screen, in proportion on others (at least 6); a preset
// outside 0..5 takes the nearest one.
void DimText(int preset);
void SetDimText(int height);  // text height in pixels, kept within 4..400
// Style of the following texts: 0 regular, 1 bold, 2 italic, 3 bold italic;
// add 4 for underlined. Other values are ignored.
void SetFontAttribute(int attribute);
int TextHeight();                 // height of a line at the current size
// Width in pixels of the text as OutCenterTextXY draws it: style marks not
// counted, marked runs measured in their style.
int TextLength(const char* text);
void TextXY(int x, int y, const char* text);        // top-left corner at (x, y)
void CenterTextXY(int x, int y, const char* text);  // centred on (x, y) both ways
// Like CenterTextXY, and "#i", "#b", "#u" start italic, bold, underlined
// runs (added to the SetFontAttribute style), each closed by the next "#"
// that is no mark. "##" draws one "#"; a "#" while no run is open is drawn
// as it stands.
void OutCenterTextXY(int x, int y, const char* text);
// Draws at the current position (top-left corner; MoveTo or the end of the
// previous text) and moves it just after the text.
void Text(const char* text);
// The decimal text of n, in a buffer of the layer's that the next eight
// calls leave alone.
const char* NbToTxt(int n);

// ---------------------------------------------------------------------------
// Pictures and bitmaps
// ---------------------------------------------------------------------------

struct Bitmap;    // a picture held by the layer
struct Datafile;  // an opened archive of pictures

// Opens an archive; "#" is the archive fused to the running executable.
// nullptr when there is none.
Datafile* GetData(const char* path);
// Object `index` of the archive (numbered from 0), nullptr when absent. It
// keeps its intrinsic size in pixels and belongs to the archive.
Bitmap* DataBitmap(Datafile* data, int index);
int DataCount(const Datafile* data);  // highest object index + 1; 0 for nullptr
void UnloadDatafile(Datafile* data);

Bitmap* CreateBitmap(int w, int h);  // black; nullptr for a size below 1
void DestroyBitmap(Bitmap* bitmap);  // nullptr is accepted
int BitmapWidth(const Bitmap* bitmap);
int BitmapHeight(const Bitmap* bitmap);
// Copies the w x h rectangle at (sx, sy) of src to (dx, dy) of dst.
void Blit(const Bitmap* src, Bitmap* dst, int sx, int sy, int dx, int dy, int w, int h);
// Copies the sw x sh rectangle at (sx, sy) of src scaled onto the dw x dh
// rectangle at (dx, dy) of dst.
void StretchBlit(const Bitmap* src, Bitmap* dst, int sx, int sy, int sw, int sh, int dx, int dy,
                 int dw, int dh);
// A new bitmap holding the screen rectangle (x1, y1)–(x2, y2), clipped to
// the screen; nullptr when none of it is on the screen.
Bitmap* GetImage(int x1, int y1, int x2, int y2);
void PutImage(const Bitmap* bitmap, int x, int y);  // at its own size
void PutImageAdjust(const Bitmap* bitmap, int x, int y, int w, int h);  // scaled
// Draws a picture file (PNG, JPEG, GIF, BMP, WebP, SVG) scaled into the
// rectangle; a missing or unreadable file draws nothing.
void ShowPictureAdjust(const char* path, int x, int y, int w, int h);
// Loads a picture file into a new bitmap; nullptr when it cannot be read.
// Pictures larger than the layer can hold are scaled down on loading.
Bitmap* GetDataIMG(const char* path, int flags);
// Draws the next frame of an animated GIF scaled into the rectangle. The
// caller keeps `state`, starting it at -1; each call moves it to the frame
// drawn. Returns 1 when a frame was drawn, 0 when the file cannot be read.
int ShowGIFAdjust(const char* path, int x, int y, int w, int h, int* state);
void FreeGIFS();  // forgets the GIFs that ShowGIFAdjust loaded

// ---------------------------------------------------------------------------
// Mouse
// ---------------------------------------------------------------------------

// Defines the next mouse area, (x1, y1)–(x2, y2) corners included, and
// returns its number: the lowest number not in use, so 0, 1, 2... in order
// of definition after InitMouse().
int DefineMouseArea(int x1, int y1, int x2, int y2);
void DestroyMouseArea(int number);
// The number of the area under the pointer (the lowest one when areas
// overlap), -1 when none.
int GetMouseArea();
// 0 none, 1 left, 2 right, 3 both. A quick click, pressed and released
// between two calls, still shows once as pressed if it is fresh (a quarter
// of a second), so that a loop waiting for a press does not miss it.
int GetMouseButton();
// 1 once for each press of a button since the last call, else 0.
int ClickMouse();
int GetMouseX();
int GetMouseY();
void HideMouse();
void ShowMouse();

// ---------------------------------------------------------------------------
// Keyboard
// ---------------------------------------------------------------------------

// Key codes: the Windows-1252 code of a typed character, 8 Backspace, 9 Tab,
// 13 Enter, 27 Escape; other keys 256 + their SDL scancode.
constexpr int KEY_BACKSPACE = 8;
constexpr int KEY_ENTER = 13;
constexpr int KEY_ESCAPE = 27;
int KeyPressed();      // 1 when a key waits in the buffer; leaves it there
int GetKeyPressed();   // takes the next waiting key, -1 when none waits
int ReadKey();         // waits for a key and takes it
void ClearKeyBuf();    // forgets every waiting key
// Line input at the current position, echoed in the current colour and size
// with a caret after it, with Backspace (which puts back what lay under the
// text), ended by Enter; Escape and the keys that type no character are
// ignored. Holds at most size - 1 bytes (in UTF-8 an accented letter takes
// two); `accept`, when given, refuses each character (its Windows-1252
// code) for which it returns 0. The buffer is NUL-terminated in the current
// text format; returns the number of characters.
int ReadLn(char* buffer, int size, int (*accept)(int ch) = nullptr);

// ---------------------------------------------------------------------------
// Sound
// ---------------------------------------------------------------------------

// The first call for a file starts it (MP3, OGG, WAV); each later call keeps
// it going and returns 1 once it has ended, 0 while it plays. A file that
// cannot be played counts as ended at once. Without a sound device sounds
// are silent and still take their time.
int PlaySnd(const char* path, int flags);
void StopSnd(const char* path);

// ---------------------------------------------------------------------------
// Video
// ---------------------------------------------------------------------------

// The questions' video extracts (MP4, WebM, AVI, MKV: H.264, MPEG-4, VP8,
// VP9 pictures with AAC, MP3, Vorbis or Opus sound), one at a time, with
// their sound. The decoder is loaded on the first OpenVideo; where it is
// missing, every video behaves as one that cannot be opened. A program opens a video, calls
// PlayVideo over and over until GetVideoCurrentTime() equals
// GetVideoEndTime(), then closes it.
//
// Both times are whole milliseconds from the start of the video. The current
// time grows as the video plays and equals the end time once the video has
// been played out (never before), and stays equal from then on. A video that
// cannot be opened or decoded (a missing file, a folder, a file that is not a
// video) gives 0 for both at once, so that a loop waiting for the end ends
// at once; so does a program that calls them with no video open. While a
// video's length is not yet known the end time is INT_MAX.
//
// Under the test harness a video follows the harness's clock: it is silent,
// its current time is the clock's time since OpenVideo (up to its length),
// and PlayVideo shows the picture due at that time; a test plays a video to
// its end by moving the clock (harness::Advance).

// Opens the video file (any earlier video is closed first). Waits a moment
// for the file to be read (a few seconds at most). The video starts at the
// first PlayVideo and then plays on by itself; failures are reported as
// every error of the layer is.
void OpenVideo(const char* path);
// Draws the video's current picture scaled into the rectangle (x, y)–(x + w,
// y + h), corners included, keeping its proportions (black bars fill the
// rest), and shows the screen. Call it in a loop: it draws only when a new
// picture is due (or the rectangle moved) and otherwise waits briefly, like
// every polling call. It never waits longer than about one picture. `flag`
// is accepted as the program passes it (0) and changes nothing.
void PlayVideo(int x, int y, int w, int h, int flag);
int GetVideoCurrentTime();  // milliseconds played; see above
int GetVideoEndTime();      // the video's length in milliseconds; see above
// Stops the video and releases everything it held; harmless when no video
// is open or when called twice.
void CloseVideo();

// ---------------------------------------------------------------------------
// Files
// ---------------------------------------------------------------------------

// 1 when the file exists (mode 0), else 0.
int ModeAccessFile(const char* path, int mode);
// Opens a data file, 0 to read or 1 to write (replacing its content), both
// in binary, waiting while another program holds it (a few seconds at most).
// nullptr when it cannot be opened.
FILE* WaitAccessFile(const char* path, int mode);
// Reads a file of "KEY=value" lines. Sets *value to the text after "=" of the
// first line whose key is `key` (spaces around the key and the "=" are
// allowed; case counts) and returns 1; sets *value to nullptr and returns 0
// when the key is absent or the file unreadable. The text stays valid until
// the next call.
int GetDataValue(const char* path, const char* key, const char** value);

// ---------------------------------------------------------------------------
// The rest
// ---------------------------------------------------------------------------

void Delay(int milliseconds);
int Random(int n);        // 0 .. n - 1, seeded at InitGraph; 0 when n < 1
// Windows-1252 letters, accents included (é -> É, ÿ -> Ÿ, œ -> Œ; ß stays).
// A char given signed (-128..-2) comes back signed; -1 (no key) stays -1.
int UToUpper(int ch);
int UToLower(int ch);
void Message(const char* text);  // a modal box in the current text format
// Calendar time in whole seconds, as time() gives it; the test harness drives
// it. Programs read the clock through this call only.
std::time_t ClockSeconds();
uint32_t ClockMillis();   // milliseconds since InitGraph, same clock
