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

}  // namespace irun
