// Destinations: which group collects what, and the font, colour, style and list tables they fill.
#include <cctype>

#include "rtf_reader.h"

namespace irun {

bool Reader::setOwner(Owner owner) {
    // One group finishes one thing; a second destination word in it is not trusted. Past the
    // depth limit groups have no state of their own to finish anything with.
    if (st().owner != Owner::None || !overflow_.empty()) {
        st().dest = Dest::Skip;
        return false;
    }
    st().owner = owner;
    return true;
}

void Reader::startDestination(Kw kw) {
    GroupState& s = st();
    switch (kw) {
        case Kw::FontTable: s.dest = Dest::FontTable; return;
        case Kw::ColorTable:
            s.dest = Dest::ColorTable;
            rgb_[0] = rgb_[1] = rgb_[2] = -1;
            return;
        case Kw::StyleSheet: s.dest = Dest::StyleSheet; return;
        case Kw::Info: s.dest = Dest::Info; return;
        case Kw::Title:
            if (setOwner(Owner::Title)) {
                s.dest = Dest::Title;
                title_.clear();
            }
            return;
        case Kw::ListTable: s.dest = Dest::ListTable; return;
        case Kw::List:
            if (s.dest == Dest::ListTable && setOwner(Owner::List)) {
                listEntry_.clear();
                listEntryId_ = 0;
                inListEntry_ = true;
            }
            return;
        case Kw::ListLevel:
            if (s.dest == Dest::ListTable && inListEntry_) {
                if (listEntry_.size() < 9) listEntry_.emplace_back();
            } else if (s.dest != Dest::ListTable) {
                s.dest = Dest::Skip;
            }
            return;
        case Kw::ListOverrideTable: s.dest = Dest::ListOverride; return;
        case Kw::ListOverride:
            if (setOwner(Owner::ListOverride)) {
                s.dest = Dest::ListOverride;
                overrideId_ = 0;
                overrideLs_ = -1;
            }
            return;
        case Kw::Field:
            // Past the nesting limit a field is read as a plain group: its instruction is
            // skipped (it finds no field of its own to belong to) and its result is text.
            if (fields_.size() < kMaxFields && canOwn()) {
                setOwner(Owner::Field);
                fields_.emplace_back();
            }
            return;
        case Kw::FieldInst:
            if (!fields_.empty() && fields_.back().phase == 0 && setOwner(Owner::FieldInst)) {
                s.dest = Dest::FieldInst;
            } else {
                s.dest = Dest::Skip;
            }
            return;
        case Kw::FieldResult:
            if (!fields_.empty() && fields_.back().phase == 0 && canOwn()) {
                setOwner(Owner::FieldResult);
                startFieldResult();
            }
            return;
        case Kw::Footnote:
            if (s.dest == Dest::Body && !inNote_ && !labelOwner_ && setOwner(Owner::Footnote)) {
                beginFootnote();
            } else {
                s.dest = Dest::Skip;
            }
            return;
        case Kw::BookmarkStart:
            if (s.dest == Dest::Body && setOwner(Owner::Bookmark)) {
                s.dest = Dest::Bookmark;
                bookmark_.clear();
            } else {
                s.dest = Dest::Skip;
            }
            return;
        case Kw::Pn:
            if (stack_.size() > 1 && setOwner(Owner::Pn)) {
                s.dest = Dest::Pn;
            } else {
                s.dest = Dest::Skip;
            }
            return;
        case Kw::PnText: case Kw::ListText:
            if (s.dest == Dest::Body && !labelOwner_ && setOwner(Owner::Label)) {
                beginLabel();
            } else {
                s.dest = Dest::Skip;
            }
            return;
        case Kw::Upr:
            if (setOwner(Owner::Upr)) {
                s.outer = s.dest;
                s.dest = Dest::Skip;
            }
            return;
        case Kw::Ud:
            if (stack_.size() > 2 && stack_[stack_.size() - 2].owner == Owner::Upr)
                s.dest = stack_[stack_.size() - 2].outer;
            return;
        case Kw::ShapeText: case Kw::Container: return;
        case Kw::NestTableProps: s.nestProps = true; return;
        default: s.dest = Dest::Skip; return;
    }
}

void Reader::endOwner(GroupState& closing) {
    switch (closing.owner) {
        case Owner::FontEntry:
            if (entryPending_) commitFont();
            return;
        case Owner::StyleEntry:
            if (entryPending_) commitStyle();
            return;
        case Owner::List:
            if (inListEntry_) lists_[listEntryId_] = std::move(listEntry_);
            listEntry_.clear();
            inListEntry_ = false;
            return;
        case Owner::ListOverride:
            if (overrideLs_ >= 0) overrides_[overrideLs_] = overrideId_;
            return;
        case Owner::Label: endLabel(); return;
        case Owner::Field:
            fields_.pop_back();
            linkDirty_ = true;
            return;
        case Owner::FieldResult:
            if (!fields_.empty()) fields_.back().phase = 2;
            linkDirty_ = true;
            return;
        case Owner::Footnote: endFootnote(); return;
        case Owner::Bookmark:
            if (!bookmark_.empty()) {
                std::string name;
                html_.attribute(bookmark_, name);
                if (!name.empty()) {
                    syncInline();
                    inline_->anchor(name);
                }
            }
            bookmark_.clear();
            return;
        case Owner::Pn:
            if (stack_.size() > 1) {
                // The numbering settings belong to the paragraph around the \pn group.
                ParaFormat& outer = stack_[stack_.size() - 2].para;
                const ParaFormat& inner = closing.para;
                outer.pnKind = inner.pnKind;
                outer.pnType = inner.pnType;
                outer.pnLevel = inner.pnLevel;
                outer.pnStart = inner.pnStart;
            }
            return;
        default: return;
    }
}

// A list label is read into a builder of its own, so that the paragraph can still drop it
// once it knows whether a list of ours numbers it.
void Reader::beginLabel() {
    labelOwner_ = inline_;
    inline_ = &labelInline_;
    formatDirty_ = styleForce_ = linkDirty_ = true;
}

void Reader::endLabel() {
    if (!labelOwner_) return;
    bool content = labelInline_.hasContent();
    std::string html = labelInline_.take();
    if (content) label() += html;
    inline_ = labelOwner_;
    labelOwner_ = nullptr;
    formatDirty_ = styleForce_ = linkDirty_ = true;
}

void Reader::commitFont() {
    entryPending_ = false;
    if (fontEntry_ < 0) {
        entryName_.clear();
        return;
    }
    styleCache_.clear();
    FontInfo& font = fonts_[fontEntry_];
    size_t begin = entryName_.find_first_not_of(U' ');
    size_t end = entryName_.find_last_not_of(U' ');
    font.name = begin == std::u32string::npos ? std::u32string() : entryName_.substr(begin, end - begin + 1);
    font.codePage = fontEntryCpg_;
    entryName_.clear();
}

void Reader::commitStyle() {
    entryPending_ = false;
    if (!styleIsPara_) {
        styleEntry_ = StyleInfo();
        return;
    }
    size_t begin = styleEntry_.name.find_first_not_of(U' ');
    if (begin != std::u32string::npos) styleEntry_.name.erase(0, begin);
    if (styleEntry_.basedOn == styleNumber_) styleEntry_.basedOn = -1;
    std::string name;
    for (char32_t c : styleEntry_.name)
        if (c < 0x80 && c != ' ') name += static_cast<char>(std::tolower(static_cast<int>(c)));
    if (name.size() == 8 && name.compare(0, 7, "heading") == 0 && name[7] >= '1' && name[7] <= '9')
        styleEntry_.nameLevel = name[7] - '0';
    styles_[styleNumber_] = std::move(styleEntry_);
    styleEntry_ = StyleInfo();
}

void Reader::commitColour() {
    if (colours_.size() >= 100000) return;
    styleCache_.clear();
    if (rgb_[0] < 0 && rgb_[1] < 0 && rgb_[2] < 0) {
        colours_.emplace_back();
    } else {
        static const char kHex[] = "0123456789ABCDEF";
        std::string text = "#";
        for (int v : rgb_) {
            if (v < 0) v = 0;
            text += kHex[v >> 4];
            text += kHex[v & 15];
        }
        colours_.push_back(std::move(text));
    }
    rgb_[0] = rgb_[1] = rgb_[2] = -1;
}

}  // namespace irun
