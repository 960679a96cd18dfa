// Tokenizer: words, parameters, symbols, hex escapes, binary data and double-byte text.
#include <gtest/gtest.h>

#include <string>

#include "codepage.h"
#include "rtf_tokenizer.h"

namespace {

// Renders the token stream as text so that a whole stream compares at once.
std::string tokens(const std::string& input, const uint8_t* lead = nullptr) {
    irun::Tokenizer tok(input);
    tok.setLeadBytes(lead);
    std::string out;
    for (;;) {
        irun::Token t = tok.next();
        switch (t.kind) {
            case irun::Token::End: return out;
            case irun::Token::GroupOpen: out += "{ "; break;
            case irun::Token::GroupClose: out += "} "; break;
            case irun::Token::Word:
                out += "W:" + std::string(t.text);
                if (t.hasParam) out += "=" + std::to_string(t.param);
                out += ' ';
                break;
            case irun::Token::Symbol: out += std::string("S:") + static_cast<char>(t.byte) + ' '; break;
            case irun::Token::Hex: out += "H:" + std::to_string(t.byte) + ' '; break;
            case irun::Token::Text: out += "T:[" + std::string(t.text) + "] "; break;
            case irun::Token::Binary: out += "B:" + std::to_string(t.text.size()) + ' '; break;
        }
    }
}

TEST(Tokenizer, WordsParametersAndDelimiters) {
    EXPECT_EQ(tokens("{\\rtf1\\ansi \\b0text\\fs-20 x}"),
              "{ W:rtf=1 W:ansi W:b=0 T:[text] W:fs=-20 T:[x] } ");
    // Only one blank belongs to the word; the next is text.
    EXPECT_EQ(tokens("\\par  a"), "W:par T:[ a] ");
    // Line ends are not text, and a backslash before one is a paragraph mark.
    EXPECT_EQ(tokens("a\r\nb\\\nc"), "T:[a] T:[b] W:par T:[c] ");
}

TEST(Tokenizer, ParametersSaturate) {
    EXPECT_EQ(tokens("\\fs99999999999999999999 \\li-99999999999"),
              "W:fs=2147483647 W:li=-2147483648 ");
    EXPECT_EQ(tokens("\\u-"), "W:u ");
}

TEST(Tokenizer, OverlongWordsMatchNothing) {
    std::string word(40, 'b');
    std::string out = tokens("\\" + word + "1 x");
    EXPECT_EQ(out, "W:" + std::string(33, 'b') + "=1 T:[x] ");
}

TEST(Tokenizer, ControlSymbolsAndHex) {
    EXPECT_EQ(tokens("\\{\\}\\\\\\~\\*\\'e9\\'A0"), "S:{ S:} S:\\ S:~ S:* H:233 H:160 ");
    // Broken hex escapes yield nothing, also at the very end.
    EXPECT_EQ(tokens("a\\'zzb\\'4"), "T:[a] T:[zzb] ");
    EXPECT_EQ(tokens("a\\'"), "T:[a] ");
    EXPECT_EQ(tokens("a\\"), "T:[a] ");
}

TEST(Tokenizer, BinaryDataIsSkippedWhole) {
    std::string data = "{\\}x";
    EXPECT_EQ(tokens("\\bin4 " + data + "y"), "B:4 T:[y] ");
    // A length past the end takes what is there, without reading further.
    EXPECT_EQ(tokens("\\bin2000000000 abc"), "B:3 ");
    EXPECT_EQ(tokens("\\bin-5 abc"), "B:0 T:[abc] ");
}

TEST(Tokenizer, DoubleByteTrailBytesStayWithTheirLead) {
    irun::CodePage sjis(932);
    // 0x83 0x5C is a katakana letter whose second byte is a backslash.
    std::string raw = "\x83\\\x83{x}";
    EXPECT_EQ(tokens(raw, sjis.leadBytes()), "T:[\x83\\\x83{x] } ");
    EXPECT_EQ(tokens(raw), "T:[\x83] S:\x83 { T:[x] } ");
}

}  // namespace
