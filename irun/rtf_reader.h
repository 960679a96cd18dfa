// The RTF reader: an explicit group stack driving the HTML builders, with no recursion on nesting.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <map>
#include <utility>
#include <vector>

#include "codepage.h"
#include "html_flow.h"
#include "html_inline.h"
#include "html_text.h"
#include "rtf_keywords.h"
#include "rtf_tokenizer.h"

namespace irun {

struct CharFormat {
    bool bold = false, italic = false, underline = false, strike = false, hidden = false;
    int8_t vertical = 0;
    int8_t dir = 0;  // 1 right-to-left, 2 left-to-right, 0 not stated
    int32_t font = -1;
    int32_t size = 24;  // half-points
    int32_t fg = 0, bg = 0, highlight = 0;
    bool operator==(const CharFormat& o) const {
        return bold == o.bold && italic == o.italic && underline == o.underline && strike == o.strike &&
               hidden == o.hidden && vertical == o.vertical && dir == o.dir && font == o.font && size == o.size &&
               fg == o.fg && bg == o.bg && highlight == o.highlight;
    }
};

struct ParaFormat {
    uint8_t align = 0;
    int32_t left = 0, right = 0, first = 0, before = 0, after = 0;
    // \lin and \rin: indents at the start and end of the line, which are right and left in a
    // right-to-left paragraph; -1 when not given.
    int32_t start = -1, end = -1;
    bool rtl = false;
    int32_t style = 0;
    int32_t outline = -1;
    bool inTable = false;
    int32_t itap = 0;
    int32_t ls = -1, ilvl = 0;  // ls -1: no list
    uint8_t pnKind = 0;  // 1 bullet, 2 numbered
    char pnType = '1';
    int32_t pnLevel = 0, pnStart = 1;
};

enum class Dest : uint8_t {
    Body, Skip, FontTable, ColorTable, StyleSheet, Info, Title, ListTable, ListOverride, FieldInst, Bookmark, Pn
};

// What the group opened, so that closing it can finish the job.
enum class Owner : uint8_t {
    None, FontEntry, StyleEntry, List, ListLevel, ListOverride, Field, FieldInst, FieldResult, Footnote,
    Bookmark, Pn, Upr, Title, Label
};

struct GroupState {
    CharFormat chr;
    ParaFormat para;
    Dest dest = Dest::Body;
    Dest outer = Dest::Body;  // for \upr: where its \ud text goes
    Owner owner = Owner::None;
    bool nestProps = false;
    int32_t uc = 1;
    int32_t codePage = 1252;
};

struct ReadResult {
    std::string body;
    std::string footnotes;
    std::u32string title;
};

class Reader {
public:
    static constexpr size_t kMaxDepth = 1024;
    static constexpr size_t kMaxFields = 64;  // nested fields that can still make a link

    Reader(std::string_view rtf, CodePages& pages, HtmlText& html, int dpi);
    ReadResult run();

private:
    struct FontInfo {
        std::u32string name;
        int32_t codePage = 0;  // 0: the document's
    };
    struct StyleProp {
        Kw kw;
        bool hasParam;
        int32_t param;
    };
    struct StyleInfo {
        std::u32string name;
        int32_t basedOn = -1;
        int32_t outline = -1;
        int nameLevel = 0;  // 1-9 when the name is "heading N"
        std::vector<StyleProp> props;
    };
    struct ListLevelDef {
        int32_t nfc = 0;
        int32_t start = 1;
    };
    struct FieldState {
        std::u32string inst;
        std::string href, title;  // attribute bytes; href empty when the field is no link
        uint8_t phase = 0;        // 0 instruction, 1 result, 2 done
    };
    struct CellDef {
        int32_t right = 0;
        uint8_t hmerge = 0, vmerge = 0;
        int32_t shading = 0;
    };

