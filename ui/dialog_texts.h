// Texts the main window shows or hands on: titles, tooltips, the tip panel, file names, languages.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "plugin/plugin_text.h"

namespace t2c {

// The format with its first "%s" replaced by the text (or its first "%d" by the number); a
// format without that placeholder comes back unchanged, so a damaged string table cannot crash.
std::string fillInText(const std::string& format, const std::string& text);
std::string fillInNumber(const std::string& format, int32_t number);

// "Tessaly2CHM 2.21 (build 83, Dec 26 2011)".
std::string versionText(int32_t major, int32_t minor, int32_t release, int32_t build);
// The version text, then " - " and the mode caption when there is one.
std::string baseTitle(const std::string& version, const std::string& modeCaption);
// The base title, then " [", the count format filled with the number of articles, and "]".
std::string countedTitle(const std::string& base, const std::string& countFormat, int32_t articles);
// The description prefix, " ", "2.21", " - " and the web address.
std::string jobDescription(const std::string& prefix, int32_t major, int32_t minor, int32_t release);

// Whether the tooltip control can show links, judged from the system's version numbers.
bool tooltipLinksSupported(uint32_t major, uint32_t minor);
// The tip of "Save formatting to HTML" and "Save plain text as HTML": the explanation, whether
// the converter was found, and the host's web address as a link or as bare text.
std::string converterTooltip(const std::string& explanation, const std::string& presence, bool withLinks);

// The tooltip text as the tip panel shows it: anchors removed, behind the heading and a line break.
std::string tipPanelText(const std::string& heading, const std::string& tipText);

// The file name the save dialog proposes for a help-file title: ":" becomes "-", "?" and double
// quotes go, "\", "/", "*", "<", ">" and "|" become "_", and ".chm" is appended to a name of more than 4 characters that does
// not end in it already. Second bytes of two-byte characters are never touched.
std::string proposedFileName(const std::string& title, LeadBytePredicate isLeadByte = noLeadBytes);

// The help file keeps at most this many bytes of the title: the compiler stores it in a record of
// 16-bit length (a longer one spoils the records after it, the contents among them) and the
// viewer shows it as a window caption.
constexpr size_t kLongestHelpFileTitle = 1024;
// The title as the help file gets it: its first kLongestHelpFileTitle bytes at most, never
// ending in the first byte of a two-byte character.
std::string helpFileTitle(const std::string& title, LeadBytePredicate isLeadByte = noLeadBytes);

// One entry of the language list: "0x" and the lower-case hexadecimal language id, a blank and
// the display name; the bare number when the system names no language.
std::string languageEntryText(uint16_t languageId, const std::string& displayName);
// The layout to preselect: the last one whose language id equals the user's default locale id,
// or -1 when none does.
int preselectedLayout(const std::vector<uint16_t>& languageIds, uint32_t defaultLocale);
// The language handed to the compiler when the list has no entry to select.
constexpr char kFallbackLanguage[] = "0x409 English (United States)";

}  // namespace t2c
