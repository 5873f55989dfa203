// Placing on the 1024 x 768 reference screen: a reference x is multiplied by
// CorrectionX and a reference y by CorrectionY; a pixel offset is added in
// floating point before the whole is truncated toward zero.
#pragma once
#include "etat.h"
#include "lumicanvas.h"

// A reference x or y (or width, height) in screen pixels.
inline int RX(double v) { return static_cast<int>(v * Vue.CorrectionX); }
inline int RY(double v) { return static_cast<int>(v * Vue.CorrectionY); }
// A pixel position moved by a reference x or y offset.
inline int PX(double pixels, double ref) { return static_cast<int>(pixels + ref * Vue.CorrectionX); }
inline int PY(double pixels, double ref) { return static_cast<int>(pixels + ref * Vue.CorrectionY); }
// A reference y moved by a pixel offset.
inline int RYPlus(double ref, double pixels) { return static_cast<int>(ref * Vue.CorrectionY + pixels); }
// Text "size n": n reference rows high, scaled by CorrectionY.
inline void TailleTexte(double n) { SetDimText(RY(n)); }
