// The compiled help file's way out of the work folder to the place the user chose.
#include "project/compiled_file.h"

#include <cstdio>

#include "project/file_system.h"

namespace t2c {

namespace {

// A program's own exit code and the status the system ends a failed program with share one
// number space. The system's are status values of its own: error or warning severity in the top
// bits with the customer and reserved bits clear, as an access violation (0xC0000005), a stack
// overflow (0xC00000FD), a stack buffer overrun (0xC0000409), Ctrl+C (0xC000013A) or a breakpoint
// (0x80000003). A program that returns -1 (0xFFFFFFFF) or another negative number of its own has
// the customer bit set.
bool endedByTheSystem(uint32_t exitCode) {
  if (exitCode & 0x30000000u) return false;
  const uint32_t severity = exitCode >> 30;
  if (severity == 3) return true;
  return severity == 2 && (exitCode & 0x0FFF0000u) == 0;
}

// The compiler's own success and failure codes are small numbers (Microsoft's returns 1 after a
// success); a negative one is an error it ended with.
bool endedWithAnError(uint32_t exitCode) { return (exitCode & 0x80000000u) != 0 && !endedByTheSystem(exitCode); }

std::string exitCodeText(uint32_t exitCode) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(exitCode));
  return text;
}

}  // namespace

bool deliverCompiledFile(const ExportRun& run, uint32_t compilerExitCode, const std::string& compiledPath,
                         const std::string& destinationPath) {
  if (!run.files) return false;
  // Whatever a compiler that was broken off left behind is never taken.
  if (endedByTheSystem(compilerExitCode)) {
    run.Log("The compiler broke off (exit code " + exitCodeText(compilerExitCode) + "): nothing to copy");
    return false;
  }
  if (endedWithAnError(compilerExitCode))
    run.Log("The compiler ended with an error (exit code " + exitCodeText(compilerExitCode) + ")");
  const int64_t size = run.files->FileSize(compiledPath);
  if (size < 0) return false;
  if (size == 0) {
    run.Log("The compiler made an empty CHM-file: nothing to copy");
    return false;
  }
  // A help file of many megabytes takes its time to copy.
  run.ShowLog();
  if (const uint32_t error = run.files->Copy(compiledPath, destinationPath)) {
    run.Log("Cannot copy the CHM-file to " + destinationPath + " (error " + std::to_string(error) + ")");
    return false;
  }
  run.files->Delete(compiledPath);
  return true;
}

}  // namespace t2c
