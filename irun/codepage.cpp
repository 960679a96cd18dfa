// Portable half of code page handling: decoding tables, caches, charset numbers and names.
#include "codepage.h"

namespace irun {
namespace {

const char16_t kHigh1252[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013,
    0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

// Greek letters and the mathematical signs people reach through the Symbol font.
const char16_t kSymbolUpper[26] = {0x391, 0x392, 0x3A7, 0x394, 0x395, 0x3A6, 0x393, 0x397, 0x399,
                                   0x3D1, 0x39A, 0x39B, 0x39C, 0x39D, 0x39F, 0x3A0, 0x398, 0x3A1,
                                   0x3A3, 0x3A4, 0x3A5, 0x3C2, 0x3A9, 0x39E, 0x3A8, 0x396};
const char16_t kSymbolLower[26] = {0x3B1, 0x3B2, 0x3C7, 0x3B4, 0x3B5, 0x3C6, 0x3B3, 0x3B7, 0x3B9,
                                   0x3D5, 0x3BA, 0x3BB, 0x3BC, 0x3BD, 0x3BF, 0x3C0, 0x3B8, 0x3C1,
                                   0x3C3, 0x3C4, 0x3C5, 0x3D6, 0x3C9, 0x3BE, 0x3C8, 0x3B6};
const struct { uint8_t byte; char16_t code; } kSymbolOther[] = {
    {0x22, 0x2200}, {0x24, 0x2203}, {0x27, 0x220B}, {0x2A, 0x2217}, {0x2D, 0x2212},
    {0x40, 0x2245}, {0x5C, 0x2234}, {0x5E, 0x22A5}, {0x7E, 0x223C}, {0xA2, 0x2032},
    {0xA3, 0x2264}, {0xA5, 0x221E}, {0xA7, 0x2663}, {0xA8, 0x2666}, {0xA9, 0x2665},
    {0xAA, 0x2660}, {0xAB, 0x2194}, {0xAC, 0x2190}, {0xAD, 0x2191}, {0xAE, 0x2192},
    {0xAF, 0x2193}, {0xB2, 0x2033}, {0xB3, 0x2265}, {0xB4, 0x00D7}, {0xB5, 0x221D},
    {0xB6, 0x2202}, {0xB7, 0x2022}, {0xB8, 0x00F7}, {0xB9, 0x2260}, {0xBA, 0x2261},
    {0xBB, 0x2248}, {0xBC, 0x2026}, {0xC5, 0x2295}, {0xC6, 0x2205}, {0xC7, 0x2229},
    {0xC8, 0x222A}, {0xD1, 0x2207}, {0xD2, 0x00AE}, {0xD3, 0x00A9}, {0xD4, 0x2122},
    {0xD5, 0x220F}, {0xD6, 0x221A}, {0xD7, 0x22C5}, {0xD8, 0x00AC}, {0xD9, 0x2227},
    {0xDA, 0x2228}, {0xDB, 0x21D4}, {0xDC, 0x21D0}, {0xDE, 0x21D2}, {0xE5, 0x2211},
    {0xF2, 0x222B}};

void markLeads(uint8_t* lead, int from, int to) {
    for (int b = from; b <= to; ++b) lead[b] = 1;
}

// The lead bytes of the double-byte code pages, as Windows defines them; false for the others.
bool markLeadBytes(int number, uint8_t* lead) {
    switch (number) {
        case 932: case 10001: markLeads(lead, 0x81, 0x9F); markLeads(lead, 0xE0, 0xFC); return true;
        case 936: case 949: case 950: markLeads(lead, 0x81, 0xFE); return true;
        case 10002: markLeads(lead, 0x81, 0xFC); return true;
        case 10003: markLeads(lead, 0xA1, 0xAC); markLeads(lead, 0xB0, 0xC8); markLeads(lead, 0xCA, 0xFD); return true;
        case 10008: markLeads(lead, 0xA1, 0xA9); markLeads(lead, 0xB0, 0xF7); return true;
        case 1361:
            markLeads(lead, 0x84, 0xD3); markLeads(lead, 0xD8, 0xDE); markLeads(lead, 0xE0, 0xF9);
            return true;
        default: return false;
    }
}

// The Windows code page closest to a Mac one, for platforms without the Mac tables: the
// double-byte ones read the same characters, the others at least their ASCII half.
int nearestWindowsCodePage(int number) {
    switch (number) {
        case 10000: case 10079: return 1252;
        case 10001: return 932;
        case 10002: return 950;
        case 10003: return 949;
        case 10004: return 1256;
        case 10005: return 1255;
        case 10006: return 1253;
        case 10007: case 10017: return 1251;
        case 10008: return 936;
        case 10010: case 10029: case 10082: return 1250;
        case 10021: return 874;
        case 10081: return 1254;
        default: return 1252;
    }
}

}  // namespace

char32_t windows1252High(uint8_t b) {
    if (b < 0x80 || b >= 0xA0) return b;
    return kHigh1252[b - 0x80];
}

CodePage::CodePage(int number) : number_(number) {
    for (int b = 0; b < 256; ++b) single_[b] = static_cast<char32_t>(b);
    if (number == 1252 || number == kCodePageUtf8) {
        // UTF-8 as a source encoding is too rare in RTF to decode byte sequences for. The five
        // bytes 1252 leaves undefined become the C1 controls of the same value, as on Windows.
        for (int b = 0x80; b < 0xA0; ++b) {
            char32_t c = windows1252High(static_cast<uint8_t>(b));
            single_[b] = c ? c : static_cast<char32_t>(b);
        }
        return;
    }
    if (number == 28591) return;
    if (number == kCodePageSymbol) {
        for (int i = 0; i < 26; ++i) {
            single_['A' + i] = kSymbolUpper[i];
            single_['a' + i] = kSymbolLower[i];
        }
        for (const auto& s : kSymbolOther) single_[s.byte] = s.code;
        return;
    }
    dbcs_ = markLeadBytes(number, lead_);
    backend_ = openCodePageBackend(number);
    available_ = backend_ != nullptr;
    for (int b = 0x80; b < 0x100; ++b) {
        unsigned char byte = static_cast<unsigned char>(b);
        char32_t c = kReplacement;
        if (lead_[b] || !backend_ || !backend_->decode(&byte, 1, c)) c = kReplacement;
        single_[b] = c;
    }
    if (dbcs_) pairs_.resize(256);
}

char32_t CodePage::decodePair(uint8_t lead, uint8_t trail) {
    if (!dbcs_) return kReplacement;
    std::unique_ptr<char32_t[]>& row = pairs_[lead];
    if (!row) row.reset(new char32_t[256]());
    char32_t& slot = row[trail];
    if (slot == 0) {
        unsigned char bytes[2] = {lead, trail};
        char32_t c = kReplacement;
        if (!backend_ || !backend_->decode(bytes, 2, c) || c == 0) c = kReplacement;
        slot = c;
    }
    return slot;
}

bool CodePage::encode(char32_t c, std::string& out) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
        return true;
    }
    if (number_ == kCodePageUtf8) {
        if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        }
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        return true;
    }
    auto found = encoded_.find(c);
    if (found == encoded_.end()) {
        std::string bytes;
        if (!dbcs_) {
            // Inverting the decoding table keeps single-byte output free of best-fit guesses.
            for (int b = 0x80; b < 0x100; ++b)
                if (single_[b] == c && c != kReplacement) {
                    bytes.push_back(static_cast<char>(b));
                    break;
                }
        } else if (backend_ && !backend_->encode(c, bytes)) {
            bytes.clear();
        }
        found = encoded_.emplace(c, std::move(bytes)).first;
    }
    out += found->second;
    return !found->second.empty();
}

