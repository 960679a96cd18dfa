// One whole build: articles, contents and project file, compiler, copy to the destination, viewer.
#pragma once

#include <windows.h>

#include <string>

#include "project/export_job.h"

namespace t2c {

// Builds the help file of `tree` into `destinationPath` through the fresh `workFolder`, logging
// every step; true exactly when the compiled file reached the destination. `viewerWindow`
// receives the help viewer's window. The current directory is the same afterwards, however the
// build ends.
bool runExport(const NodeTree& tree, const std::string& destinationPath, const ExportJob& job,
               const std::string& workFolder, HWND& viewerWindow, const std::string& language);

// The elapsed whole seconds between two tick readings, across a wrap of the counter.
uint32_t elapsedSeconds(uint32_t before, uint32_t after);

}  // namespace t2c
