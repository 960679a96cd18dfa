// Splits RTF bytes into groups, control words, control symbols, hex bytes, text runs and \bin data.
#pragma once

#include <cstdint>
#include <string_view>

namespace irun {

struct Token {
    enum Kind : uint8_t { End, GroupOpen, GroupClose, Word, Symbol, Hex, Text, Binary };
    Kind kind = End;
    bool hasParam = false;
    uint8_t byte = 0;           // Symbol: the character; Hex: the byte value
    int32_t param = 0;          // Word: the saturated numeric parameter
    uint32_t hash = 0;          // Word: keywordHash of the name
    std::string_view text;      // Word: the name; Text and Binary: the bytes
};

// The hash the keyword table is built with, computed while the tokenizer reads the letters.
constexpr uint32_t kHashSeed = 2166136261u;
constexpr uint32_t hashStep(uint32_t h, char c) { return (h ^ static_cast<unsigned char>(c)) * 16777619u; }
constexpr uint32_t hashFinish(uint32_t h) { return h ^ (h >> 15); }

class Tokenizer {
public:
    static constexpr size_t kMaxWordLength = 32;

    explicit Tokenizer(std::string_view input) : p_(input.data()), end_(input.data() + input.size()) {}

    // Raw text in a double-byte code page keeps a lead byte and its trail byte together,
    // even when the trail byte is a backslash or a brace; null for single-byte code pages.
    void setLeadBytes(const uint8_t* lead) { lead_ = lead; }

    Token next();
    size_t remaining() const { return static_cast<size_t>(end_ - p_); }
    // Whether the next thing past blank space and line ends opens a group.
    bool groupFollows() const;

private:
    // False when the backslash started nothing usable (a broken escape, or the end).
    bool controlWord(Token& t);

    const char* p_;
    const char* end_;
    const uint8_t* lead_ = nullptr;
};

}  // namespace irun
