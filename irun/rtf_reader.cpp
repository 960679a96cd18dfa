// The reader's main loop: groups, text bytes, code pages and surrogate pairs.
#include "rtf_reader.h"

namespace irun {

Reader::Reader(std::string_view rtf, CodePages& pages, HtmlText& html, int dpi)
    : tok_(rtf), pages_(pages), html_(html), dpi_(dpi), bodyInline_(html), noteInline_(html), labelInline_(html) {
    stack_.reserve(64);
    stack_.emplace_back();
    rowDefs_.resize(Flow::kMaxTableDepth);
    decoder_ = &pages_.get(1252);
    decoderNumber_ = 1252;
}

ReadResult Reader::run() {
    for (;;) {
        Token t = tok_.next();
        switch (t.kind) {
            case Token::End: finishDocument(); return {bodyFlow_.finish(), footnotes_, title_};
            case Token::GroupOpen: openGroup(); break;
            case Token::GroupClose:
                closeGroup();
                if (done_) {
                    finishDocument();
                    return {bodyFlow_.finish(), footnotes_, title_};
                }
                break;
            // Between the top-level groups of a document there is nothing to read.
            case Token::Text:
                if (!atTopAfterGroup()) onText(t.text);
                break;
            case Token::Hex:
                if (atTopAfterGroup()) break;
                if (skip_ > 0) {
                    --skip_;
                } else if (st().dest != Dest::Skip) {
                    emitByte(t.byte);
                }
                break;
            case Token::Symbol:
                if (atTopAfterGroup()) break;
                if (skip_ > 0) {
                    --skip_;
                } else {
                    onSymbol(t.byte);
                }
                break;
            case Token::Word:
                if (atTopAfterGroup()) break;
                if (skip_ > 0) {
                    --skip_;
                } else {
                    onWord(t);
                }
                break;
            case Token::Binary:
                if (skip_ > 0) --skip_;
                break;
        }
    }
}

void Reader::openGroup() {
    flushHigh();
    skip_ = 0;
    pendingLead_ = 0;
    star_ = false;
    if (stack_.size() >= kMaxDepth) {
        // Deeper groups share the innermost state but for the destination, which is one byte
        // per group: a skipped group down there must not swallow the text after it.
        overflow_.push_back(st().dest);
        return;
    }
    Dest parentDest = st().dest;
    Owner parentOwner = st().owner;
    GroupState inherited = stack_.back();
    stack_.push_back(inherited);
    st().owner = Owner::None;
    if (stack_.size() == 2) started_ = true;
    if (parentDest == Dest::FontTable && parentOwner != Owner::FontEntry) {
        st().owner = Owner::FontEntry;
        fontEntry_ = -1;
        fontEntryCpg_ = 0;
        entryName_.clear();
        entryPending_ = true;
    } else if (parentDest == Dest::StyleSheet && parentOwner != Owner::StyleEntry) {
        st().owner = Owner::StyleEntry;
        styleEntry_ = StyleInfo();
        styleNumber_ = 0;
        styleIsPara_ = true;
        entryPending_ = true;
    }
}

void Reader::closeGroup() {
    flushHigh();
    skip_ = 0;
    pendingLead_ = 0;
    star_ = false;
    if (!overflow_.empty()) {
        st().dest = overflow_.back();
        overflow_.pop_back();
        return;
    }
    if (stack_.size() <= 1) return;  // a stray closing brace before any group
    endOwner(st());
    int32_t before = st().codePage;
    bool fontTable = st().dest == Dest::FontTable;
    stack_.pop_back();
    formatDirty_ = true;
    // The default font's code page is known only once the font table is complete.
    if (st().codePage != before || (fontTable && st().dest != Dest::FontTable)) refreshCodePage();
    // Some generators write a document as a sequence of groups with no enclosing one: a group
    // right after a top-level one continues the document. Anything else there is what follows
    // a complete document (or a brace closed too early), which is no text of it.
    if (stack_.size() == 1 && started_ && !tok_.groupFollows()) done_ = true;
}

void Reader::onText(std::string_view text) {
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end) {
        if (skip_ > 0) {
            size_t n = static_cast<size_t>(end - p);
            if (n > static_cast<size_t>(skip_)) n = static_cast<size_t>(skip_);
            p += n;
            skip_ -= static_cast<int32_t>(n);
            continue;
        }
        Dest dest = st().dest;
        if (dest == Dest::Skip) return;
        if (dest == Dest::Body && !pendingLead_ && !pendingHigh_ && decoder_->number() != kCodePageSymbol) {
            const char* q = p;
            while (q < end && static_cast<unsigned char>(*q) >= 0x20 && static_cast<unsigned char>(*q) < 0x7F) ++q;
            if (q > p) {
                syncInline();
                inline_->ascii(p, static_cast<size_t>(q - p));
                p = q;
                continue;
            }
        }
        uint8_t b = static_cast<uint8_t>(*p++);
        if (b == '\t' && !pendingLead_) {
            flushHigh();
            if (dest == Dest::Body) {
                syncInline();
                inline_->tab();
            } else {
                emitChar(' ');
            }
            continue;
        }
        emitByte(b);
    }
}

void Reader::emitByte(uint8_t b) {
    if (pendingLead_) {
        char32_t c = decoder_->decodePair(pendingLead_, b);
        pendingLead_ = 0;
        emitUnicode(c);
        return;
    }
    if (decoder_->isLead(b)) {
        pendingLead_ = b;
        return;
    }
    emitUnicode(decoder_->decodeByte(b));
}

