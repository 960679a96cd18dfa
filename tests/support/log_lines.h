// A build's log as a test sees it: every line the build sent, in order.
#pragma once

#include <string>
#include <vector>

#include "project/export_job.h"

namespace t2c {

using LogLines = std::vector<std::string>;

// A LogCallback that appends the line to the LogLines passed as its context.
inline int collectLogLine(const char* line, void* lines) {
  static_cast<LogLines*>(lines)->push_back(line);
  return 0;
}

// Sends the job's log lines into `lines`.
inline void collectLog(ExportJob& job, LogLines& lines) {
  job.logCallback = collectLogLine;
  job.logContext = &lines;
}

}  // namespace t2c
