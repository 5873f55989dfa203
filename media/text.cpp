// Stub: being written.
#include "lumicanvas.h"
#include "internal.h"

int InitFont() { return 0; }
void SetFontMode(int /*transparent*/) {  }
void CloseFont() {  }
void SetUFormat(int /*format*/) {  }
void DimText(int /*preset*/) {  }
void SetDimText(int /*height*/) {  }
void SetFontAttribute(int /*attribute*/) {  }
int TextHeight() { return 0; }
int TextLength(const char* /*text*/) { return 0; }
void TextXY(int /*x*/, int /*y*/, const char* /*text*/) {  }
void CenterTextXY(int /*x*/, int /*y*/, const char* /*text*/) {  }
void OutCenterTextXY(int /*x*/, int /*y*/, const char* /*text*/) {  }
void Text(const char* /*text*/) {  }
const char* NbToTxt(int /*n*/) { return ""; }
