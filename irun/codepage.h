// Windows code pages as the converter sees them: byte decoding tables and an output encoder.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace irun {

constexpr char32_t kReplacement = 0xFFFD;
constexpr int kCodePageUtf8 = 65001;
constexpr int kCodePageSymbol = 42;  // Windows' number for the Symbol font's private encoding.

// The platform half: converts one character between a code page and Unicode.
// Implemented with iconv natively and with the Win32 NLS functions on Windows.
class CodePageBackend {
public:
    virtual ~CodePageBackend() = default;
    // Decodes exactly one character made of n (1 or 2) bytes; false when unmapped.
    virtual bool decode(const unsigned char* bytes, size_t n, char32_t& out) = 0;
    // Appends the code page's bytes for c; false when the code page lacks it.
    virtual bool encode(char32_t c, std::string& out) = 0;
};

// Returns nullptr when the platform cannot convert this code page.
std::unique_ptr<CodePageBackend> openCodePageBackend(int codePage);

// One code page, with the lookups cached so that conversion stays table-driven.
class CodePage {
public:
    explicit CodePage(int number);
    int number() const { return number_; }
    // False when the platform could not open this code page.
    bool available() const { return available_; }
    // Non-null only for double-byte code pages: marks the bytes that start a pair.
    const uint8_t* leadBytes() const { return dbcs_ ? lead_ : nullptr; }
    bool isLead(uint8_t b) const { return dbcs_ && lead_[b]; }
    char32_t decodeByte(uint8_t b) const { return single_[b]; }
    char32_t decodePair(uint8_t lead, uint8_t trail);
    // Appends c in this code page; false when it has no such character.
    bool encode(char32_t c, std::string& out);

private:
    int number_;
    bool dbcs_ = false;
    bool available_ = true;
    uint8_t lead_[256] = {};
    char32_t single_[256];
    std::unique_ptr<CodePageBackend> backend_;
    // One row of trail bytes per lead byte, made when the lead byte is first met; 0 = not yet
    // looked up. A short document in a double-byte code page touches few rows.
    std::vector<std::unique_ptr<char32_t[]>> pairs_;
    std::unordered_map<char32_t, std::string> encoded_;  // characters above ASCII
};

// The code pages one conversion needs, opened on first use.
class CodePages {
public:
    // A code page the platform does not know is read as the nearest one it knows, or as 1252.
    CodePage& get(int codePage);

private:
    std::vector<std::unique_ptr<CodePage>> owned_;
    std::map<int, CodePage*> pages_;
};

// The code page an RTF \fcharset value stands for; 0 when it means "the document's".
int codePageForCharset(int charset);
// The name to declare in the META charset; empty when there is no common name.
std::string charsetName(int codePage);
// HTML5 reads code points 0x80-0x9F as windows-1252 does; 0 for the five it leaves unmapped.
char32_t windows1252High(uint8_t b);

}  // namespace irun
