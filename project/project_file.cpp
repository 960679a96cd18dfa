// Builds the text of project.hhp; values are written unquoted, on one line each.
#include "project/project_file.h"

#include "project/path_names.h"

namespace t2c {

namespace {

bool isHtmExtension(const std::string& fileName) {
  const std::string extension = splitPath(fileName).extension;
  if (extension.size() != 4) return false;
  static const char kHtm[] = ".htm";
  for (size_t i = 0; i < 4; ++i) {
    char c = extension[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != kHtm[i]) return false;
  }
  return true;
}

}  // namespace

std::string projectValue(const std::string& text) {
  std::string value = text;
  for (char& c : value) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) c = ' ';
  }
  return value;
}

std::string projectTitleText(const ExportJob& job) {
  if (job.description.empty()) return projectValue(job.title);
  if (job.title.empty()) return projectValue(job.description);
  return projectValue(job.title + " [" + job.description + "]");
}

std::string defaultTopicFallback(const std::vector<std::string>& fileList) {
  const std::string* first = nullptr;
  for (const std::string& name : fileList) {
    if (name.empty()) continue;
    if (first == nullptr) first = &name;
    if (isHtmExtension(name)) return name;
  }
  return first != nullptr ? *first : std::string();
}

std::string projectFileText(const ExportJob& job, const ExportRun& run,
                            const std::string& contentsPath, const std::string& language) {
  std::string text =
      "[OPTIONS]"
      "\nBinary Index=Yes"
      "\nAuto Index=Yes"
      "\nCompatibility=1.1 or later"
      "\nCompiled file=";
  text += kCompiledFileName;
  text += "\nDisplay compile progress=Yes";
  text += "\nContents file=" + projectValue(fileNameOf(contentsPath));
  text += std::string("\nFull-text search=") + (job.fullTextSearch ? "Yes" : "No");
  text += "\nDefault topic=" +
          projectValue(run.defaultTopic.empty() ? defaultTopicFallback(run.fileList) : run.defaultTopic);
  // The language arrives as a C string in the format; it ends at its first zero byte.
  text += "\nLanguage=" + projectValue(std::string(language.c_str()));
  text += "\nTitle=" + projectTitleText(job);
  text += "\n\n[FILES]";
  for (const std::string& name : run.fileList) text += "\n" + projectValue(name);
  for (const std::string& name : job.pictureFiles) text += "\n" + projectValue(name);
  text +=
      "\n\n[INFOTYPES]"
      "\nCategory:New"
      "\nCategoryDesc: ";
  return text;
}

}  // namespace t2c
