// Whole-file input and output: create, write every byte, close, mark temporary; read it all back.
#pragma once

#include <string>

namespace t2c {

// Creates the file at `path` (an existing one is truncated), writes `bytes` unchanged and closes
// it; false when the path is empty or any step fails.
bool writeWholeFile(const std::string& path, const std::string& bytes);

// Reads every byte of the file at `path`; false when it cannot be opened or read.
bool readWholeFile(const std::string& path, std::string& bytes);

// Writes the file as writeWholeFile does and gives it FILE_ATTRIBUTE_TEMPORARY. Returns false, and marks nothing, when the path is
// empty, the file cannot be created or not every byte can be written; a partly written file is
// left in place for the work folder's removal to take away.
bool writeTemporaryFile(const std::string& path, const std::string& bytes);

// The same for a text written as text mode would: every "\n" reaches the file as "\r\n".
bool writeTemporaryTextFile(const std::string& path, const std::string& text);

}  // namespace t2c
