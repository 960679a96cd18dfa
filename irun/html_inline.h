// Builds the inline HTML of one paragraph: text runs, formatting tags, links and anchors.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "html_text.h"

namespace irun {

// The formatting of a text run as the page shows it.
struct InlineStyle {
    bool bold = false, italic = false, underline = false, strike = false;
    int8_t vertical = 0;  // 1 superscript, -1 subscript
    int8_t dir = 0;       // 1 right-to-left, 2 left-to-right, 0 the paragraph's
    std::string span;     // CSS for the font, size and colours; empty for none
    bool operator==(const InlineStyle& o) const {
        return bold == o.bold && italic == o.italic && underline == o.underline && strike == o.strike &&
               vertical == o.vertical && dir == o.dir && span == o.span;
    }
};

class InlineBuilder {
public:
    explicit InlineBuilder(HtmlText& text) : text_(text) {}

    // Both take effect when the next content arrives, so empty runs leave no tags.
    void setStyle(const InlineStyle& style);
    void setLink(const std::string& hrefAttr, const std::string& titleAttr);  // attribute bytes

    void text(char32_t c);
    void ascii(const char* p, size_t n);
    void tab();
    void lineBreak();
    // An anchor that must not land inside a link: held back until the link ends.
    void anchor(const std::string& nameAttr);
    // Raw markup such as a footnote reference; inside a link, where a second link may not
    // stand, the alternative is written instead.
    void markup(const std::string& html, const std::string& insideLink);
    bool linkOpen() const { return !openHref_.empty(); }

    bool hasContent() const { return hasContent_; }
    bool hasVisibleText() const { return hasText_; }
    // Closes every open tag and hands over the paragraph's HTML.
    std::string take();

private:
    enum Tag : uint8_t { B, I, U, S, Sup, Sub, Span };
    void sync();
    void closeTags(size_t keep);
    void openTag(Tag tag);
    void closeLink();
    void noteScript(char32_t c);

    HtmlText& text_;
    std::string html_;
    InlineStyle want_;
    InlineStyle openStyle_;
    std::vector<Tag> open_;
    std::string wantHref_, wantTitle_, openHref_;
    std::string deferred_;
    bool dirty_ = false;
    bool hasContent_ = false;
    bool hasText_ = false;
    bool lastSpace_ = true;
    bool eastAsian_ = false;
};

}  // namespace irun
