// Placing on the 1024 x 768 reference screen: a reference x is multiplied by
// CorrectionX and a reference y by CorrectionY; a pixel offset is added in
// floating point before the whole is truncated toward zero.
#pragma once
#include "lumicanvas.h"

// The open window's scale against the reference screen: (GetMaxX() + 1) /
// 1024 and (GetMaxY() + 1) / 768; 1 before a window is open. Read from the
// window, it can never disagree with it.
inline float CorrectionX() { return GetMaxX() > 0 ? (GetMaxX() + 1) / 1024.0f : 1.0f; }
inline float CorrectionY() { return GetMaxY() > 0 ? (GetMaxY() + 1) / 768.0f : 1.0f; }

// A reference x or y (or width, height) in screen pixels.
inline int RX(double v) { return static_cast<int>(v * CorrectionX()); }
inline int RY(double v) { return static_cast<int>(v * CorrectionY()); }
// A pixel position moved by a reference x or y offset.
inline int PX(double pixels, double ref) { return static_cast<int>(pixels + ref * CorrectionX()); }
inline int PY(double pixels, double ref) { return static_cast<int>(pixels + ref * CorrectionY()); }
// A reference y moved by a pixel offset.
inline int RYPlus(double ref, double pixels) { return static_cast<int>(ref * CorrectionY() + pixels); }
// Text "size n": n reference rows high, scaled by CorrectionY.
inline void TailleTexte(double n) { SetDimText(RY(n)); }
