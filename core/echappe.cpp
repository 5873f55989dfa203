#include "echappe.h"

std::string EchappeHtml(const std::string& texte) {
    std::string s;
    s.reserve(texte.size());
    for (char c : texte) {
        switch (c) {
        case '&': s += "&amp;"; break;
        case '<': s += "&lt;"; break;
        case '>': s += "&gt;"; break;
        case '"': s += "&quot;"; break;
        case '\'': s += "&#39;"; break;
        default: s += c;
        }
    }
    return s;
}
