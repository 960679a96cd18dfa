// Writes the settings the viewer reads first: title, default topic, contents, language, window.
#include "chm/system_file.h"
#include "chm/ascii_text.h"

#include "chm/le_bytes.h"
#include "chm/help_project.h"
#include "chm/object_instance.h"

namespace chm {
namespace {

constexpr uint32_t kIndexHeaderSize = 4096;
constexpr uint32_t kWindowEntrySize = 196;
constexpr size_t kLongestText = 4095;

// HHWIN_PARAM_* bits: which members of the window entry are set.
constexpr uint32_t kValidProperties = 0x2, kValidToolbar = 0x100, kValidTabPosition = 0x400;
// HHWIN_PROP_* bits.
constexpr uint32_t kTriPane = 0x20, kAutoSync = 0x100, kSearchTab = 0x400, kAdvancedSearchTab = 0x20000;
// HHWIN_BUTTON_*: expand, back, forward, home, options, print, zoom, previous and next topic.
constexpr uint32_t kToolbarButtons = 0x70304E;

enum SystemCode : uint16_t {
  kContents = 0, kIndex = 1, kDefaultTopic = 2, kTitle = 3, kLanguage = 4, kDefaultWindow = 5,
  kCompiledFile = 6, kCompiler = 9, kTime = 10, kInfoTypes = 12, kIndexHeader = 13,
  kInfoTypeChecksum = 15,
};

void putRecord(std::string& out, uint16_t code, const std::string& data) {
  putU16(out, code);
  putU16(out, static_cast<uint32_t>(data.size()));
  out += data;
}

// A record's length is a WORD; texts are cut to what the viewer's string pages hold anyway.
void putText(std::string& out, uint16_t code, const std::string& text) {
  if (!text.empty()) putRecord(out, code, text.substr(0, kLongestText) + '\0');
}

void putDword(std::string& out, uint16_t code, uint32_t value) {
  std::string data;
  putU32(data, value);
  putRecord(out, code, data);
}

}  // namespace

uint64_t fileTimeOf(int64_t unixTime) {
  return static_cast<uint64_t>(unixTime + 11644473600LL) * 10000000ULL;
}

std::string settingsPath(const std::string& name) {
  size_t start = name.find_first_not_of('/');
  return start == std::string::npos ? std::string() : name.substr(start);
}

std::string buildIndexHeader(const SystemFacts& facts) {
  std::string out = "T#SM";
  putU32(out, 0);
  putU32(out, 1);
  putU32(out, facts.topicCount);
  putU32(out, 0);
  putU32(out, kNoString);  // image list
  putU32(out, 0);
  putU32(out, 0);  // 1 would mean the contents' items show folder images
  for (int i = 0; i < 8; ++i) putU32(out, kNoString);  // colours, font, styles, frame, window
  putU32(out, 0);  // information types
  putU32(out, 1);
  putU32(out, 0);  // merged files
  putU32(out, 0);
  out.resize(kIndexHeaderSize, '\0');
  return out;
}

std::string buildSystemFile(const HelpFileInfo& info, const SystemFacts& facts,
                            const std::string& indexHeader) {
  std::string out;
  putU32(out, 3);
  putDword(out, kTime, static_cast<uint32_t>(info.compiledAt));
  putText(out, kCompiler, kCompilerName);

  std::string language;
  putU32(language, info.lcid);
  putU32(language, isDoubleByteCodePage(ansiCodePage(info.lcid)) ? 1 : 0);
  putU32(language, facts.searchable ? 1 : 0);
  putU32(language, 0);  // keyword links
  putU32(language, 0);  // associative links
  putU64(language, fileTimeOf(info.compiledAt));
  putU32(language, 0);
  putU32(language, 0);
  putRecord(out, kLanguage, language);

  putText(out, kDefaultTopic, settingsPath(info.defaultTopic));
  putText(out, kTitle, info.title);
  putText(out, kCompiledFile, asciiLowered(info.compiledStem));
  putText(out, kContents, settingsPath(info.contentsFile));
  putText(out, kIndex, settingsPath(info.indexFile));
  if (facts.hasWindow) putText(out, kDefaultWindow, kWindowName);
  putDword(out, kInfoTypes, 0);
  putRecord(out, kIndexHeader, indexHeader);
  putDword(out, kInfoTypeChecksum, 0);
  return out;
}

std::string buildWindowsFile(const HelpFileInfo& info, const SystemFacts& facts, StringPool& strings) {
  std::string entry(kWindowEntrySize, '\0');
  const std::string topic = settingsPath(info.defaultTopic);
  setU32(entry, 0x00, kWindowEntrySize);
  setU32(entry, 0x08, strings.add(kWindowName));
  setU32(entry, 0x0C, kValidProperties | kValidToolbar | kValidTabPosition);
  setU32(entry, 0x10, kTriPane | kAutoSync | (facts.searchable ? kSearchTab | kAdvancedSearchTab : 0));
  setU32(entry, 0x14, strings.add(info.title));
  setU32(entry, 0x60, strings.add(settingsPath(info.contentsFile)));
  setU32(entry, 0x64, strings.add(settingsPath(info.indexFile)));
  setU32(entry, 0x68, strings.add(topic));
  setU32(entry, 0x6C, strings.add(topic));
  setU32(entry, 0x70, kToolbarButtons);

  std::string out;
  putU32(out, 1);
  putU32(out, kWindowEntrySize);
  return out + entry;
}

}  // namespace chm
