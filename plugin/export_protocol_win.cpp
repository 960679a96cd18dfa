// The two-phase export protocol: begin, one call per node, finish.
#include <memory>
#include <string>

#include "model/export_settings.h"
#include "model/node_store.h"
#include "plugin/export_guard_win.h"
#include "plugin/host_records_win.h"
#include "plugin/host_services_win.h"
#include "plugin/node_copy_win.h"
#include "plugin/plugin_module_win.h"
#include "resources/strings.h"
#include "ui/progress_window_win.h"

namespace t2c {
namespace {

std::unique_ptr<ProgressWindow> g_progress;

void beginExport(InitInfo& info, bool branch) {
  NodeStore::Instance().Clear();
  if (branch) info.flags |= kInitBranch;
  if (ExportSettings::Instance().ExportWithSyntaxH) info.flags |= kInitSyntaxHighlighting;
  // A begin without a finish replaces the earlier window instead of leaving it behind.
  g_progress.reset();
  g_progress = ProgressWindow::Show();
}

void finishExport() {
  g_progress.reset();
  NodeStore::Instance().Clear();
}

int initExport(InitInfo* info, bool branch) {
  return guardedExport(1, [&] {
    if (!info) return 1;
    if (info->isStart)
      beginExport(*info, branch);
    else
      finishExport();
    return 1;
  });
}

}  // namespace
}  // namespace t2c

using namespace t2c;

extern "C" int __cdecl InitDoc2CHM(InitInfo* info) { return initExport(info, false); }

extern "C" int __cdecl InitBranch2CHM(InitInfo* info) { return initExport(info, true); }

extern "C" int __cdecl Export2CHM(NodeInfo* info) {
  return guardedExport(0, [&] {
    if (!info) return 0;
    std::string status = loadString(IDS_GET_TEXT_FROM) + " " + (info->header ? info->header : "");
    host::setStatusBarText(status);
    if (g_progress) g_progress->SetText(status);
    NodeStore::Instance().Append(copyNode(*info));
    return 1;
  });
}
