// Texts of the main window, built from the string table's entries and the window's state.
#include "ui/dialog_texts.h"

#include <cctype>
#include <cstdio>

#include "plugin/plugin_text.h"
#include "project/export_job.h"

namespace t2c {

namespace {

std::string replaceFirst(const std::string& format, const char* placeholder, const std::string& value) {
  size_t at = format.find(placeholder);
  if (at == std::string::npos) return format;
  return format.substr(0, at) + value + format.substr(at + 2);
}

std::string releaseNumber(int32_t major, int32_t minor, int32_t release) {
  char text[64];
  std::snprintf(text, sizeof text, "%d.%d%d", static_cast<int>(major), static_cast<int>(minor),
                static_cast<int>(release));
  return text;
}

// Replaces every single-byte `from` by `to` (or removes it when `to` is 0), stepping over
// two-byte characters whole.
std::string replaceCharacter(const std::string& text, char from, char to, LeadBytePredicate isLeadByte) {
  std::string result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (isLeadByte(static_cast<unsigned char>(c)) && i + 1 < text.size()) {
      result += c;
      result += text[++i];
    } else if (c != from) {
      result += c;
    } else if (to) {
      result += to;
    }
  }
  return result;
}

bool endsWithChmExtension(const std::string& name) {
  // Every byte of ".chm" lies below the trail-byte range of the two-byte code pages, so the
  // last four bytes are four characters whenever they spell it.
  static const char kExtension[] = ".chm";
  std::string tail = name.substr(name.size() - 4);
  for (size_t i = 0; i < 4; ++i)
    if (std::tolower(static_cast<unsigned char>(tail[i])) != kExtension[i]) return false;
  return true;
}

}  // namespace

std::string fillInText(const std::string& format, const std::string& text) {
  return replaceFirst(format, "%s", text);
}

std::string fillInNumber(const std::string& format, int32_t number) {
  return replaceFirst(format, "%d", std::to_string(number));
}

std::string versionText(int32_t major, int32_t minor, int32_t release, int32_t build) {
  return std::string(kPluginName) + " " + releaseNumber(major, minor, release) + " (build " +
         std::to_string(build) + ", Dec 26 2011)";
}

std::string baseTitle(const std::string& version, const std::string& modeCaption) {
  return modeCaption.empty() ? version : version + " - " + modeCaption;
}

std::string countedTitle(const std::string& base, const std::string& countFormat, int32_t articles) {
  return base + " [" + fillInNumber(countFormat, articles) + "]";
}

std::string jobDescription(const std::string& prefix, int32_t major, int32_t minor, int32_t release) {
  return prefix + " " + releaseNumber(major, minor, release) + " - " + kHostWebAddress;
}

bool tooltipLinksSupported(uint32_t major, uint32_t minor) { return major >= 5 && minor >= 1; }

std::string converterTooltip(const std::string& explanation, const std::string& presence, bool withLinks) {
  std::string text = explanation + " (" + presence + ")";
  const std::string address = kHostWebAddress;
  if (withLinks) return text + "\n<A HREF=\"" + address + "\">" + address + "</A>";
  return text + "\n" + address;
}

std::string tipPanelText(const std::string& heading, const std::string& tipText) {
  std::string text = tipText;
  for (size_t at; (at = text.find("</A>")) != std::string::npos;) text.erase(at, 4);
  size_t open = text.find("<A ");
  if (open != std::string::npos && open > 0) {
    size_t close = text.find('>', open + 2);
    if (close != std::string::npos) text.erase(open, close - open + 1);
  }
  return heading + "\r\n" + text;
}

std::string proposedFileName(const std::string& title, LeadBytePredicate isLeadByte) {
  std::string name = replaceCharacter(title, ':', '-', isLeadByte);
  name = replaceCharacter(name, '?', 0, isLeadByte);
  name = replaceCharacter(name, '"', 0, isLeadByte);
  // The rest that no file name may hold: the save dialog fails at once on any of them.
  for (const char forbidden : {'\\', '/', '*', '<', '>', '|'})
    name = replaceCharacter(name, forbidden, '_', isLeadByte);
  if (name.size() > 4 && !endsWithChmExtension(name)) name += ".chm";
  return name;
}

std::string helpFileTitle(const std::string& title, LeadBytePredicate isLeadByte) {
  size_t end = 0;
  while (end < title.size()) {
    const bool pair = isLeadByte(static_cast<unsigned char>(title[end])) && end + 1 < title.size();
    const size_t next = end + (pair ? 2 : 1);
    if (next > kLongestHelpFileTitle) break;
    end = next;
  }
  return title.substr(0, end);
}

std::string languageEntryText(uint16_t languageId, const std::string& displayName) {
  char number[16];
  std::snprintf(number, sizeof number, "0x%x", static_cast<unsigned>(languageId));
  return displayName.empty() ? number : std::string(number) + " " + displayName;
}

int preselectedLayout(const std::vector<uint16_t>& languageIds, uint32_t defaultLocale) {
  int chosen = -1;
  for (size_t i = 0; i < languageIds.size(); ++i)
    if (languageIds[i] == defaultLocale) chosen = static_cast<int>(i);
  return chosen;
}

}  // namespace t2c
