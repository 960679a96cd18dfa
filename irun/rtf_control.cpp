// Control words and symbols: formatting, breaks, styles, and the paragraph and table structure.
#include <algorithm>
#include <cctype>

#include "rtf_reader.h"

namespace irun {
namespace {

int32_t clampTo(int32_t v, int32_t low, int32_t high) { return std::max(low, std::min(high, v)); }
constexpr int32_t kMaxTwips = 31680;  // 22 inches, the widest page Word allows

char listTypeFor(int32_t nfc) {
    switch (nfc) {
        case 1: return 'I';
        case 2: return 'i';
        case 3: return 'A';
        case 4: return 'a';
        default: return '1';
    }
}

}  // namespace

void Reader::onSymbol(uint8_t c) {
    if (c == '*') {
        star_ = true;
        return;
    }
    pendingLead_ = pendingLead_ && (c == '\\' || c == '{' || c == '}') ? pendingLead_ : 0;
    if (st().dest == Dest::Skip) return;
    switch (c) {
        case '\\': case '{': case '}': emitByte(c); break;
        case '~': flushHigh(); emitUnicode(0xA0); break;
        case '_': flushHigh(); emitUnicode(0x2011); break;
        case '\t':
            if (st().dest == Dest::Body) {
                syncInline();
                inline_->tab();
            }
            break;
        default: break;  // \- optional hyphens, \: index separators, \| formula marks
    }
}

void Reader::onWord(const Token& t) {
    if (st().dest == Dest::Skip && t.text != "ud") {
        // Nothing in a skipped group has a meaning but the Unicode half of \upr.
        star_ = false;
        pendingLead_ = 0;
        return;
    }
    Kw kw = lookupKeyword(t.text, t.hash);
    bool starred = star_;
    star_ = false;
    pendingLead_ = 0;
    if (kw != Kw::Unicode) flushHigh();
    if (kw == Kw::Unknown) {
        // \* promises a destination a reader may ignore: unknown ones are skipped whole.
        if (starred) st().dest = Dest::Skip;
        return;
    }
    if (isDestination(kw)) {
        startDestination(kw);
        return;
    }
    GroupState& s = st();
    int32_t p = t.param;
    switch (kw) {
        case Kw::Ansi: case Kw::Mac: case Kw::Pc: case Kw::Pca:
            if (!t.hasParam) {
                ansiCpg_ = kw == Kw::Ansi ? 1252 : kw == Kw::Mac ? 10000 : kw == Kw::Pc ? 437 : 850;
                refreshCodePage();
            }
            return;
        case Kw::AnsiCpg:
            if (t.hasParam && p > 0 && p < 100000) {
                ansiCpg_ = p;
                refreshCodePage();
            }
            return;
        case Kw::DefFont:
            deff_ = p;
            styleCache_.clear();
            s.chr.font = p;
            refreshCodePage();
            return;
        case Kw::FontCharset:
            if (s.dest == Dest::FontTable) {
                fontEntryCpg_ = codePageForCharset(p);
                refreshCodePage();
            }
            return;
        case Kw::FontCodePage:
            if (s.dest == Dest::FontTable && p > 0 && p < 100000) {
                fontEntryCpg_ = p;
                refreshCodePage();
            }
            return;
        case Kw::Red: case Kw::Green: case Kw::Blue:
            if (s.dest == Dest::ColorTable) rgb_[kw == Kw::Red ? 0 : kw == Kw::Green ? 1 : 2] = clampTo(p, 0, 255);
            return;
        case Kw::Unicode:
            if (!t.hasParam) return;
            {
                // Negative values are the signed 16-bit form; anything outside Unicode is noise.
                int64_t v = p < 0 ? static_cast<int64_t>(p) + 65536 : p;
                if (v >= 0 && v <= 0x10FFFF) emitUnicode(static_cast<char32_t>(v));
            }
            skip_ = s.uc;
            return;
        case Kw::UnicodeSkip:
            // No encoding needs more than a few bytes per character: a larger count is garbage,
            // and honouring it would swallow the text that follows.
            if (p >= 0 && p <= 16) s.uc = p;
            return;
        case Kw::Par: endParagraph(); return;
        case Kw::Page: case Kw::Sect:
            if (s.dest == Dest::Body && inline_->hasContent()) endParagraph();
            return;
        case Kw::Line:
            if (s.dest == Dest::Body) {
                syncInline();
                inline_->lineBreak();
            } else {
                emitChar(' ');
            }
            return;
        case Kw::Tab:
            if (s.dest == Dest::Body) {
                syncInline();
                inline_->tab();
            } else {
                emitChar(' ');
            }
            return;
        case Kw::EmDash: emitUnicode(0x2014); return;
        case Kw::EnDash: emitUnicode(0x2013); return;
        case Kw::Bullet: emitUnicode(0x2022); return;
        case Kw::LQuote: emitUnicode(0x2018); return;
        case Kw::RQuote: emitUnicode(0x2019); return;
        case Kw::LDblQuote: emitUnicode(0x201C); return;
        case Kw::RDblQuote: emitUnicode(0x201D); return;
        case Kw::EmSpace: emitUnicode(0x2003); return;
        case Kw::EnSpace: emitUnicode(0x2002); return;
        case Kw::QmSpace: emitUnicode(0x2005); return;
        case Kw::FootnoteMark: footnoteMark(); return;
        case Kw::Cell: case Kw::NestCell:
            if (s.dest != Dest::Body || labelOwner_) return;
            if (inNote_) {
                endParagraph();
                return;
            }
            {
                int level = kw == Kw::Cell ? 1 : std::max(tableLevel(), 2);
                if (inline_->hasContent() || !label().empty()) {
                    BlockInfo info = blockInfo();
                    info.tableDepth = level;
                    writeParagraph(info, true);
                }
                flow_->endCell(level);
            }
            return;
        case Kw::Row: endRow(1); return;
        case Kw::NestRow: endRow(std::max(tableLevel(), 2)); return;
        case Kw::RowDefaults: {
            int level = s.nestProps ? std::max(tableLevel(), 2) : 1;
            rowDefs_[static_cast<size_t>(std::min(level, Flow::kMaxTableDepth) - 1)].clear();
            pendingCell_ = CellDef();
            return;
        }
        case Kw::CellX: {
            int level = s.nestProps ? std::max(tableLevel(), 2) : 1;
            pendingCell_.right = clampTo(p, -kMaxTwips, kMaxTwips);
            rowDefs_[static_cast<size_t>(std::min(level, Flow::kMaxTableDepth) - 1)].push_back(pendingCell_);
            pendingCell_ = CellDef();
            return;
        }
        case Kw::CellMergeFirst: pendingCell_.hmerge = 1; return;
        case Kw::CellMerge: pendingCell_.hmerge = 2; return;
        case Kw::CellVMergeFirst: pendingCell_.vmerge = 1; return;
        case Kw::CellVMerge: pendingCell_.vmerge = 2; return;
        case Kw::CellShading: pendingCell_.shading = p; return;
        case Kw::ListId:
            if (s.dest == Dest::ListOverride) {
                overrideId_ = p;
            } else if (s.dest == Dest::ListTable) {
                listEntryId_ = p;
            }
            return;
        case Kw::LevelNfc:
            if (s.dest == Dest::ListTable && inListEntry_ && !listEntry_.empty()) listEntry_.back().nfc = p;
            return;
        case Kw::LevelStartAt:
            if (s.dest == Dest::ListTable && inListEntry_ && !listEntry_.empty())
                listEntry_.back().start = clampTo(p, 0, 32767);
            return;
        case Kw::CharStyle: case Kw::OtherStyle:
            if (s.dest == Dest::StyleSheet) {
                styleNumber_ = p;
                styleIsPara_ = false;
            }
            return;
        case Kw::BasedOn:
            if (s.dest == Dest::StyleSheet) styleEntry_.basedOn = p;
            return;
        case Kw::Style:
            if (s.dest == Dest::StyleSheet) {
                styleNumber_ = p;
                styleIsPara_ = true;
            } else {
                s.para.style = p;
                applyStyle(p);
            }
            return;
        case Kw::Ls:
            if (p < 0) p = -1;
            if (s.dest == Dest::ListOverride) {
                overrideLs_ = p;
                return;
            }
            break;
        default: break;
    }
    if (applyFormat(kw, t.hasParam, p) && s.dest == Dest::StyleSheet && styleEntry_.props.size() < 64)
        styleEntry_.props.push_back({kw, t.hasParam, p});
}

bool Reader::applyFormat(Kw kw, bool hasParam, int32_t p) {
    GroupState& s = st();
    CharFormat& c = s.chr;
    ParaFormat& para = s.para;
    bool on = !hasParam || p != 0;
    switch (kw) {
        case Kw::Plain:
            c = CharFormat();
            c.font = deff_;
            refreshCodePage();
            break;
        case Kw::Bold: c.bold = on; break;
        case Kw::Italic: c.italic = on; break;
        case Kw::Underline: c.underline = on; break;
        case Kw::UnderlineNone: c.underline = false; break;
        case Kw::Strike: c.strike = on; break;
        case Kw::Super: c.vertical = on ? 1 : 0; break;
        case Kw::Sub: c.vertical = on ? -1 : 0; break;
        case Kw::NoSuperSub: c.vertical = 0; break;
        case Kw::Font:
            if (s.dest == Dest::FontTable) {
                fontEntry_ = p;
                fontEntryCpg_ = 0;
                refreshCodePage();
                return false;
            }
            c.font = p;
            refreshCodePage();
            break;
        case Kw::FontSize: c.size = hasParam ? clampTo(p, 1, 3276) : 24; break;
        case Kw::Foreground: c.fg = clampTo(p, 0, 1 << 20); break;
        case Kw::Background: c.bg = clampTo(p, 0, 1 << 20); break;
        case Kw::Highlight: c.highlight = clampTo(p, 0, 1 << 20); break;
        case Kw::Hidden: c.hidden = on; break;
        case Kw::Pard: para = ParaFormat(); break;
        case Kw::RtlPar: para.rtl = true; break;
        case Kw::LtrPar: para.rtl = false; break;
        case Kw::RtlChars: c.dir = 1; break;
        case Kw::LtrChars: c.dir = 2; break;
        case Kw::StartIndent: para.start = clampTo(p, -kMaxTwips, kMaxTwips); return true;
        case Kw::EndIndent: para.end = clampTo(p, -kMaxTwips, kMaxTwips); return true;
        case Kw::AlignLeft: para.align = 0; return true;
        case Kw::AlignCenter: para.align = 1; return true;
        case Kw::AlignRight: para.align = 2; return true;
        case Kw::AlignJustify: para.align = 3; return true;
        case Kw::LeftIndent: para.left = clampTo(p, -kMaxTwips, kMaxTwips); return true;
        case Kw::RightIndent: para.right = clampTo(p, -kMaxTwips, kMaxTwips); return true;
        case Kw::FirstIndent: para.first = clampTo(p, -kMaxTwips, kMaxTwips); return true;
        case Kw::SpaceBefore: para.before = clampTo(p, 0, kMaxTwips); return true;
        case Kw::SpaceAfter: para.after = clampTo(p, 0, kMaxTwips); return true;
        case Kw::InTable: para.inTable = true; return true;
        case Kw::Itap: para.itap = clampTo(p, 0, Flow::kMaxTableDepth); return true;
        case Kw::Ls: para.ls = p; return true;
        case Kw::Ilvl: para.ilvl = clampTo(p, 0, 8); return true;
        case Kw::OutlineLevel:
            para.outline = clampTo(p, 0, 9);
            if (s.dest == Dest::StyleSheet) styleEntry_.outline = para.outline;
            return true;
        case Kw::PnBullet: para.pnKind = 1; para.pnLevel = 0; return true;
        case Kw::PnBody: para.pnKind = 2; para.pnLevel = 0; return true;
        case Kw::PnCont: para.pnKind = 0; return true;
        case Kw::PnLevel: para.pnKind = 2; para.pnLevel = clampTo(p - 1, 0, 8); return true;
        case Kw::PnDecimal: para.pnType = '1'; return true;
        case Kw::PnUpperLetter: para.pnType = 'A'; return true;
        case Kw::PnLowerLetter: para.pnType = 'a'; return true;
        case Kw::PnUpperRoman: para.pnType = 'I'; return true;
        case Kw::PnLowerRoman: para.pnType = 'i'; return true;
        case Kw::PnStart: para.pnStart = clampTo(p, 0, 32767); return true;
        default: return false;
    }
    formatDirty_ = true;
    return true;
}

void Reader::applyStyle(int32_t number) {
    // Based-on chains are replayed from the root; a chain is cut at a repeat or after 16 links.
    const StyleInfo* chain[16];
    size_t length = 0;
    int32_t current = number;
    while (length < 16) {
        auto found = styles_.find(current);
        if (found == styles_.end()) break;
        const StyleInfo* style = &found->second;
        if (std::find(chain, chain + length, style) != chain + length) break;
        chain[length++] = style;
        current = style->basedOn;
    }
    // Only paragraph properties: writers repeat the character formatting after \s, and
    // replaying it would leak into the paragraphs that follow.
    while (length > 0) {
        for (const StyleProp& prop : chain[--length]->props)
            if (isStyleParagraphProperty(prop.kw)) applyFormat(prop.kw, prop.hasParam, prop.param);
    }
}

int Reader::headingLevel(int32_t number) {
    int32_t current = number;
    for (int steps = 0; steps < 16; ++steps) {
        auto found = styles_.find(current);
        if (found == styles_.end()) return 0;
        const StyleInfo& style = found->second;
        if (style.nameLevel > 0) return std::min(style.nameLevel, 6);
        if (style.outline >= 0 && style.outline < 9) return std::min(style.outline + 1, 6);
        if (style.basedOn == current) return 0;
        current = style.basedOn;
    }
    return 0;
}

int Reader::tableLevel() const {
    const ParaFormat& p = stack_.back().para;
    return std::max(p.itap, p.inTable ? 1 : 0);
}

BlockInfo Reader::blockInfo() {
    const ParaFormat& p = st().para;
    BlockInfo b;
    b.align = p.align;
    b.left = p.left;
    b.right = p.right;
    b.first = p.first;
    b.before = p.before;
    b.after = p.after;
    // A footnote cannot hold the table its reference stands in; writers still mark it \intbl.
    b.tableDepth = inNote_ ? 0 : tableLevel();
    b.heading = headingLevel(p.style);
    b.rtl = p.rtl;
    if (p.start >= 0) (p.rtl ? b.right : b.left) = p.start;
    if (p.end >= 0) (p.rtl ? b.left : b.right) = p.end;
    if (const ListLevelDef* level = p.ls >= 0 ? listLevel(p.ls, p.ilvl) : nullptr) {
        b.listLevel = p.ilvl;
        b.listKey = p.ls;
        b.ordered = level->nfc != 23 && level->nfc != 255;
        b.listType = listTypeFor(level->nfc);
        b.listStart = level->start;
    } else if (p.pnKind) {
        b.listLevel = p.pnLevel;
        // Old-style numbering names no list: its kind and style of number stand for one.
        b.listKey = -(p.pnKind * 256 + static_cast<unsigned char>(p.pnType));
        b.ordered = p.pnKind == 2;
        b.listType = p.pnType;
        b.listStart = p.pnStart;
    } else if (p.ls > 0 && label().empty()) {
        // A list that cannot be found, and no label written with it: a bullet keeps it a list.
        b.listLevel = p.ilvl;
        b.listKey = p.ls;
    }
    return b;
}

const Reader::ListLevelDef* Reader::listLevel(int32_t ls, int32_t ilvl) const {
    static const ListLevelDef kUndefinedLevel;
    auto id = overrides_.find(ls);
    if (id == overrides_.end()) return nullptr;
    auto list = lists_.find(id->second);
    if (list == lists_.end()) return nullptr;
    const std::vector<ListLevelDef>& levels = list->second;
    if (levels.empty()) return &kUndefinedLevel;
    return static_cast<size_t>(ilvl) < levels.size() ? &levels[static_cast<size_t>(ilvl)] : &levels.back();
}

void Reader::endParagraph() {
    if (st().dest != Dest::Body || labelOwner_) return;
    writeParagraph(blockInfo(), inline_->hasContent());
}

void Reader::writeParagraph(BlockInfo info, bool hasContent) {
    std::string& written = label();
    if (written.empty() || info.listLevel >= 0) {
        flow_->paragraph(info, inline_->take(), hasContent);
    } else {
        // Nothing numbers the paragraph: the label the writer put there keeps its place.
        flow_->paragraph(info, written + inline_->take(), true);
    }
    written.clear();
}

void Reader::endRow(int level) {
    if (st().dest != Dest::Body || inNote_ || labelOwner_) return;
    level = std::min(level, Flow::kMaxTableDepth);
    if (inline_->hasContent() || !label().empty()) {
        BlockInfo info = blockInfo();
        info.tableDepth = level;
        writeParagraph(info, true);
    }
    // Definitions pile up until the next \trowd, and the table uses no more of them than the row
    // has cells: laying out every one for every row would cost rows times definitions.
    const size_t cells = flow_->closeRowCells(level);
    const std::vector<CellDef>& defs = rowDefs_[static_cast<size_t>(level - 1)];
    std::vector<CellLayout> layout;
    layout.reserve(std::min(defs.size(), cells));
    int32_t left = 0;
    for (size_t i = 0; i < defs.size() && i < cells; ++i) {
        const CellDef& def = defs[i];
        CellLayout cell;
        int64_t twips = static_cast<int64_t>(def.right) - left;
        cell.width = twips > 0 ? static_cast<int>(twips * dpi_ / 1440) : 0;
        left = def.right;
        cell.hmerge = def.hmerge;
        cell.vmerge = def.vmerge;
        if (def.shading > 0 && static_cast<size_t>(def.shading) < colours_.size())
            cell.background = colours_[static_cast<size_t>(def.shading)];
        layout.push_back(std::move(cell));
    }
    flow_->endRow(level, layout);
}

}  // namespace irun