void Reader::flushHigh() {
    if (!pendingHigh_) return;
    pendingHigh_ = 0;
    emitChar(kReplacement);
}

void Reader::emitUnicode(char32_t c) {
    if (pendingHigh_) {
        if (c >= 0xDC00 && c < 0xE000) {
            char32_t full = 0x10000 + ((pendingHigh_ - 0xD800) << 10) + (c - 0xDC00);
            pendingHigh_ = 0;
            emitChar(full);
            return;
        }
        flushHigh();
    }
    if (c >= 0xD800 && c < 0xDC00) {
        pendingHigh_ = c;
        return;
    }
    if (c >= 0xDC00 && c < 0xE000) c = kReplacement;
    emitChar(c);
}

void Reader::emitChar(char32_t c) {
    switch (st().dest) {
        case Dest::Body:
            syncInline();
            inline_->text(c);
            return;
        case Dest::FontTable:
            if (c == ';') {
                commitFont();
            } else if (entryName_.size() < 256) {
                entryName_ += c;
            }
            return;
        case Dest::StyleSheet:
            if (c == ';') {
                commitStyle();
            } else if (styleEntry_.name.size() < 256) {
                styleEntry_.name += c;
            }
            return;
        case Dest::ColorTable:
            if (c == ';') commitColour();
            return;
        case Dest::Title: title_ += c; return;
        case Dest::FieldInst:
            if (!fields_.empty()) fields_.back().inst += c;
            return;
        case Dest::Bookmark: bookmark_ += c; return;
        default: return;
    }
}

void Reader::refreshCodePage() {
    GroupState& s = st();
    int32_t cp = 0;
    if (s.dest == Dest::FontTable) {
        // Font names are never written in the Symbol font's own encoding.
        cp = fontEntryCpg_ == kCodePageSymbol ? 1252 : fontEntryCpg_;
    } else {
        auto found = fonts_.find(s.chr.font);
        if (found != fonts_.end()) cp = found->second.codePage;
    }
    if (cp == 0) cp = ansiCpg_;
    s.codePage = cp;
    if (decoderNumber_ == cp) return;
    decoderNumber_ = cp;
    // A code page the platform lacks is read in a stand-in: keep the tokenizer in step with it.
    decoder_ = &pages_.get(cp);
    tok_.setLeadBytes(decoder_->leadBytes());
}

InlineStyle Reader::styleFor(const CharFormat& chr) {
    InlineStyle style;
    style.bold = chr.bold;
    style.italic = chr.italic;
    style.underline = chr.underline;
    style.strike = chr.strike;
    style.vertical = chr.vertical;
    // A run states its direction where it differs from its paragraph's.
    bool rtlParagraph = st().para.rtl;
    if (chr.dir == 1 && !rtlParagraph) style.dir = 1;
    if (chr.dir == 2 && rtlParagraph) style.dir = 2;
    std::string& css = style.span;
    if (chr.font != deff_) {
        auto found = fonts_.find(chr.font);
        if (found != fonts_.end() && !found->second.name.empty()) {
            css += "font-family:'";
            for (char32_t c : found->second.name)
                if (c != '\'' && c != '\\' && c != ';' && c != '{' && c != '}') html_.attribute(c, css);
            css += "';";
        }
    }
    if (chr.size != 24) {
        css += "font-size:";
        appendHundredths(chr.size * 50LL, css);
        css += "pt;";
    }
    auto colour = [this](int32_t index) -> const std::string* {
        if (index <= 0 || static_cast<size_t>(index) >= colours_.size() || colours_[index].empty()) return nullptr;
        return &colours_[index];
    };
    if (const std::string* fg = colour(chr.fg)) css += "color:" + *fg + ';';
    const std::string* bg = colour(chr.highlight);
    if (!bg) bg = colour(chr.bg);
    if (bg) css += "background:" + *bg + ';';
    // Hidden text stays in the page, hidden, as editors keep it in the document.
    if (chr.hidden) css += "display:none;";
    if (!css.empty()) css.pop_back();
    return style;
}

void Reader::syncInline() {
    if (linkDirty_) refreshLink();
    if (!formatDirty_) return;
    formatDirty_ = false;
    if (st().chr == synced_ && st().para.rtl == syncedRtl_ && !styleForce_) return;
    styleForce_ = false;
    synced_ = st().chr;
    syncedRtl_ = st().para.rtl;
    for (const CachedStyle& cached : styleCache_) {
        if (cached.rtl == syncedRtl_ && cached.chr == synced_) {
            inline_->setStyle(cached.style);
            return;
        }
    }
    constexpr size_t kCachedStyles = 16;
    CachedStyle made{synced_, syncedRtl_, styleFor(synced_)};
    inline_->setStyle(made.style);
    if (styleCache_.size() < kCachedStyles) {
        styleCache_.push_back(std::move(made));
    } else {
        styleCache_[styleCacheNext_] = std::move(made);
        styleCacheNext_ = (styleCacheNext_ + 1) % kCachedStyles;
    }
}

void Reader::finishDocument() {
    flushHigh();
    endLabel();
    if (inNote_) endFootnote();
    if (bodyInline_.hasContent() || !bodyLabel_.empty()) {
        // A truncated file: its last paragraph keeps the formatting it was read with.
        st().dest = Dest::Body;
        endParagraph();
    }
}

}  // namespace irun
