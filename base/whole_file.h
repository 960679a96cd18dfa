// Reading a whole file into memory, for the programs and benchmarks that take files by name.
#pragma once

#include <string>

namespace base {

// Reads the file at `path` into `bytes` (replacing what was there). On failure returns false,
// leaves `bytes` empty and, when `error` is given, says why in one line ("cannot open X: reason"
// or "cannot read X after N bytes: reason"). A file read only in part is a failure.
bool readWholeFile(const std::string& path, std::string& bytes, std::string* error = nullptr);

}  // namespace base
