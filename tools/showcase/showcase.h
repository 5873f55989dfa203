// The media layer's example program: one screen of shapes, a flood-filled
// ring, texts with style marks in both text formats, an archive picture, a
// picture file, an animated GIF and three boxes that light up when clicked.
// Escape ends it.
//
// Positions are those of a 1024 x 768 screen, scaled to the screen opened
// (LCConfig.txt decides its size, as for the game).
#pragma once

namespace showcase {

// The screen's places, on the 1024 x 768 reference screen.
constexpr int kBackground[3] = {20, 28, 44};  // RGB of the screen's ground

// Shapes.
constexpr int kFillRect[4] = {225, 115, 295, 175};   // DrawRectFill, colour 4
constexpr int kOutlineRect[4] = {210, 100, 310, 190};  // DrawRectangle, colour 12
constexpr int kCircle[3] = {410, 150, 55};     // DrawCircle, colour 11
constexpr int kDisc[3] = {410, 150, 35};       // DrawCircleFill, colour 3
constexpr int kLowerArc[3] = {260, 280, 60};   // DrawArc 0..180 (the lower half), colour 13
constexpr int kUpperArc[3] = {410, 300, 50};   // DrawArc 180..360 (the upper half), colour 14

// Pictures: archive object 0, the picture file, the GIF, and a copy of the
// top-left quarter of object 0 taken back from the screen.
constexpr int kObject[4] = {540, 100, 127, 127};  // x, y, w, h
constexpr int kPhoto[4] = {690, 100, 159, 119};
constexpr int kGif[4] = {880, 100, 95, 95};
constexpr int kCopy[2] = {540, 280};
constexpr int kGifFrameMs = 500;  // the GIF moves on every half second

// The ring: two white circles, the space between them flood-filled in
// colour 10.
constexpr int kRing[4] = {130, 520, 80, 40};  // x, y, outer and inner radius

// The three boxes (mouse areas 0, 1, 2): colour 7, colour 12 once clicked.
constexpr int kBoxes[3][4] = {{260, 430, 480, 480}, {260, 500, 480, 550}, {260, 570, 480, 620}};
constexpr int kBoxColour = 7;
constexpr int kChosenColour = 12;

// Texts: the style-marks line, in colour 14, centred at this point.
constexpr int kMarksLine[2] = {764, 640};

}  // namespace showcase

// Runs the example program; `files` is the folder holding the picture file
// "paysage.png" and the GIF "feux.gif" (nullptr: the working directory).
// Returns 0 at Escape, 1 when no display could be opened.
int ShowcaseMain(const char* files = nullptr);
