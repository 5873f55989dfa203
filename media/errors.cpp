// The layer's last error: recorded, written on standard error, and boxed by
// the display when a program has one.
#include "lumicanvas.h"
#include "internal.h"

#include <cstdarg>
#include <cstdio>
#include <string>

namespace {

std::string g_error;
void (*g_box)(const std::string&) = nullptr;

}  // namespace

namespace lc {

void SetFailureBox(void (*box)(const std::string& error)) { g_box = box; }

void Fail(const char* format, ...) {
    char text[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    g_error = text;
    std::fprintf(stderr, "Lumicanvas : %s\n", text);
    if (g_box) g_box(g_error);
}

}  // namespace lc

const char* GetMediaError() { return g_error.c_str(); }
