// Writes the files of a build into its work folder: the contents and project files, and the
// writing step that every file of the build shares.
#pragma once

#include <string>

#include "project/export_job.h"
#include "project/file_system.h"

namespace t2c {

// Writes one file of the build at `path` through the run's file system, marked temporary. A write
// error on the open file is logged naming the file; it ends the build, which is the caller's to do.
WriteResult writeBuildFile(const ExportRun& run, const std::string& path, const std::string& bytes);

// Logs the step, collects the contents entries of the run's tree and writes content.hhc into
// the work folder, marked temporary. Returns the file's path, or empty when the run has no
// work folder or the file cannot be created or written (logged, naming the file); nothing is
// then written anywhere.
std::string writeContentsFile(ExportRun& run);

struct ProjectFileResult {
  std::string path;       // empty when the file was not written
  std::string titleText;  // the value after "Title=", also when the file was not written
};

// Writes project.hhp into the work folder, marked temporary, for the run's articles, the job's
// pictures, the contents file and the language text; a file that cannot be created or written
// is logged naming it.
ProjectFileResult writeProjectFile(const ExportJob& job, const ExportRun& run,
                                   const std::string& contentsPath, const std::string& language);

}  // namespace t2c
