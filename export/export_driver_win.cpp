// The export driver: every step of a build in order, each reported in the log.
#include "export/export_driver_win.h"

#include <cstdio>

#include "compiler/compiler_runner_win.h"
#include "compiler/result_opener_win.h"
#include "convert/article_conversions_win.h"
#include "convert/article_writer.h"
#include "project/article_naming.h"
#include "project/build_trace_win.h"
#include "project/compiled_file.h"
#include "project/file_system_win.h"
#include "project/path_names.h"
#include "project/project_file.h"
#include "project/project_writers.h"
#include "project/tick_clock.h"
#include "project/work_folder_win.h"

namespace t2c {

namespace {

std::string completionLine(uint32_t exitCode, uint32_t seconds) {
  char line[128];
  std::snprintf(line, sizeof line, "Complete HTML Help complier with exit code %d, timeout %d sec",
                static_cast<int>(exitCode), static_cast<int>(seconds));
  return line;
}

// The compiler's progress lines go to the log as they come, and are shown before each wait.
void relayCompilerLine(const char* line, void* context) {
  const auto* run = static_cast<const ExportRun*>(context);
  if (line)
    run->Log(line);
  else
    run->ShowLog();
}

// Copies the compiled file out of the work folder and shows it; true when it reached the
// destination.
bool deliverResult(const ExportRun& run, const CompilerOutcome& compiler, const std::string& projectPath,
                   const std::string& destinationPath, const std::string& titleText, HWND& viewerWindow) {
  const std::string compiled = folderOf(projectPath, true) + "\\" + kCompiledFileName;
  if (!deliverCompiledFile(run, compiler.exitCode, compiled, destinationPath)) return false;
  run.Log("Start HTML Help with " + fileNameOf(destinationPath));
  run.ShowLog();
  openResult(destinationPath, titleText, viewerWindow);
  return true;
}

}  // namespace

uint32_t elapsedSeconds(uint32_t before, uint32_t after) { return (after - before) / 1000; }

bool runExport(const NodeTree& tree, const std::string& destinationPath, const ExportJob& job,
               const std::string& workFolder, HWND& viewerWindow, const std::string& language) {
  CurrentDirectoryScope pluginFolderIsCurrent(pluginsFolder());
  ExportRun run(tree, workFolder, job);
  run.files = &windowsFileSystem();
  run.conversions = &windowsArticleConversions();
  // Without a work folder every file would land beside whatever the empty path resolves to.
  if (workFolder.empty()) {
    run.Log("Cannot create work folder");
    return false;
  }

  run.Log(std::string("Convert nodes headers to filenames") + kEllipsis);
  traceEvent("naming begin");
  assignArticleNames(run);
  traceEvent("naming end");

  run.Log(std::string("Write data to files") + kEllipsis);
  traceEvent("articles begin");
  walkTree(tree, tree.Root(), writeNodeArticle, &run);
  traceEvent("articles end");
  // The writer has logged the file.
  if (run.writeFailed) return false;

  // The writers log their own lines, "Make content file" and those of a file not written.
  traceEvent("contents begin");
  std::string contentsPath = writeContentsFile(run);
  traceEvent("contents end");
  if (contentsPath.empty()) return false;
  traceEvent("project begin");
  ProjectFileResult project = writeProjectFile(job, run, contentsPath, language);
  traceEvent("project end");
  if (project.path.empty()) return false;

  std::string compilerPath = job.compilerPath.empty() ? compilerDefaultPath() : job.compilerPath;
  run.Log("Start HTML Help compiler at " + compilerPath + kEllipsis);
  run.ShowLog();
  uint32_t before = tickCount();
  traceEvent("compiler begin");
  CompilerOutcome compiler = runCompiler(compilerPath, project.path, relayCompilerLine, &run);
  traceEvent("compiler end");
  run.Log(completionLine(compiler.started ? compiler.exitCode : 0, elapsedSeconds(before, tickCount())));
  // A help file made without something it should hold (an article, its search) says so here.
  for (const std::string& warning : compiler.warnings) run.Log(warning);

  traceEvent("copy begin");
  bool delivered = compiler.started &&
                   deliverResult(run, compiler, project.path, destinationPath, project.titleText, viewerWindow);
  traceEvent("copy end");
  if (delivered) {
    run.Log("Export to " + fileNameOf(destinationPath) + " successfully complete [" +
            formatByteSize(fileSize(destinationPath)) + "]");
  }
  return delivered;
}

}  // namespace t2c
