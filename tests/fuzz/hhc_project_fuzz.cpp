// libFuzzer target: HHC.exe's reading of a project file. Switching the search off must leave a
// project without search; leaving out the listed files must leave none listed.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "hhc/hhc_project.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string project(reinterpret_cast<const char*>(data), size);
  hhc::compiledFileName(project);
  const std::vector<std::string> listed = hhc::listedFiles(project);
  if (hhc::fullTextSearch(hhc::projectWithoutSearch(project))) std::abort();
  if (!hhc::listedFiles(hhc::projectWithout(project, listed)).empty()) std::abort();
  if (hhc::listedFiles(hhc::projectWithoutSearch(project)) != listed) std::abort();
  size_t start = 0;
  while (start <= project.size()) {
    size_t end = project.find('\n', start);
    if (end == std::string::npos) end = project.size();
    hhc::reportsFailure(project.substr(start, end - start));
    start = end + 1;
  }
  return 0;
}
