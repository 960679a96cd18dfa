// The run record of one build, made from the driver's arguments over the job.
#include "project/export_job.h"

namespace t2c {

ExportRun::ExportRun(const NodeTree& tree_, const std::string& workFolder_, const ExportJob& job_)
    : job(job_), workFolder(workFolder_), tree(&tree_) {}

void ExportRun::Log(const std::string& line) const {
  if (job.logCallback) job.logCallback(line.c_str(), job.logContext);
}

void ExportRun::ShowLog() const {
  if (job.showLog) job.showLog(job.logContext);
}

}  // namespace t2c
