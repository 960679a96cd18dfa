// Tokenizer for RTF: one pass over the bytes, nothing allocated, every parameter saturated.
#include "rtf_tokenizer.h"

#include <limits>

namespace irun {
namespace {

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

Token Tokenizer::next() {
    Token t;
    for (;;) {
        if (p_ >= end_) return t;
        char c = *p_;
        if (c == '{') {
            ++p_;
            t.kind = Token::GroupOpen;
            return t;
        }
        if (c == '}') {
            ++p_;
            t.kind = Token::GroupClose;
            return t;
        }
        if (c == '\\') {
            if (controlWord(t)) return t;
            continue;
        }
        if (c == '\r' || c == '\n' || c == '\0') {
            ++p_;
            continue;
        }
        const char* start = p_;
        while (p_ < end_) {
            unsigned char b = static_cast<unsigned char>(*p_);
            if (b == '\\' || b == '{' || b == '}' || b == '\r' || b == '\n' || b == 0) break;
            if (lead_ && lead_[b] && p_ + 1 < end_) {
                p_ += 2;
                continue;
            }
            ++p_;
        }
        t.kind = Token::Text;
        t.text = std::string_view(start, static_cast<size_t>(p_ - start));
        return t;
    }
}

bool Tokenizer::groupFollows() const {
    const char* p = p_;
    while (p < end_ && (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n' || *p == '\0')) ++p;
    return p < end_ && *p == '{';
}

bool Tokenizer::controlWord(Token& t) {
    ++p_;  // the backslash
    if (p_ >= end_) return false;
    char c = *p_;
    if (!isLetter(c)) {
        ++p_;
        if (c == '\'') {
            int high = p_ < end_ ? hexValue(*p_) : -1;
            int low = high >= 0 && p_ + 1 < end_ ? hexValue(p_[1]) : -1;
            if (low < 0) {
                // A broken hex escape yields nothing; what follows is read as usual.
                if (high >= 0) ++p_;
                return false;
            }
            p_ += 2;
            t.kind = Token::Hex;
            t.byte = static_cast<uint8_t>(high * 16 + low);
            return true;
        }
        if (c == '\r' || c == '\n') {
            // A backslash before a line end is an old way of writing \par.
            t.kind = Token::Word;
            t.text = "par";
            t.hash = hashFinish(hashStep(hashStep(hashStep(kHashSeed, 'p'), 'a'), 'r'));
            return true;
        }
        t.kind = Token::Symbol;
        t.byte = static_cast<uint8_t>(c);
        return true;
    }
    const char* start = p_;
    uint32_t hash = kHashSeed;
    while (p_ < end_ && isLetter(*p_)) hash = hashStep(hash, *p_++);
    size_t length = static_cast<size_t>(p_ - start);
    t.kind = Token::Word;
    t.hash = hashFinish(hash);
    // Over-long words match no keyword: keep enough letters to guarantee that.
    t.text = std::string_view(start, length > kMaxWordLength ? kMaxWordLength + 1 : length);
    if (p_ < end_ && (*p_ == '-' || isDigit(*p_))) {
        bool negative = *p_ == '-';
        if (negative) ++p_;
        int64_t value = 0;
        bool digits = false;
        while (p_ < end_ && isDigit(*p_)) {
            digits = true;
            if (value <= std::numeric_limits<int32_t>::max()) value = value * 10 + (*p_ - '0');
            ++p_;
        }
        if (digits) {
            if (negative) value = -value;
            if (value > std::numeric_limits<int32_t>::max()) value = std::numeric_limits<int32_t>::max();
            if (value < std::numeric_limits<int32_t>::min()) value = std::numeric_limits<int32_t>::min();
            t.hasParam = true;
            t.param = static_cast<int32_t>(value);
        }
    }
    if (p_ < end_ && *p_ == ' ') ++p_;
    if (t.hasParam && length == 3 && start[0] == 'b' && start[1] == 'i' && start[2] == 'n') {
        // Binary data never goes through a buffer of the declared size: it is only skipped.
        size_t want = t.param > 0 ? static_cast<size_t>(t.param) : 0;
        size_t take = want < remaining() ? want : remaining();
        t.kind = Token::Binary;
        t.text = std::string_view(p_, take);
        p_ += take;
    }
    return true;
}

}  // namespace irun
