// The Windows side of the project files: their texts go to disk as text-mode bytes, marked temporary.
#include "project/project_writers_win.h"

#include "project/contents_file.h"
#include "project/file_output_win.h"
#include "project/project_file.h"

namespace t2c {

namespace {

// A file inside the work folder, or nothing when there is no work folder: a bare name would
// land in whatever folder happens to be current.
std::string pathInWorkFolder(const std::string& workFolder, const char* name) {
  if (workFolder.empty()) return std::string();
  return workFolder + "\\" + name;
}

std::string writeText(const std::string& path, const std::string& text) {
  if (path.empty() || !writeTemporaryTextFile(path, text)) return std::string();
  return path;
}

}  // namespace

std::string writeContentsFile(ExportRun& run) {
  run.Log(std::string("Make content file") + kEllipsis);
  collectContentsItems(run);
  return writeText(pathInWorkFolder(run.workFolder, kContentsFileName), contentsFileText(run));
}

ProjectFileResult writeProjectFile(const ExportJob& job, const ExportRun& run,
                                   const std::string& contentsPath, const std::string& language) {
  ProjectFileResult result;
  result.titleText = projectTitleText(job);
  result.path = writeText(pathInWorkFolder(run.workFolder, kProjectFileName),
                          projectFileText(job, run, contentsPath, language));
  return result;
}

}  // namespace t2c
