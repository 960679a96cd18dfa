// The compiled help file's way out of the work folder to the place the user chose.
#pragma once

#include <cstdint>
#include <string>

#include "project/export_job.h"

namespace t2c {

// Copies the compiled file at `compiledPath` over the destination through the run's file system
// and deletes it; true when it reached the destination. A missing file (the compiler made none)
// fails quietly, as the compiler's own line has said so. A compiler the system ended (its exit
// code a status of the system, such as an access violation) is logged as broken off and what it
// left is not taken; one that ended with a negative code of its own is logged as such, and its
// file is taken when whole. An empty file, which a compiler that broke off leaves, and a failed
// copy are logged, and none replaces what the destination holds. The log is shown before the copy.
bool deliverCompiledFile(const ExportRun& run, uint32_t compilerExitCode, const std::string& compiledPath,
                         const std::string& destinationPath);

}  // namespace t2c
