// The compiled help file's way out of the work folder to the place the user chose.
#include "project/compiled_file.h"

#include "project/file_system.h"

namespace t2c {

bool deliverCompiledFile(const ExportRun& run, const std::string& compiledPath, const std::string& destinationPath) {
  if (!run.files) return false;
  const int64_t size = run.files->FileSize(compiledPath);
  if (size < 0) return false;
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
