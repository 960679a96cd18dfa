// Finds the embedded-object groups of an RTF text and puts marks in their place.
#include "pictures/rtf_object_groups.h"

#include <algorithm>
#include <climits>

namespace t2c {
namespace {

constexpr size_t kNone = std::string_view::npos;

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isHexDigit(char c) { return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

// A control word whose backslash stands at `at`: its name and where the next token begins.
struct ControlWord {
  std::string_view name;
  size_t next;
};

ControlWord readControlWord(std::string_view rtf, size_t at) {
  size_t p = at + 1;
  while (p < rtf.size() && isLetter(rtf[p])) ++p;
  const std::string_view name = rtf.substr(at + 1, p - at - 1);
  const bool negative = p < rtf.size() && rtf[p] == '-';
  if (negative) ++p;
  long parameter = 0;
  bool hasParameter = false;
  for (; p < rtf.size() && isDigit(rtf[p]); ++p) {
    hasParameter = true;
    parameter = parameter > (LONG_MAX - 9) / 10 ? LONG_MAX : parameter * 10 + (rtf[p] - '0');
  }
  if (p < rtf.size() && rtf[p] == ' ') ++p;
  // \binN: N bytes of data follow that are no RTF at all, braces and backslashes included.
  if (name == "bin" && hasParameter && !negative)
    p += std::min(static_cast<size_t>(parameter), rtf.size() - p);
  return {name, p};
}

// Where the token at `at` (not a brace) ends.
size_t skipToken(std::string_view rtf, size_t at) {
  if (rtf[at] != '\\' || at + 1 >= rtf.size()) return at + 1;
  const char next = rtf[at + 1];
  if (isLetter(next)) return readControlWord(rtf, at).next;
  if (next == '\'') {
    size_t p = at + 2;
    while (p < rtf.size() && p < at + 4 && isHexDigit(rtf[p])) ++p;
    return p;
  }
  return at + 2;  // a control symbol, \{ \} and \\ among them
}

// Just past the brace that closes the group opened at `open`; kNone when the text ends first.
size_t groupEnd(std::string_view rtf, size_t open) {
  int depth = 0;
  for (size_t at = open; at < rtf.size();) {
    const char c = rtf[at];
    if (c == '{') {
      ++depth;
    } else if (c == '}') {
      if (--depth == 0) return at + 1;
    } else {
      at = skipToken(rtf, at);
      continue;
    }
    ++at;
  }
  return kNone;
}

enum class GroupKind { kText, kObject, kShapeObject, kShapeFallback, kPassedOver };

GroupKind classifyGroup(std::string_view rtf, size_t open) {
  size_t p = open + 1;
  while (p < rtf.size() && isLineEnd(rtf[p])) ++p;
  bool ignorable = false;
  if (rtf.compare(p, 2, "\\*") == 0) {
    ignorable = true;
    p += 2;
    while (p < rtf.size() && (isLineEnd(rtf[p]) || rtf[p] == ' ')) ++p;
  }
  std::string_view name;
  if (p + 1 < rtf.size() && rtf[p] == '\\' && isLetter(rtf[p + 1])) name = readControlWord(rtf, p).name;
  if (name == "pict" || name == "object") return GroupKind::kObject;
  if (name == "shppict") return GroupKind::kShapeObject;
  if (name == "nonshppict") return GroupKind::kShapeFallback;
  if (ignorable || name.substr(0, 6) == "header" || name.substr(0, 6) == "footer")
    return GroupKind::kPassedOver;
  return GroupKind::kText;
}

bool onlyLineEnds(std::string_view text) { return std::all_of(text.begin(), text.end(), isLineEnd); }

// Words that make, fill or end table rows and cells, nested or not, or describe them.
bool isTableWord(std::string_view name) {
  static constexpr std::string_view kWords[] = {"row",  "cell",    "nestrow", "nestcell", "intbl", "itap",
                                                "cellx", "lastrow", "irow",    "irowband", "tcelld"};
  if (std::find(std::begin(kWords), std::end(kWords), name) != std::end(kWords)) return true;
  const std::string_view prefix = name.substr(0, 2);
  return name.size() > 2 && (prefix == "tr" || prefix == "cl" || prefix == "ts");
}

// Destinations that hold only the properties of nested rows, or their text for readers without
// nested tables.
bool isTableDestination(std::string_view rtf, size_t open) {
  size_t p = open + 1;
  while (p < rtf.size() && isLineEnd(rtf[p])) ++p;
  if (rtf.compare(p, 2, "\\*") == 0) p += 2;
  while (p < rtf.size() && (isLineEnd(rtf[p]) || rtf[p] == ' ')) ++p;
  if (p + 1 >= rtf.size() || rtf[p] != '\\' || !isLetter(rtf[p + 1])) return false;
  const std::string_view name = readControlWord(rtf, p).name;
  return name == "nesttableprops" || name == "nonesttables";
}

// Appends `rtf` without any table structure: a rich-text control given table words out of their
// order can fail on its own invariants (Wine's asserts and ends the process), and an object's
// group can carry the row properties of the cell it stood in. Everything else stays as it was.
void appendWithoutTables(std::string& out, std::string_view rtf) {
  // Whether the last word kept still waits for its delimiter, which a dropped word supplied.
  bool wordOpen = false;
  for (size_t at = 0; at < rtf.size();) {
    if (rtf[at] == '{' && isTableDestination(rtf, at)) {
      const size_t end = groupEnd(rtf, at);
      if (end == kNone) return;
      at = end;
      continue;
    }
    const size_t next = rtf[at] == '{' || rtf[at] == '}' ? at + 1 : skipToken(rtf, at);
    const bool word = rtf[at] == '\\' && at + 1 < rtf.size() && isLetter(rtf[at + 1]);
    if (word && isTableWord(readControlWord(rtf, at).name)) {
      if (wordOpen) out += ' ';
      wordOpen = false;
    } else {
      out.append(rtf, at, next - at);
      wordOpen = word && rtf[next - 1] != ' ';
    }
    at = next;
  }
}

// How every document given to the control begins.
constexpr std::string_view kDocumentHead = "{\\rtf1\\ansi\\deff0";

}  // namespace

std::vector<ObjectGroup> findObjectGroups(std::string_view rtf) {
  std::vector<ObjectGroup> groups;
  // The end of a {\*\shppict} group still waiting for its {\nonshppict}.
  size_t shapeEnd = kNone;
  int depth = 0;
  for (size_t at = 0; at < rtf.size();) {
    const char c = rtf[at];
    if (c == '}') {
      if (depth == 1) break;  // the document ends; the control reads no further
      if (depth > 0) --depth;
      ++at;
      continue;
    }
    if (c != '{') {
      at = skipToken(rtf, at);
      continue;
    }
    const GroupKind kind = depth > 0 ? classifyGroup(rtf, at) : GroupKind::kText;
    if (kind == GroupKind::kText) {
      ++depth;
      ++at;
      continue;
    }
    const size_t end = groupEnd(rtf, at);
    if (end == kNone) break;
    if (kind == GroupKind::kObject || kind == GroupKind::kShapeObject) {
      groups.push_back({at, end});
      shapeEnd = kind == GroupKind::kShapeObject ? end : kNone;
    } else if (kind == GroupKind::kShapeFallback) {
      if (shapeEnd != kNone && onlyLineEnds(rtf.substr(shapeEnd, at - shapeEnd))) groups.back().end = end;
      shapeEnd = kNone;
    }
    at = end;
  }
  return groups;
}

std::string objectGroupsOnly(std::string_view rtf, const std::vector<ObjectGroup>& groups) {
  std::string document(kDocumentHead);
  for (const ObjectGroup& group : groups) {
    if (group.end < group.begin || group.end > rtf.size()) continue;
    document += "\n";
    appendWithoutTables(document, rtf.substr(group.begin, group.end - group.begin));
    document += "\\par";
  }
  document += "\n}";
  return document;
}

std::string shapeFallbackOnly(std::string_view rtf, const ObjectGroup& group) {
  if (group.end < group.begin || group.end > rtf.size() || group.begin >= rtf.size() || rtf[group.begin] != '{' ||
      classifyGroup(rtf, group.begin) != GroupKind::kShapeObject)
    return std::string();
  size_t fallback = groupEnd(rtf, group.begin);
  while (fallback < group.end && isLineEnd(rtf[fallback])) ++fallback;
  if (fallback >= group.end || rtf[fallback] != '{' || classifyGroup(rtf, fallback) != GroupKind::kShapeFallback ||
      rtf[group.end - 1] != '}')
    return std::string();
  // Past the group's name, which classifyGroup found after line ends and a \* with blanks.
  size_t inside = fallback + 1;
  while (rtf[inside] != '\\' || !isLetter(rtf[inside + 1])) ++inside;
  inside = readControlWord(rtf, inside).next;
  std::string document(kDocumentHead);
  document += "\n{";
  appendWithoutTables(document, rtf.substr(inside, group.end - 1 - inside));
  document += "}\\par\n}";
  return document;
}

std::string markObjectGroups(std::string_view rtf, const std::vector<ObjectGroup>& groups,
                             const std::vector<std::string>& marks) {
  std::string marked;
  marked.reserve(rtf.size());
  size_t done = 0;
  for (size_t k = 0; k < groups.size(); ++k) {
    const ObjectGroup& group = groups[k];
    if (group.begin < done || group.end < group.begin || group.end > rtf.size()) continue;
    marked.append(rtf, done, group.begin - done);
    marked += '{';
    if (k < marks.size() && !marks[k].empty()) marked += marks[k];
    marked += " }";
    done = group.end;
  }
  marked.append(rtf, done, std::string_view::npos);
  return marked;
}

}  // namespace t2c
