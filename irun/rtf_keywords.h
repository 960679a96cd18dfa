// The RTF control words the reader acts on, and the lookup from name to meaning.
#pragma once

#include <cstdint>
#include <string_view>

namespace irun {

enum class Kw : uint8_t {
    Unknown,
    // Destinations with a meaning of their own.
    FontTable, ColorTable, StyleSheet, Info, Title, ListTable, List, ListLevel, ListOverrideTable,
    ListOverride, Field, FieldInst, FieldResult, Footnote, BookmarkStart, Pn, PnText, ListText,
    Upr, Ud, ShapeText, Container, NestTableProps, SkipDest,
    // Document and table set-up.
    Ansi, Mac, Pc, Pca, AnsiCpg, DefFont, FontCharset, FontCodePage, Red, Green, Blue,
    CharStyle, OtherStyle, BasedOn, ListId, LevelNfc, LevelStartAt, ListOverrideLs,
    // Character formatting.
    Plain, Bold, Italic, Underline, UnderlineNone, Strike, Super, Sub, NoSuperSub, Font, FontSize,
    Foreground, Background, Highlight, Hidden, RtlChars, LtrChars,
    // Paragraph formatting.
    Pard, AlignLeft, AlignCenter, AlignRight, AlignJustify, LeftIndent, RightIndent, FirstIndent,
    SpaceBefore, SpaceAfter, StartIndent, EndIndent, RtlPar, LtrPar, Style, InTable, Itap, Ls, Ilvl,
    OutlineLevel,
    PnBullet, PnBody, PnCont, PnLevel, PnDecimal, PnUpperLetter, PnLowerLetter, PnUpperRoman,
    PnLowerRoman, PnStart,
    // Text and breaks.
    Unicode, UnicodeSkip, Par, Line, Tab, Page, Sect, Cell, NestCell, Row, NestRow,
    EmDash, EnDash, Bullet, LQuote, RQuote, LDblQuote, RDblQuote, EmSpace, EnSpace, QmSpace,
    Ignorable, FootnoteMark,
    // Tables.
    RowDefaults, CellX, CellMergeFirst, CellMerge, CellVMergeFirst, CellVMerge, CellShading,
};

// hash: the tokenizer's hash of the name (see rtf_tokenizer.h).
Kw lookupKeyword(std::string_view name, uint32_t hash);

// Words that open a destination: the group they start is read, or skipped, as a whole. The
// enum's order means nothing; a new destination word is listed here.
constexpr bool isDestination(Kw kw) {
    switch (kw) {
        case Kw::FontTable: case Kw::ColorTable: case Kw::StyleSheet: case Kw::Info: case Kw::Title:
        case Kw::ListTable: case Kw::List: case Kw::ListLevel: case Kw::ListOverrideTable:
        case Kw::ListOverride: case Kw::Field: case Kw::FieldInst: case Kw::FieldResult:
        case Kw::Footnote: case Kw::BookmarkStart: case Kw::Pn: case Kw::PnText: case Kw::ListText:
        case Kw::Upr: case Kw::Ud: case Kw::ShapeText: case Kw::Container: case Kw::NestTableProps:
        case Kw::SkipDest:
            return true;
        default:
            return false;
    }
}

// Paragraph properties that a paragraph style carries and \s replays; \pard, which would undo
// what came before the style, and \s itself are not among them.
constexpr bool isStyleParagraphProperty(Kw kw) {
    switch (kw) {
        case Kw::AlignLeft: case Kw::AlignCenter: case Kw::AlignRight: case Kw::AlignJustify:
        case Kw::LeftIndent: case Kw::RightIndent: case Kw::FirstIndent: case Kw::SpaceBefore:
        case Kw::SpaceAfter: case Kw::StartIndent: case Kw::EndIndent: case Kw::RtlPar: case Kw::LtrPar:
        case Kw::InTable: case Kw::Itap: case Kw::Ls: case Kw::Ilvl: case Kw::OutlineLevel:
        case Kw::PnBullet: case Kw::PnBody: case Kw::PnCont: case Kw::PnLevel: case Kw::PnDecimal:
        case Kw::PnUpperLetter: case Kw::PnLowerLetter: case Kw::PnUpperRoman: case Kw::PnLowerRoman:
        case Kw::PnStart:
            return true;
        default:
            return false;
    }
}

}  // namespace irun
