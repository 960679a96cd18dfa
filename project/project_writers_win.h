// Writes the contents file and the project file of a build into its work folder.
#pragma once

#include <string>

#include "project/export_job.h"

namespace t2c {

// Logs the step, collects the contents entries of the run's tree and writes content.hhc into
// the work folder, marked temporary. Returns the file's path, or empty when the run has no
// work folder or the file cannot be created or written; nothing is then written anywhere.
std::string writeContentsFile(ExportRun& run);

struct ProjectFileResult {
  std::string path;       // empty when the file was not written
  std::string titleText;  // the value after "Title=", also when the file was not written
};

// Writes project.hhp into the work folder, marked temporary, for the run's articles, the job's
// pictures, the contents file and the language text.
ProjectFileResult writeProjectFile(const ExportJob& job, const ExportRun& run,
                                   const std::string& contentsPath, const std::string& language);

}  // namespace t2c
