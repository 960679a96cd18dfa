// Streams the project's files into the compressed section and lays out the help file around it.
#include "chm/chm_writer.h"
#include "chm/ascii_text.h"

#include <algorithm>
#include <map>
#include <unordered_set>
#include <vector>

#include "chm/contents_labels.h"
#include "chm/dataspace_files.h"
#include "chm/fulltext_index.h"
#include "chm/help_project.h"
#include "chm/itsf_directory.h"
#include "chm/object_instance.h"
#include "chm/system_file.h"
#include "chm/topic_files.h"

namespace chm {
namespace {

constexpr size_t kLongestName = 511;  // with its leading '/', the longest name every reader takes
constexpr uint64_t kFrame = LzxCompressor::kFrameSize;

bool isUtf8(const std::string& text) {
  for (size_t i = 0; i < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    size_t extra = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : 4;
    if (extra == 4 || c == 0xC0 || c == 0xC1 || extra >= text.size() - i) {
      if (extra != 0) return false;
    }
    for (size_t k = 1; k <= extra; ++k)
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    i += extra + 1;
  }
  return true;
}

bool isGoodName(const std::string& name) {
  if (name.empty() || name.size() > kLongestName || name[0] == '#' || name[0] == '$') return false;
  for (char c : name) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F || c == '\\' || c == ':') return false;
  }
  size_t start = 0;
  while (true) {
    size_t slash = name.find('/', start);
    std::string part = name.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
    if (part.empty() || part == "." || part == "..") return false;
    if (slash == std::string::npos) break;
    start = slash + 1;
  }
  return isUtf8(name);
}

// Passes bytes on to the help file and remembers whether the help file refused any.
class CountingSink : public ByteSink {
 public:
  explicit CountingSink(ByteSink& out) : out_(out) {}
  bool write(const void* data, size_t size) override {
    if (failed_ || !out_.write(data, size)) {
      failed_ = true;
      return false;
    }
    count_ += size;
    return true;
  }
  bool failed() const { return failed_; }
  uint64_t count() const { return count_; }

 private:
  ByteSink& out_;
  bool failed_ = false;
  uint64_t count_ = 0;
};

// Hands bytes to the compressor and counts them, for files written piece by piece.
class SectionSink : public ByteSink {
 public:
  explicit SectionSink(LzxCompressor& lzx) : lzx_(lzx) {}
  bool write(const void* data, size_t size) override {
    count_ += size;
    return lzx_.write(data, size);
  }
  uint64_t count() const { return count_; }

 private:
  LzxCompressor& lzx_;
  uint64_t count_ = 0;
};

}  // namespace

struct ChmWriter::State {
  State(const HelpFileInfo& i, Scratch& s, LzxCompressor::Mode mode)
      : info(i), scratch(s), lzx(s, mode) {
    if (info.fullTextSearch) index = std::make_unique<FullTextIndex>();
  }

  unsigned codePage() const {
    const unsigned ansi = ansiCodePage(info.lcid);
    return ansi ? ansi : 65001;
  }

  // A topic without a title takes its contents entry's label, else (for search results) its name.
  void nameTopics() {
    for (Topic& topic : topics) {
      if (!topic.title.empty()) continue;
      const auto label = labels.find(asciiLowered(topic.path));
      if (label != labels.end()) topic.title = label->second;
      else if (index) topic.title = topic.path;
    }
  }

  // Appends a file to the compressed section and lists it; false when the scratch failed.
  bool compress(const std::string& name, const std::string& bytes) {
    if (!lzx.write(bytes.data(), bytes.size())) return false;
    entries.push_back({name, 1, sectionLength, bytes.size()});
    sectionLength += bytes.size();
    return true;
  }

  void addFolders(const std::string& name) {
    for (size_t slash = name.find('/', 1); slash != std::string::npos; slash = name.find('/', slash + 1)) {
      std::string folder = name.substr(0, slash + 1);
      folders.emplace(asciiLowered(folder), folder);
    }
  }

  HelpFileInfo info;
  Scratch& scratch;
  LzxCompressor lzx;
  std::vector<DirectoryEntry> entries;
  std::unordered_set<std::string> foldedNames;
  std::map<std::string, std::string> folders{{"/", "/"}};  // folded name -> name as first seen
  std::vector<Topic> topics;
  std::map<std::string, std::string> labels;  // folded page name -> contents label
  PageWords words{codePage()};
  std::unique_ptr<FullTextIndex> index;  // only when the help file is searchable
  uint64_t sectionLength = 0;
  WriteError failure = WriteError::None;
};

ChmWriter::ChmWriter(const HelpFileInfo& info, Scratch& scratch, LzxCompressor::Mode mode)
    : state_(std::make_unique<State>(info, scratch, mode)) {}

ChmWriter::~ChmWriter() = default;

