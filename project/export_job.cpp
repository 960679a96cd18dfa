// The run record of one build, made from the job and the driver's arguments.
#include "project/export_job.h"

namespace t2c {

ExportRun::ExportRun(const NodeTree& tree_, const std::string& workFolder_, const ExportJob& job)
    : workFolder(workFolder_),
      tree(&tree_),
      firstArticleId(job.firstArticleId),
      convertHtml(job.convertHtml),
      plainTextAsHtml(job.plainTextAsHtml),
      converterPlace(job.converterPlace),
      rtfLinkTemplate(job.rtfLinkTemplate),
      htmlHook(job.htmlHook),
      htmlHookContext(job.htmlHookContext),
      logCallback(job.logCallback),
      logContext(job.logContext),
      showLog(job.showLog) {}

void ExportRun::Log(const std::string& line) const {
  if (logCallback) logCallback(line.c_str(), logContext);
}

void ExportRun::ShowLog() const {
  if (showLog) showLog(logContext);
}

}  // namespace t2c
