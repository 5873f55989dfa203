// Stub: being written.
#include "lumicanvas.h"
#include "internal.h"

void InitMouse() {  }
void CloseMouse() {  }
int DefineMouseArea(int /*x1*/, int /*y1*/, int /*x2*/, int /*y2*/) { return 0; }
void DestroyMouseArea(int /*number*/) {  }
int GetMouseArea() { return 0; }
int GetMouseButton() { return 0; }
int ClickMouse() { return 0; }
int GetMouseX() { return 0; }
int GetMouseY() { return 0; }
void HideMouse() {  }
void ShowMouse() {  }
int KeyPressed() { return 0; }
int GetKeyPressed() { return 0; }
int ReadKey() { return 0; }
void ClearKeyBuf() {  }
int ReadLn(char* /*buffer*/, int /*size*/, int (*/*accept*/)(int /*ch*/)) { return 0; }
