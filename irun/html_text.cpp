// Character output for the HTML writer.
#include "html_text.h"

namespace irun {

char32_t cleanCharacter(char32_t c) {
    if (c < 0x20) return c == '\t' || c == '\n' ? c : 0;
    if (c == 0x7F) return 0;
    if (c >= 0x80 && c < 0xA0) return 0;
    if (c >= 0xD800 && c < 0xE000) return kReplacement;
    if (c > 0x10FFFF) return kReplacement;
    if ((c >= 0xFDD0 && c <= 0xFDEF) || (c & 0xFFFE) == 0xFFFE) return kReplacement;
    return c;
}

void appendHundredths(long long hundredths, std::string& out) {
    if (hundredths < 0) {
        out += '-';
        hundredths = -hundredths;
    }
    out += std::to_string(hundredths / 100);
    int fraction = static_cast<int>(hundredths % 100);
    if (fraction == 0) return;
    out += '.';
    out += static_cast<char>('0' + fraction / 10);
    if (fraction % 10) out += static_cast<char>('0' + fraction % 10);
}

void HtmlText::asciiText(const char* p, size_t n, std::string& out) {
    const char* run = p;
    const char* end = p + n;
    for (; p < end; ++p) {
        const char* entity;
        switch (*p) {
            case '<': entity = "&lt;"; break;
            case '>': entity = "&gt;"; break;
            case '&': entity = "&amp;"; break;
            default: continue;
        }
        out.append(run, static_cast<size_t>(p - run));
        out += entity;
        run = p + 1;
    }
    out.append(run, static_cast<size_t>(end - run));
}

void HtmlText::put(char32_t c, std::string& out) {
    if (output_.encode(c, out)) return;
    out += "&#";
    out += std::to_string(static_cast<unsigned long>(c));
    out += ';';
}

void HtmlText::text(char32_t c, std::string& out) {
    c = cleanCharacter(c);
    switch (c) {
        case 0: return;
        case '<': out += "&lt;"; return;
        case '>': out += "&gt;"; return;
        case '&': out += "&amp;"; return;
        default: put(c, out);
    }
}

void HtmlText::attribute(char32_t c, std::string& out) {
    c = cleanCharacter(c);
    switch (c) {
        case 0: case '\t': case '\n': return;
        case '"': out += "&quot;"; return;
        case '&': out += "&amp;"; return;
        case '<': out += "&lt;"; return;
        case '>': out += "&gt;"; return;
        default: put(c, out);
    }
}

void HtmlText::attribute(std::u32string_view s, std::string& out) {
    for (char32_t c : s) attribute(c, out);
}

}  // namespace irun
