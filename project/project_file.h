// The HTML Help project (project.hhp): compiler options, default page, title and the files to compile.
#pragma once

#include <string>
#include <vector>

#include "project/export_job.h"

namespace t2c {

// The project file's name inside the work folder, and the compiled file the project asks for.
constexpr char kProjectFileName[] = "project.hhp";
constexpr char kCompiledFileName[] = "tessaly2chm.chm";

// A value as the project file holds it: control characters, line ends among them, become blanks,
// so that no value can end its line and start a key or section of its own.
std::string projectValue(const std::string& text);

// The window title of the help file as the project file holds it (a project value): the title
// with the description in brackets, or whichever of the two is not empty. The viewer's window
// is found by this text, a title typed with a tab included.
std::string projectTitleText(const ExportJob& job);

// The page shown first when no article was chosen: the first ".htm" file (any letter case) of
// the list, else its first non-empty entry, else empty.
std::string defaultTopicFallback(const std::vector<std::string>& fileList);

// The whole text of the project file, with "\n" line ends (the file receives them as CR LF) and
// no line end after the last piece. Article names come from the run, pictures from the job.
std::string projectFileText(const ExportJob& job, const ExportRun& run,
                            const std::string& contentsPath, const std::string& language);

}  // namespace t2c