    GroupState& st() { return stack_.back(); }
    // rtf_reader.cpp: groups, text and characters.
    void openGroup();
    void closeGroup();
    void onText(std::string_view text);
    void emitByte(uint8_t b);
    void emitUnicode(char32_t c);
    void emitChar(char32_t c);
    void flushHigh();
    void syncInline();
    InlineStyle styleFor(const CharFormat& chr);
    void refreshCodePage();
    void finishDocument();
    bool atTopAfterGroup() const { return started_ && stack_.size() == 1 && overflow_.empty(); }
    // rtf_control.cpp: control words and symbols.
    void onSymbol(uint8_t c);
    void onWord(const Token& t);
    bool applyFormat(Kw kw, bool hasParam, int32_t param);
    void applyStyle(int32_t number);
    void endParagraph();
    void writeParagraph(BlockInfo info, bool hasContent);
    const ListLevelDef* listLevel(int32_t ls, int32_t ilvl) const;
    BlockInfo blockInfo();
    int headingLevel(int32_t style);
    int tableLevel() const;
    void endRow(int level);
    // rtf_destinations.cpp: destinations and the tables they fill.
    void startDestination(Kw kw);
    void endOwner(GroupState& closing);
    bool setOwner(Owner owner);
    bool canOwn() const { return stack_.back().owner == Owner::None && overflow_.empty(); }
    void beginLabel();
    void endLabel();
    void commitFont();
    void commitStyle();
    void commitColour();
    // rtf_notes.cpp: fields, links, bookmarks and footnotes.
    void startFieldResult();
    void refreshLink();
    void footnoteMark();
    void beginFootnote();
    void endFootnote();

    Tokenizer tok_;
    CodePages& pages_;
    HtmlText& html_;
    int dpi_;
    CodePage* decoder_ = nullptr;
    int32_t decoderNumber_ = 0;  // the code page asked for; decoder_ may stand in for it
    std::vector<GroupState> stack_;
    std::vector<Dest> overflow_;  // past kMaxDepth only the destination is saved per group
    bool started_ = false, done_ = false, star_ = false;
    int32_t skip_ = 0;
    char32_t pendingHigh_ = 0;
    uint8_t pendingLead_ = 0;

    int32_t ansiCpg_ = 1252;
    int32_t deff_ = -1;
    // Ordered maps: the numbers come from the file, and hashing them as they come would let a
    // crafted file pile every entry into one bucket.
    std::map<int32_t, FontInfo> fonts_;
    int32_t fontEntry_ = -1;
    int32_t fontEntryCpg_ = 0;
    std::u32string entryName_;
    bool entryPending_ = false;
    std::vector<std::string> colours_;  // "#RRGGBB", empty for automatic
    int32_t rgb_[3] = {-1, -1, -1};
    std::map<int32_t, StyleInfo> styles_;
    StyleInfo styleEntry_;
    int32_t styleNumber_ = 0;
    bool styleIsPara_ = true;
    std::map<int32_t, std::vector<ListLevelDef>> lists_;
    std::vector<ListLevelDef> listEntry_;
    int32_t listEntryId_ = 0;
    bool inListEntry_ = false;
    std::map<int32_t, int32_t> overrides_;
    int32_t overrideId_ = 0, overrideLs_ = 0;

    std::vector<FieldState> fields_;
    std::u32string title_;
    std::u32string bookmark_;
    std::vector<std::vector<CellDef>> rowDefs_;
    CellDef pendingCell_;

    InlineBuilder bodyInline_, noteInline_, labelInline_;
    Flow bodyFlow_, noteFlow_;
    InlineBuilder* inline_ = &bodyInline_;
    InlineBuilder* labelOwner_ = nullptr;  // the builder a list label interrupts
    // List labels as the file writes them (\listtext, \pntext), shown only when no list of
    // ours numbers the paragraph; one for the body and one for the footnote being read.
    std::string bodyLabel_, noteLabel_;
    std::string& label() { return inNote_ ? noteLabel_ : bodyLabel_; }
    Flow* flow_ = &bodyFlow_;
    CharFormat synced_;
    bool syncedRtl_ = false;
    // The styles of the last few formats: a document switches among a handful of them, and a
    // style costs a font-name and colour lookup to build. Emptied when those tables change.
    struct CachedStyle {
        CharFormat chr;
        bool rtl;
        InlineStyle style;
    };
    std::vector<CachedStyle> styleCache_;
    size_t styleCacheNext_ = 0;
    bool formatDirty_ = true, linkDirty_ = false, styleForce_ = true;
    bool inNote_ = false, noteBackLink_ = false;
    int noteCount_ = 0;
    std::string footnotes_;
};

}  // namespace irun
