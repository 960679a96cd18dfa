// What one build passes between its steps: the user's options (job) and the build's working record (run).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "project/node_tree.h"

namespace t2c {

class FileSystem;
class ArticleConversions;

// Receives one log line (valid only during the call); the result is ignored.
using LogCallback = int (*)(const char* line, void* context);
// Shows at once the lines the log holds: a step that can take long follows.
using ShowLogCallback = void (*)(void* context);
// Rewrites a converted page in place; the result is ignored.
using HtmlHook = int (*)(std::string& page, void* context);

struct ExportJob {
  bool fullTextSearch = false;
  std::string title;
  LogCallback logCallback = nullptr;
  void* logContext = nullptr;
  ShowLogCallback showLog = nullptr;  // with logContext
  int32_t firstArticleId = -1;
  std::string description;
  std::string compilerPath;
  bool plainTextAsHtml = false;
  int32_t convertHtml = kRtfToHtml;
  std::string converterPlace;
  std::string rtfLinkTemplate;
  std::vector<std::string> pictureFiles;
  HtmlHook htmlHook = nullptr;
  void* htmlHookContext = nullptr;
};

// Reads the job's options and callbacks through `job`, which must outlive it.
struct ExportRun {
  ExportRun(const NodeTree& tree, const std::string& workFolder, const ExportJob& job);
  ExportRun(const NodeTree& tree, const std::string& workFolder, ExportJob&& job) = delete;

  const ExportJob& job;
  std::string workFolder;
  const NodeTree* tree;
  int32_t fileCounter = 0;
  int32_t openLists = 0;
  // Tree depths of the entries whose lists are open, innermost last, and the lists closed since
  // the last entry, written at the start of the next one.
  std::vector<int64_t> openListDepths;
  int32_t pendingListCloses = 0;
  std::string contentsItems;
  std::vector<std::string> fileList;
  std::string defaultTopic;
  // A write error on an open file ends the build.
  bool writeFailed = false;
  // Where the build's files go and what converts its articles; without them nothing is written
  // and nothing converted.
  FileSystem* files = nullptr;
  ArticleConversions* conversions = nullptr;

  // Sends a line to the log, when the build has one.
  void Log(const std::string& line) const;
  // Puts what the log holds on screen before a step that can take long.
  void ShowLog() const;
};

// The host application's web address, wherever the plug-in names it.
constexpr char kHostWebAddress[] = "http://www.tessaly.example";

// The ellipsis that ends progress lines: one byte of the Windows-1252 code page.
constexpr char kEllipsis[] = "\x85";

}  // namespace t2c
