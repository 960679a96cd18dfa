// The help-file writer: takes the files of a help project one at a time and lays out a CHM file
// that every reader accepts (container, LZX section, the viewer's internal files).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "chm/byte_sink.h"
#include "chm/lzx_compressor.h"

namespace chm {

struct HelpFileInfo {
  std::string title;          // in the project's ANSI code page
  std::string defaultTopic;   // a file's name in the help file, e.g. "file0.htm"
  std::string contentsFile;   // e.g. "content.hhc"; empty when there is none
  std::string indexFile;      // e.g. "index.hhk"; empty when there is none
  std::string compiledStem;   // the compiled file's name without folder and extension
  uint32_t lcid = 0x409;      // the project's language
  bool fullTextSearch = false;  // write the full-text search index of every page
  int64_t compiledAt = 0;       // Unix time of the compilation; 0 keeps every output identical
};

enum class WriteError {
  None,
  ScratchFailed,   // the compressed section could not be written or read back
  OutputFailed,    // the help file could not be written
  BadName,         // a file name the help file cannot hold, or one it holds already
  Finished,        // finish() was called before: the writer is spent
};

class ChmWriter {
 public:
  ChmWriter(const HelpFileInfo& info, Scratch& scratch,
            LzxCompressor::Mode mode = LzxCompressor::Mode::Compress);
  ~ChmWriter();
  ChmWriter(const ChmWriter&) = delete;
  ChmWriter& operator=(const ChmWriter&) = delete;

  // Adds one file under its name in the help file ("file0.htm", "images/a.png", with '/' between
  // folders). Its bytes are compressed at once and not kept; a page's <title> is kept for the
  // topic list and, with full-text search, its words' locations for the index; the contents
  // file's labels name pages without a title. A second file of the same name (letter case
  // aside) replaces nothing and is an error. BadName also for an empty or absolute name, "." or ".." or empty components, control
  // characters, '\\' or ':', bytes that are not UTF-8, a top-level name starting with '#' or '$'
  // (the viewer's own files), or more than 511 bytes; the writer stays usable after BadName.
  WriteError addFile(const std::string& name, const std::string& bytes);
  // Writes the whole help file to `out`. The writer is spent afterwards. After ScratchFailed
  // from addFile, finish returns ScratchFailed too and writes nothing.
  WriteError finish(ByteSink& out);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace chm
