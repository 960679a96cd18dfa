// Writes Unicode characters into HTML bytes of the output code page, escaped for text or attributes.
#pragma once

#include <string>
#include <string_view>

#include "codepage.h"

namespace irun {

class HtmlText {
public:
    explicit HtmlText(CodePage& output) : output_(output) {}

    // Text content: escapes < > &, drops control characters, refers to unencodable ones by number.
    void text(char32_t c, std::string& out);
    // Attribute values in double quotes: also escapes the quote.
    void attribute(char32_t c, std::string& out);
    void attribute(std::u32string_view s, std::string& out);
    // ASCII bytes that need only escaping (the hot path for plain text).
    static void asciiText(const char* p, size_t n, std::string& out);

    CodePage& output() { return output_; }

private:
    void put(char32_t c, std::string& out);

    CodePage& output_;
};

// Appends a number given in hundredths the shortest way ("12", "10.5", "-0.35").
void appendHundredths(long long hundredths, std::string& out);

// Maps what can never stand in an HTML page (lone surrogates, noncharacters) to U+FFFD;
// returns 0 for the invisible control characters, which are dropped.
char32_t cleanCharacter(char32_t c);

}  // namespace irun
