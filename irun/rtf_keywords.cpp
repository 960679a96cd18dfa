// Name table for the control words; everything not listed is ignored (or skipped after \*).
#include "rtf_keywords.h"

#include <cstring>

#include "rtf_tokenizer.h"

namespace irun {
namespace {

struct Entry {
    const char* name;
    Kw kw;
};

const Entry kEntries[] = {
    {"fonttbl", Kw::FontTable}, {"colortbl", Kw::ColorTable}, {"stylesheet", Kw::StyleSheet},
    {"info", Kw::Info}, {"title", Kw::Title}, {"listtable", Kw::ListTable}, {"list", Kw::List},
    {"listlevel", Kw::ListLevel}, {"listoverridetable", Kw::ListOverrideTable},
    {"listoverride", Kw::ListOverride}, {"field", Kw::Field}, {"fldinst", Kw::FieldInst},
    {"fldrslt", Kw::FieldResult}, {"footnote", Kw::Footnote}, {"bkmkstart", Kw::BookmarkStart},
    {"pn", Kw::Pn}, {"pntext", Kw::PnText}, {"listtext", Kw::ListText}, {"upr", Kw::Upr},
    {"ud", Kw::Ud}, {"shptxt", Kw::ShapeText}, {"shp", Kw::Container}, {"shpinst", Kw::Container},
    {"object", Kw::Container}, {"result", Kw::Container}, {"nesttableprops", Kw::NestTableProps},
    // Content that never reaches the page: pictures, headers, metadata, drawing fallbacks.
    {"nonesttables", Kw::SkipDest}, {"pict", Kw::SkipDest}, {"header", Kw::SkipDest},
    {"headerl", Kw::SkipDest}, {"headerr", Kw::SkipDest}, {"headerf", Kw::SkipDest},
    {"footer", Kw::SkipDest}, {"footerl", Kw::SkipDest}, {"footerr", Kw::SkipDest},
    {"footerf", Kw::SkipDest}, {"ftnsep", Kw::SkipDest}, {"ftnsepc", Kw::SkipDest},
    {"ftncn", Kw::SkipDest}, {"aftnsep", Kw::SkipDest}, {"aftnsepc", Kw::SkipDest},
    {"aftncn", Kw::SkipDest}, {"xe", Kw::SkipDest}, {"tc", Kw::SkipDest}, {"tcn", Kw::SkipDest},
    {"txe", Kw::SkipDest}, {"rxe", Kw::SkipDest}, {"bkmkend", Kw::SkipDest},
    {"author", Kw::SkipDest}, {"operator", Kw::SkipDest}, {"company", Kw::SkipDest},
    {"subject", Kw::SkipDest}, {"keywords", Kw::SkipDest}, {"comment", Kw::SkipDest},
    {"doccomm", Kw::SkipDest}, {"creatim", Kw::SkipDest}, {"revtim", Kw::SkipDest},
    {"printim", Kw::SkipDest}, {"buptim", Kw::SkipDest}, {"manager", Kw::SkipDest},
    {"category", Kw::SkipDest}, {"hlinkbase", Kw::SkipDest}, {"nonshppict", Kw::SkipDest},
    {"shppict", Kw::SkipDest}, {"shprslt", Kw::SkipDest}, {"sp", Kw::SkipDest},
    {"objdata", Kw::SkipDest}, {"objclass", Kw::SkipDest}, {"objname", Kw::SkipDest},
    {"fldtype", Kw::SkipDest}, {"leveltext", Kw::SkipDest}, {"levelnumbers", Kw::SkipDest},
    {"listname", Kw::SkipDest}, {"listpicture", Kw::SkipDest}, {"pnseclvl", Kw::SkipDest},
    {"pntxtb", Kw::SkipDest}, {"pntxta", Kw::SkipDest}, {"falt", Kw::SkipDest},
    {"panose", Kw::SkipDest}, {"themedata", Kw::SkipDest}, {"colorschememapping", Kw::SkipDest},
    {"datastore", Kw::SkipDest}, {"latentstyles", Kw::SkipDest}, {"rsidtbl", Kw::SkipDest},
    {"generator", Kw::SkipDest}, {"xmlnstbl", Kw::SkipDest}, {"pgdsctbl", Kw::SkipDest},
    {"revtbl", Kw::SkipDest}, {"filetbl", Kw::SkipDest}, {"docvar", Kw::SkipDest},
    {"userprops", Kw::SkipDest}, {"annotation", Kw::SkipDest}, {"atnid", Kw::SkipDest},
    {"atnauthor", Kw::SkipDest}, {"atnref", Kw::SkipDest}, {"atntime", Kw::SkipDest},
    {"atnicn", Kw::SkipDest}, {"atrfstart", Kw::SkipDest}, {"atrfend", Kw::SkipDest},
    {"template", Kw::SkipDest}, {"do", Kw::SkipDest}, {"private", Kw::SkipDest},
    {"mmathPr", Kw::SkipDest}, {"protusertbl", Kw::SkipDest}, {"wgrffmtfilter", Kw::SkipDest},
    {"background", Kw::SkipDest}, {"blipuid", Kw::SkipDest}, {"passwordhash", Kw::SkipDest},
    {"ftnalt", Kw::Ignorable},
    {"ansi", Kw::Ansi}, {"mac", Kw::Mac}, {"pc", Kw::Pc}, {"pca", Kw::Pca},
    {"ansicpg", Kw::AnsiCpg}, {"deff", Kw::DefFont}, {"fcharset", Kw::FontCharset},
    {"cpg", Kw::FontCodePage}, {"red", Kw::Red}, {"green", Kw::Green}, {"blue", Kw::Blue},
    {"cs", Kw::CharStyle}, {"ds", Kw::OtherStyle}, {"ts", Kw::OtherStyle},
    {"sbasedon", Kw::BasedOn}, {"listid", Kw::ListId}, {"levelnfc", Kw::LevelNfc},
    {"levelnfcn", Kw::LevelNfc}, {"levelstartat", Kw::LevelStartAt},
    {"plain", Kw::Plain}, {"b", Kw::Bold}, {"i", Kw::Italic}, {"ul", Kw::Underline},
    {"uld", Kw::Underline}, {"uldash", Kw::Underline}, {"uldashd", Kw::Underline},
    {"uldashdd", Kw::Underline}, {"uldb", Kw::Underline}, {"ulth", Kw::Underline},
    {"ulw", Kw::Underline}, {"ulwave", Kw::Underline}, {"ulhwave", Kw::Underline},
    {"ululdbwave", Kw::Underline}, {"ulldash", Kw::Underline}, {"ulthd", Kw::Underline},
    {"ulthdash", Kw::Underline}, {"ulnone", Kw::UnderlineNone}, {"strike", Kw::Strike},
    {"striked", Kw::Strike}, {"super", Kw::Super}, {"sub", Kw::Sub},
    {"nosupersub", Kw::NoSuperSub}, {"f", Kw::Font}, {"fs", Kw::FontSize},
    {"cf", Kw::Foreground}, {"cb", Kw::Background}, {"chcbpat", Kw::Background},
    {"highlight", Kw::Highlight}, {"v", Kw::Hidden}, {"webhidden", Kw::Hidden},
    {"deleted", Kw::Hidden}, {"rtlch", Kw::RtlChars}, {"ltrch", Kw::LtrChars},
    {"pard", Kw::Pard}, {"ql", Kw::AlignLeft}, {"qc", Kw::AlignCenter}, {"qr", Kw::AlignRight},
    {"qj", Kw::AlignJustify}, {"qd", Kw::AlignJustify}, {"li", Kw::LeftIndent},
    {"lin", Kw::StartIndent}, {"ri", Kw::RightIndent}, {"rin", Kw::EndIndent},
    {"fi", Kw::FirstIndent}, {"sb", Kw::SpaceBefore}, {"sa", Kw::SpaceAfter}, {"s", Kw::Style},
    {"rtlpar", Kw::RtlPar}, {"ltrpar", Kw::LtrPar},
    {"intbl", Kw::InTable}, {"itap", Kw::Itap}, {"ls", Kw::Ls}, {"ilvl", Kw::Ilvl},
    {"outlinelevel", Kw::OutlineLevel}, {"pnlvlblt", Kw::PnBullet}, {"pnlvlbody", Kw::PnBody},
    {"pnlvlcont", Kw::PnCont}, {"pnlvl", Kw::PnLevel}, {"pndec", Kw::PnDecimal},
    {"pnucltr", Kw::PnUpperLetter}, {"pnlcltr", Kw::PnLowerLetter}, {"pnucrm", Kw::PnUpperRoman},
    {"pnlcrm", Kw::PnLowerRoman}, {"pnstart", Kw::PnStart},
    {"u", Kw::Unicode}, {"uc", Kw::UnicodeSkip}, {"par", Kw::Par}, {"line", Kw::Line},
    {"lbr", Kw::Line}, {"tab", Kw::Tab}, {"page", Kw::Page}, {"sect", Kw::Sect},
    {"cell", Kw::Cell}, {"nestcell", Kw::NestCell}, {"row", Kw::Row}, {"nestrow", Kw::NestRow},
    {"emdash", Kw::EmDash}, {"endash", Kw::EnDash}, {"bullet", Kw::Bullet},
    {"lquote", Kw::LQuote}, {"rquote", Kw::RQuote}, {"ldblquote", Kw::LDblQuote},
    {"rdblquote", Kw::RDblQuote}, {"emspace", Kw::EmSpace}, {"enspace", Kw::EnSpace},
    {"qmspace", Kw::QmSpace}, {"zwj", Kw::Ignorable}, {"zwnj", Kw::Ignorable},
    {"zwbo", Kw::Ignorable}, {"zwnbo", Kw::Ignorable}, {"ltrmark", Kw::Ignorable},
    {"rtlmark", Kw::Ignorable}, {"chftn", Kw::FootnoteMark},
    {"trowd", Kw::RowDefaults}, {"cellx", Kw::CellX}, {"clmgf", Kw::CellMergeFirst},
    {"clmrg", Kw::CellMerge}, {"clvmgf", Kw::CellVMergeFirst}, {"clvmrg", Kw::CellVMerge},
    {"clcbpat", Kw::CellShading},
};

// Open addressing over a table of entry numbers at most half full: every control word of a
// document is looked up, most of them unknown, and a miss must end at the first empty slot.
class KeywordTable {
public:
    KeywordTable() {
        for (uint16_t n = 0; n < kCount; ++n) {
            lengths_[n] = static_cast<uint8_t>(std::strlen(kEntries[n].name));
            size_t i = hashName(kEntries[n].name, lengths_[n]) & kMask;
            while (slots_[i]) i = (i + 1) & kMask;
            slots_[i] = static_cast<uint16_t>(n + 1);
        }
    }

    Kw find(std::string_view name, uint32_t hash) const {
        size_t length = name.size();
        for (size_t i = hash & kMask; slots_[i]; i = (i + 1) & kMask) {
            size_t n = slots_[i] - 1u;
            if (lengths_[n] != length) continue;
            const char* a = kEntries[n].name;
            const char* b = name.data();
            size_t k = 0;
            while (k < length && a[k] == b[k]) ++k;
            if (k == length) return kEntries[n].kw;
        }
        return Kw::Unknown;
    }

    static uint32_t hashName(const char* p, size_t n) {
        uint32_t h = kHashSeed;
        for (size_t i = 0; i < n; ++i) h = hashStep(h, p[i]);
        return hashFinish(h);
    }

private:
    static constexpr size_t kCount = sizeof kEntries / sizeof kEntries[0];
    static constexpr size_t kMask = 1023;
    static_assert(kCount * 2 <= kMask + 1, "keyword table too full");

    uint16_t slots_[kMask + 1] = {};
    uint8_t lengths_[kCount] = {};
};

const KeywordTable kTable;

}  // namespace

Kw lookupKeyword(std::string_view name, uint32_t hash) { return kTable.find(name, hash); }

}  // namespace irun
