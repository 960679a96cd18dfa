// libFuzzer target: the compiler's reading of project files. A project written back from what
// was read must read the same, and a name stored in the help file must store as itself.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "chm/help_project.h"

namespace {

std::string writtenBack(const chm::HelpProject& p) {
  auto yes = [](bool value) { return value ? "Yes" : "No"; };
  std::string text = "[OPTIONS]\nCompiled file=" + p.compiledFile + "\nContents file=" + p.contentsFile +
                     "\nIndex file=" + p.indexFile + "\nDefault topic=" + p.defaultTopic + "\nTitle=" + p.title +
                     "\nLanguage=" + p.language + "\nCompatibility=" + p.compatibility +
                     "\nFull-text search=" + yes(p.fullTextSearch) + "\nBinary Index=" + yes(p.binaryIndex) +
                     "\nAuto Index=" + yes(p.autoIndex) + "\nDisplay compile progress=" + yes(p.showProgress) +
                     "\n[FILES]\n";
  for (const std::string& file : p.files) text += file + "\n";
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const chm::HelpProject project = chm::readHelpProject(text);
  if (!(chm::readHelpProject(writtenBack(project)) == project)) std::abort();
  chm::ansiCodePage(chm::languageId(project.language));
  for (const std::string& file : project.files) {
    const std::string stored = chm::storedName(file);
    if (!stored.empty() && chm::storedName(stored) != stored) std::abort();
  }
  chm::compiledStem(project.compiledFile);
  return 0;
}
