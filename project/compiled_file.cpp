// The compiled help file's way out of the work folder to the place the user chose.
#include "project/compiled_file.h"

#include <cstdio>

#include "project/file_system.h"

namespace t2c {

namespace {

// Exit codes of the error severity are what the system gives a program it ended, an access
// violation (0xC0000005) say; a compiler returns 0 or 1 itself.
bool endedByTheSystem(uint32_t exitCode) { return (exitCode & 0xC0000000u) == 0xC0000000u; }

}  // namespace

bool deliverCompiledFile(const ExportRun& run, uint32_t compilerExitCode, const std::string& compiledPath,
                         const std::string& destinationPath) {
  if (!run.files) return false;
  const int64_t size = run.files->FileSize(compiledPath);
  if (size < 0) return false;
  if (endedByTheSystem(compilerExitCode)) {
    char line[96];
    std::snprintf(line, sizeof line, "The compiler broke off (exit code 0x%08X): nothing to copy",
                  static_cast<unsigned>(compilerExitCode));
    run.Log(line);
    return false;
  }
  if (size == 0) {
    run.Log("The compiler made an empty CHM-file: nothing to copy");
    return false;
  }
  if (const uint32_t error = run.files->Copy(compiledPath, destinationPath)) {
    run.Log("Cannot copy the CHM-file to " + destinationPath + " (error " + std::to_string(error) + ")");
    return false;
  }
  run.files->Delete(compiledPath);
  return true;
}

}  // namespace t2c