WriteError ChmWriter::addFile(const std::string& name, const std::string& bytes) {
  State& s = *state_;
  if (s.failure != WriteError::None) return s.failure;
  if (!isGoodName(name) || !s.foldedNames.insert(asciiLowered(name)).second) return WriteError::BadName;
  const std::string stored = "/" + name;
  if (!s.compress(stored, bytes)) return s.failure = WriteError::ScratchFailed;
  s.addFolders(stored);
  if (isPageName(name)) {
    if (s.index) s.index->beginTopic(static_cast<uint32_t>(s.topics.size()));
    s.topics.push_back({name, s.words.read(bytes, s.index.get())});
  }
  if (!s.info.contentsFile.empty() && asciiLowered(name) == asciiLowered(s.info.contentsFile)) s.labels = contentsLabels(bytes);
  return WriteError::None;
}

WriteError ChmWriter::finish(ByteSink& out) {
  State& s = *state_;
  if (s.failure != WriteError::None) return s.failure;
  s.failure = WriteError::Finished;

  StringPool strings;
  SystemFacts facts;
  facts.topicCount = static_cast<uint32_t>(s.topics.size());
  facts.hasWindow = true;
  facts.searchable = s.index != nullptr;
  s.nameTopics();
  const uint64_t indexSize =
      s.index ? s.index->layOut(static_cast<uint32_t>(s.topics.size()), s.codePage(), s.info.lcid) : 0;
  const TopicFiles topicFiles = buildTopicFiles(s.topics, strings);
  const std::string windows = buildWindowsFile(s.info, facts, strings);
  const std::string indexHeader = buildIndexHeader(facts);
  const std::string property(4, '\0');
  const std::pair<const char*, const std::string*> internal[] = {
      {"/$WWKeywordLinks/Property", &property}, {"/$WWAssociativeLinks/Property", &property},
      {"/$OBJINST", nullptr}, {"/#IDXHDR", &indexHeader}, {"/#WINDOWS", &windows},
      {"/#TOPICS", &topicFiles.topics}, {"/#URLTBL", &topicFiles.urlTable},
      {"/#URLSTR", &topicFiles.urlStrings}};
  const std::string objectInstance = buildObjectInstanceFile(s.info.lcid);
  uint64_t total = s.sectionLength + indexSize + objectInstance.size() + strings.bytes().size();
  for (const auto& [name, bytes] : internal) total += bytes ? bytes->size() : 0;
  // A section ending on a frame boundary trips one reader over its last file.
  if (total % kFrame == 0) strings.pad();
  if (s.index) {
    SectionSink sink(s.lzx);
    if (!s.index->write(sink) || sink.count() != indexSize) return WriteError::ScratchFailed;
    s.entries.push_back({"/$FIftiMain", 1, s.sectionLength, indexSize});
    s.sectionLength += indexSize;
    s.index.reset();
  }
  for (const auto& [name, bytes] : internal)
    if (!s.compress(name, bytes ? *bytes : objectInstance)) return WriteError::ScratchFailed;
  if (!s.compress("/#STRINGS", strings.bytes()) || !s.lzx.finish()) return WriteError::ScratchFailed;
  s.folders.emplace("/$wwkeywordlinks/", "/$WWKeywordLinks/");
  s.folders.emplace("/$wwassociativelinks/", "/$WWAssociativeLinks/");

  const uint64_t compressedLength = s.lzx.compressedLength();
  const std::pair<const char*, std::string> section0[] = {
      {kNameListName, nameListFile()},
      {kControlDataName, controlDataFile()},
      {kSpanInfoName, spanInfoFile(s.sectionLength)},
      {kTransformListName, transformListFile()},
      {kResetTableName, resetTableFile(s.lzx.frameOffsets(), s.sectionLength, compressedLength)},
      {"/#SYSTEM", buildSystemFile(s.info, facts, indexHeader)}};
  std::string section0Bytes;
  for (const auto& [name, bytes] : section0) {
    s.entries.push_back({name, 0, section0Bytes.size(), bytes.size()});
    section0Bytes += bytes;
  }
  s.entries.push_back({kContentName, 0, section0Bytes.size(), compressedLength});
  s.entries.push_back({"/#ITBITS", 0, 0, 0});
  s.entries.push_back({kInstanceDataName, 0, 0, 0});
  for (const auto& folder : s.folders) s.entries.push_back({folder.second, 0, 0, 0});
  std::sort(s.entries.begin(), s.entries.end(),
            [](const DirectoryEntry& a, const DirectoryEntry& b) { return directoryNameLess(a.name, b.name); });

  const std::string directory = buildDirectory(s.entries, s.info.lcid);
  const std::string header =
      buildFileHeader(directory.size(), section0Bytes.size() + compressedLength,
                      static_cast<uint32_t>(fileTimeOf(s.info.compiledAt)), s.info.lcid);
  CountingSink sink(out);
  if (!sink.write(header.data(), header.size()) || !sink.write(directory.data(), directory.size()) ||
      !sink.write(section0Bytes.data(), section0Bytes.size()))
    return WriteError::OutputFailed;
  const uint64_t before = sink.count();
  bool copied = s.scratch.copyTo(sink);
  if (sink.failed()) return WriteError::OutputFailed;
  if (!copied || sink.count() - before != compressedLength) return WriteError::ScratchFailed;
  return WriteError::None;
}

}  // namespace chm
