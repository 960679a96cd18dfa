// Reads a help file back with every CHM reader Debian packages, for tests of what writes them.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace chmtest {

// Stored name with its leading '/' ("/file0.htm", "/#SYSTEM") -> bytes. Folders and the
// "::DataSpace" storage files are left out.
using Files = std::map<std::string, std::string>;

struct ReadBack {
  Files files;
  std::string problems;  // what the reader complained about, one line each; empty when nothing
};

ReadBack readWithMspack(const std::string& chmPath);  // libmspack: open, extract, fast_find
ReadBack readWithChmlib(const std::string& chmPath);  // chmlib's extract_chmLib
ReadBack readWith7zip(const std::string& chmPath);    // 7zz t, then 7zz x
ReadBack readWithChmls(const std::string& chmPath);   // Free Pascal's chmls extractall (skips empty files)
ReadBack readWithPychm(const std::string& chmPath);   // pychm: enumerate, resolve, retrieve

// What pychm makes of the help file's settings (paths with the '/' it adds).
struct PychmFacts {
  std::string title, home, topics;
  uint32_t lcid = 0;
  std::string problems;
};
PychmFacts pychmFacts(const std::string& chmPath);

// pychm's search: for each query word (bytes as stored, in the help file's code page), the
// results as title -> URL, and whether pychm reported a partial search.
struct SearchResult {
  std::map<std::string, std::string> found;
  bool partial = false;
  bool operator==(const SearchResult& o) const { return found == o.found && partial == o.partial; }
};
enum class SearchMode { WholeWords, Prefix, TitlesOnly };
std::map<std::string, SearchResult> pychmSearch(const std::string& chmPath, const std::vector<std::string>& words,
                                                SearchMode mode);

// Fails the current test unless every reader complains of nothing, lists exactly `expected`'s
// files beside the viewer's own (names starting "/#" or "/$"), reads them back byte for byte,
// and reads the same viewer's files as libmspack does.
void expectEveryReaderReadsBack(const std::string& chmPath, const Files& expected);

// A file in a fresh temporary folder holding `bytes`; the folder goes when the test program ends.
std::string saveTemporary(const std::string& bytes, const std::string& fileName = "test.chm");

}  // namespace chmtest
