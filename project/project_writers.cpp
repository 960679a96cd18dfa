// The project files of a build: their texts go to the run's disk as text-mode bytes, marked temporary.
#include "project/project_writers.h"

#include "project/contents_file.h"
#include "project/project_file.h"
#include "project/text_mode.h"

namespace t2c {

namespace {

// A file inside the work folder, or nothing when there is no work folder: a bare name would
// land in whatever folder happens to be current.
std::string pathInWorkFolder(const std::string& workFolder, const char* name) {
  if (workFolder.empty()) return std::string();
  return workFolder + "\\" + name;
}

// The project files are written as text mode would; one that cannot be created ends the build
// as a write error does, so it is logged too.
std::string writeText(const ExportRun& run, const std::string& path, const std::string& text) {
  if (path.empty()) return std::string();
  const WriteResult result = writeBuildFile(run, path, textModeBytes(text));
  if (result == WriteResult::kNotCreated) run.Log("Cannot create file " + path);
  return result == WriteResult::kWritten ? path : std::string();
}

}  // namespace

WriteResult writeBuildFile(const ExportRun& run, const std::string& path, const std::string& bytes) {
  const WriteResult result = run.files ? run.files->WriteTemporary(path, bytes) : WriteResult::kNotCreated;
  if (result == WriteResult::kWriteFailed) run.Log("Cannot write to file " + path);
  return result;
}

std::string writeContentsFile(ExportRun& run) {
  run.Log(std::string("Make content file") + kEllipsis);
  collectContentsItems(run);
  return writeText(run, pathInWorkFolder(run.workFolder, kContentsFileName), contentsFileText(run));
}

ProjectFileResult writeProjectFile(const ExportJob& job, const ExportRun& run,
                                   const std::string& contentsPath, const std::string& language) {
  ProjectFileResult result;
  result.titleText = projectTitleText(job);
  result.path = writeText(run, pathInWorkFolder(run.workFolder, kProjectFileName),
                          projectFileText(job, run, contentsPath, language));
  return result;
}

}  // namespace t2c
