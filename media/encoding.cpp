// The layer's texts between Windows-1252 and UTF-8, through the shared
// conversions of encodage.h. Nothing here needs the display: the file
// helpers use it too.
#include <string>
#include <string_view>

#include "encodage.h"
#include "internal.h"
#include "lumicanvas.h"

namespace lc {

void ConvertToUtf8(const char* begin, const char* end, int format, bool drawable,
                   std::string& out) {
    const std::string_view text(begin, static_cast<std::size_t>(end - begin));
    for (std::size_t k = 0; k < text.size();) {
        const std::size_t start = k;
        long u = format == U_UTF8 ? LitPointUtf8(text, k) : -1;
        if (u < 0) {
            k = start + 1;
            u = Point1252(static_cast<unsigned char>(text[start]));
            if (u < 0) u = '?';
        }
        if (drawable && (u < 0x20 || u == 0x7F || (u >= 0x80 && u < 0xA0))) {
            if (u == '\t' || u == '\n') out += ' ';
            continue;
        }
        AjouteUtf8(out, u);
    }
}

std::string Cp1252ToUtf8(const std::string& text) {
    std::string out;
    ConvertToUtf8(text.data(), text.data() + text.size(), U_ASCII8, false, out);
    return out;
}

bool IsUtf8(const std::string& text) { return EstUtf8(text); }

std::string Utf8ToCp1252(const std::string& text) { return Cp1252DeUtf8(text, '?'); }

}  // namespace lc
