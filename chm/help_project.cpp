// Project file reading, languages and their code pages, and the names files take in the help file.
#include "chm/help_project.h"
#include "chm/ascii_text.h"

#include <algorithm>
#include <cstddef>
#include <set>

namespace chm {
namespace {

std::string trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

enum class Section { None, Options, Files, Other };

Section sectionOf(const std::string& line) {
  const std::size_t close = line.find(']');
  const std::string name = asciiLowered(trimmed(line.substr(1, close == std::string::npos ? std::string::npos : close - 1)));
  if (name == "options") return Section::Options;
  if (name == "files") return Section::Files;
  return Section::Other;
}

void takeOption(HelpProject& project, const std::string& line) {
  const std::size_t equals = line.find('=');
  if (equals == std::string::npos) return;
  const std::string key = asciiLowered(trimmed(line.substr(0, equals)));
  const std::string value = trimmed(line.substr(equals + 1));
  if (key == "compiled file") project.compiledFile = value;
  else if (key == "contents file") project.contentsFile = value;
  else if (key == "index file") project.indexFile = value;
  else if (key == "default topic") project.defaultTopic = value;
  else if (key == "title") project.title = value;
  else if (key == "language") project.language = value;
  else if (key == "compatibility") project.compatibility = value;
  else if (key == "full-text search") project.fullTextSearch = isYes(value);
  else if (key == "binary index") project.binaryIndex = isYes(value);
  else if (key == "auto index") project.autoIndex = isYes(value);
  else if (key == "display compile progress") project.showProgress = isYes(value);
}

struct CodePageRange {
  uint16_t primaryLanguage;
  unsigned codePage;
};

// Primary language (the low ten bits of the locale) to code page; sub-languages that use another
// script are in kScriptExceptions.
const CodePageRange kCodePages[] = {
    {0x01, 1256}, {0x02, 1251}, {0x04, 936},  {0x05, 1250}, {0x08, 1253}, {0x0D, 1255}, {0x0E, 1250},
    {0x11, 932},  {0x12, 949},  {0x15, 1250}, {0x18, 1250}, {0x19, 1251}, {0x1A, 1250}, {0x1B, 1250},
    {0x1C, 1250}, {0x1E, 874},  {0x1F, 1254}, {0x20, 1256}, {0x22, 1251}, {0x23, 1251}, {0x24, 1250},
    {0x25, 1257}, {0x26, 1257}, {0x27, 1257}, {0x28, 1251}, {0x29, 1256}, {0x2A, 1258}, {0x2C, 1254},
    {0x2F, 1251}, {0x3F, 1251}, {0x40, 1251}, {0x43, 1254}, {0x44, 1251}, {0x50, 1251}, {0x6D, 1251},
    {0x80, 1256}, {0x85, 1251}, {0x8C, 1256},
    // Languages Windows writes in Unicode only.
    {0x39, 0},    {0x45, 0},    {0x46, 0},    {0x47, 0},    {0x48, 0},    {0x49, 0},    {0x4A, 0},
    {0x4B, 0},    {0x4C, 0},    {0x4D, 0},    {0x4E, 0},    {0x4F, 0},    {0x37, 0},    {0x2B, 0},
    {0x5A, 0},    {0x65, 0},
};

const std::pair<uint32_t, unsigned> kScriptExceptions[] = {
    {0x0404, 950},  {0x0C04, 950},  {0x1404, 950},  // Chinese in traditional characters
    {0x0C1A, 1251}, {0x1C1A, 1251}, {0x201A, 1251}, {0x281A, 1251}, {0x301A, 1251},  // Cyrillic Serbian, Bosnian
    {0x082C, 1251}, {0x0843, 1251},  // Cyrillic Azeri and Uzbek
    {0x0850, 0},                     // Mongolian in its own script
};

}  // namespace

bool HelpProject::operator==(const HelpProject& o) const {
  return compiledFile == o.compiledFile && contentsFile == o.contentsFile && indexFile == o.indexFile &&
         defaultTopic == o.defaultTopic && title == o.title && language == o.language &&
         compatibility == o.compatibility && fullTextSearch == o.fullTextSearch &&
         binaryIndex == o.binaryIndex && autoIndex == o.autoIndex && showProgress == o.showProgress &&
         files == o.files;
}

HelpProject readHelpProject(const std::string& text) {
  HelpProject project;
  std::set<std::string> listed;
  Section section = Section::None;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = trimmed(text.substr(start, end - start));
    start = end + 1;
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      section = sectionOf(line);
    } else if (section == Section::Options) {
      takeOption(project, line);
    } else if (section == Section::Files) {
      const std::string key = asciiLowered(storedName(line));
      if (listed.insert(key.empty() ? line : key).second) project.files.push_back(line);
    }
  }
  return project;
}

bool isYes(const std::string& value) {
  const std::string word = asciiLowered(trimmed(value));
  return word == "yes" || word == "1" || word == "true";
}

uint32_t languageId(const std::string& language) {
  const std::string text = asciiLowered(trimmed(language));
  const bool hex = text.compare(0, 2, "0x") == 0;
  uint32_t value = 0;
  std::size_t digits = 0;
  for (std::size_t at = hex ? 2 : 0; at < text.size() && digits < 8; ++at, ++digits) {
    const char c = text[at];
    unsigned digit;
    if (c >= '0' && c <= '9') digit = static_cast<unsigned>(c - '0');
    else if (hex && c >= 'a' && c <= 'f') digit = static_cast<unsigned>(c - 'a' + 10);
    else break;
    value = value * (hex ? 16 : 10) + digit;
  }
  return digits == 0 || value == 0 || value > 0xFFFF ? 0x409 : value;
}

unsigned ansiCodePage(uint32_t lcid) {
  const uint32_t language = lcid & 0xFFFF;
  for (const auto& exception : kScriptExceptions)
    if (exception.first == language) return exception.second;
  for (const CodePageRange& range : kCodePages)
    if (range.primaryLanguage == (language & 0x3FF)) return range.codePage;
  return 1252;
}

std::string storedName(const std::string& listed) {
  std::string name = trimmed(listed);
  std::replace(name.begin(), name.end(), '\\', '/');
  // A colon is a drive or a stream, never part of a name the folder holds.
  if (name.find(':') != std::string::npos || name.empty() || name.back() == '/') return std::string();
  std::string out;
  std::size_t start = 0;
  while (start <= name.size()) {
    std::size_t end = name.find('/', start);
    if (end == std::string::npos) end = name.size();
    // Blanks around a folder's or file's name are the listing's, not the name's.
    const std::string part = trimmed(name.substr(start, end - start));
    start = end + 1;
    if (part.empty() || part == ".") continue;
    if (part == "..") return std::string();
    out += (out.empty() ? "" : "/") + part;
  }
  return out;
}

std::string compiledStem(const std::string& compiledFile) {
  std::string name = trimmed(compiledFile);
  const std::size_t slash = name.find_last_of("\\/:");
  if (slash != std::string::npos) name = name.substr(slash + 1);
  const std::size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name = name.substr(0, dot);
  return asciiLowered(name);
}

}  // namespace chm