CodePage& CodePages::get(int codePage) {
    auto found = pages_.find(codePage);
    if (found != pages_.end()) return *found->second;
    auto page = std::make_unique<CodePage>(codePage);
    CodePage* result = page.get();
    if (page->available()) {
        owned_.push_back(std::move(page));
    } else {
        // Remembered as the stand-in, so that the platform is asked only once per code page.
        int nearest = nearestWindowsCodePage(codePage);
        result = nearest == codePage ? &get(1252) : &get(nearest);
    }
    pages_.emplace(codePage, result);
    return *result;
}

int codePageForCharset(int charset) {
    switch (charset) {
        case 0: return 1252;
        case 2: return kCodePageSymbol;
        case 77: return 10000;
        case 78: return 10001;
        case 79: return 10003;
        case 80: return 10008;
        case 81: return 10002;
        case 82: return 1361;  // the old Mac Johab has no code page of its own
        case 83: return 10005;
        case 84: return 10004;
        case 85: return 10006;
        case 86: return 10081;
        case 87: return 10021;
        case 88: return 10029;
        case 89: return 10007;
        case 128: return 932;
        case 129: return 949;
        case 130: return 1361;
        case 134: return 936;
        case 136: return 950;
        case 161: return 1253;
        case 162: return 1254;
        case 163: return 1258;
        case 177: return 1255;
        case 178: return 1256;
        case 186: return 1257;
        case 204: return 1251;
        case 222: return 874;
        case 238: return 1250;
        case 254: return 437;
        case 255: return 850;
        default: return 0;
    }
}

std::string charsetName(int codePage) {
    if (codePage >= 1250 && codePage <= 1258) return "windows-" + std::to_string(codePage);
    if (codePage >= 28591 && codePage <= 28599) return "iso-8859-" + std::to_string(codePage - 28590);
    switch (codePage) {
        case 874: return "windows-874";
        case 932: return "shift_jis";
        case 936: return "gbk";
        case 949: return "euc-kr";
        case 950: return "big5";
        case 866: return "ibm866";
        case 10000: return "macintosh";
        case 20866: return "koi8-r";
        case 21866: return "koi8-u";
        case 28605: return "iso-8859-15";
        case kCodePageUtf8: return "utf-8";
        default: return std::string();
    }
}

}  // namespace irun
