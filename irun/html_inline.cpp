// Inline HTML: formatting tags nest in a fixed order so a change reopens only what follows it.
#include "html_inline.h"

#include <algorithm>
#include <cctype>

namespace irun {

void InlineBuilder::setStyle(const InlineStyle& style) {
    if (style == want_) return;
    want_ = style;
    dirty_ = true;
}

void InlineBuilder::setLink(const std::string& hrefAttr, const std::string& titleAttr) {
    if (hrefAttr == wantHref_ && titleAttr == wantTitle_) return;
    wantHref_ = hrefAttr;
    wantTitle_ = titleAttr;
    dirty_ = true;
}

void InlineBuilder::closeTags(size_t keep) {
    static const char* const kClose[] = {"</B>", "</I>", "</U>", "</S>", "</SUP>", "</SUB>", "</SPAN>"};
    while (open_.size() > keep) {
        html_ += kClose[open_.back()];
        open_.pop_back();
    }
}

void InlineBuilder::openTag(Tag tag) {
    static const char* const kOpen[] = {"<B>", "<I>", "<U>", "<S>", "<SUP>", "<SUB>"};
    if (tag == Span) {
        html_ += "<SPAN";
        if (want_.dir) html_ += want_.dir == 1 ? " DIR=\"rtl\"" : " DIR=\"ltr\"";
        if (!want_.span.empty()) {
            html_ += " STYLE=\"";
            html_ += want_.span;
            html_ += '"';
        }
        html_ += '>';
    } else {
        html_ += kOpen[tag];
    }
    open_.push_back(tag);
}

void InlineBuilder::closeLink() {
    if (openHref_.empty()) return;
    closeTags(0);
    html_ += "</A>";
    openHref_.clear();
    html_ += deferred_;
    deferred_.clear();
}

void InlineBuilder::sync() {
    if (!dirty_) return;
    dirty_ = false;
    if (wantHref_ != openHref_) {
        closeLink();
        closeTags(0);
        if (!wantHref_.empty()) {
            html_ += "<A HREF=\"";
            html_ += wantHref_;
            html_ += '"';
            if (!wantTitle_.empty()) {
                html_ += " TITLE=\"";
                html_ += wantTitle_;
                html_ += '"';
            }
            html_ += '>';
            openHref_ = wantHref_;
        }
    }
    // The font, size and colour span is outermost, as editors nest it: a change of font then
    // starts new bold and italic runs, which is how editors count them too.
    Tag wanted[7];
    size_t count = 0;
    if (!want_.span.empty() || want_.dir) wanted[count++] = Span;
    if (want_.bold) wanted[count++] = B;
    if (want_.italic) wanted[count++] = I;
    if (want_.underline) wanted[count++] = U;
    if (want_.strike) wanted[count++] = S;
    if (want_.vertical > 0) wanted[count++] = Sup;
    if (want_.vertical < 0) wanted[count++] = Sub;
    size_t same = 0;
    while (same < count && same < open_.size() && open_[same] == wanted[same] &&
           (wanted[same] != Span || (openStyle_.span == want_.span && openStyle_.dir == want_.dir)))
        ++same;
    closeTags(same);
    for (size_t k = same; k < count; ++k) openTag(wanted[k]);
    openStyle_ = want_;
}

// East Asian text takes its own fonts in browsers and word processors alike, so runs are
// split where the script changes; this keeps the markup in step with what editors write.
void InlineBuilder::noteScript(char32_t c) {
    bool letter = c < 0x80 ? ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') || (c >= '0' && c <= '9')
                           : c >= 0xC0 && !(c >= 0x2000 && c < 0x2E80) && !(c >= 0x3000 && c < 0x3040) &&
                                 !(c >= 0xFF00 && c < 0xFF10);
    if (!letter) return;
    bool eastAsian = (c >= 0x2E80 && c < 0xA000) || (c >= 0xAC00 && c < 0xD7B0) || (c >= 0xF900 && c < 0xFB00) ||
                     (c >= 0xFF00 && c < 0xFFF0) || (c >= 0x20000 && c < 0x40000);
    if (eastAsian == eastAsian_) return;
    eastAsian_ = eastAsian;
    if (!open_.empty()) {
        closeTags(0);
        dirty_ = true;
    }
}

void InlineBuilder::text(char32_t c) {
    if (c == ' ' || c == 0xA0) {
        sync();
        // Runs of blanks would collapse in HTML; alternate with no-break spaces to keep them.
        if (lastSpace_ || c == 0xA0) {
            text_.text(0xA0, html_);
        } else {
            html_ += ' ';
        }
        lastSpace_ = true;
        hasContent_ = true;
        return;
    }
    if (cleanCharacter(c) == 0) return;
    noteScript(c);
    sync();
    text_.text(c, html_);
    lastSpace_ = false;
    hasContent_ = hasText_ = true;
}

void InlineBuilder::ascii(const char* p, size_t n) {
    if (n == 0) return;
    const char* end = p + n;
    if (eastAsian_) {
        // Blanks and punctuation before the first Latin letter still belong to the East Asian run.
        const char* q = p;
        while (q < end && !std::isalnum(static_cast<unsigned char>(*q))) ++q;
        if (q < end) {
            if (q > p) ascii(p, static_cast<size_t>(q - p));
            noteScript(static_cast<unsigned char>(*q));
            p = q;
        }
    }
    sync();
    while (p < end) {
        const char* run = p;
        while (p < end && *p != ' ') ++p;
        if (p > run) {
            HtmlText::asciiText(run, static_cast<size_t>(p - run), html_);
            lastSpace_ = false;
            hasContent_ = hasText_ = true;
        }
        while (p < end && *p == ' ') {
            text(' ');
            ++p;
        }
    }
}

void InlineBuilder::tab() {
    sync();
    html_ += '\t';
    lastSpace_ = true;
    hasContent_ = true;
}

void InlineBuilder::lineBreak() {
    sync();
    html_ += "<BR>";
    lastSpace_ = true;
    hasContent_ = true;
}

void InlineBuilder::anchor(const std::string& nameAttr) {
    std::string a = "<A NAME=\"" + nameAttr + "\"></A>";
    if (!openHref_.empty()) {
        deferred_ += a;
    } else {
        sync();
        // The link may only have been asked for: it must not open around the anchor.
        if (!openHref_.empty()) {
            deferred_ += a;
        } else {
            html_ += a;
        }
    }
    hasContent_ = true;
}

void InlineBuilder::markup(const std::string& html, const std::string& insideLink) {
    sync();
    html_ += openHref_.empty() ? html : insideLink;
    lastSpace_ = false;
    hasContent_ = hasText_ = true;
}

std::string InlineBuilder::take() {
    closeLink();
    closeTags(0);
    html_ += deferred_;
    deferred_.clear();
    std::string result;
    result.swap(html_);
    // The next paragraph is likely as long: one allocation instead of a doubling series (within
    // reason, after a paragraph of megabytes).
    html_.reserve(std::min<size_t>(result.size(), 64 * 1024));
    // Formatting and links carry over into the next paragraph, reopened there on demand.
    dirty_ = true;
    openStyle_ = InlineStyle();
    hasContent_ = hasText_ = false;
    lastSpace_ = true;
    eastAsian_ = false;
    return result;
}

}  // namespace irun
