// Whole-file input and output: create, write every byte, close, mark temporary; read it all back.
#pragma once

#include <string>

#include "project/file_system.h"

namespace t2c {

// Creates the file at `path` (an existing one is truncated), writes `bytes` unchanged and closes
// it. An empty path cannot be created; a failed close is a failed write.
WriteResult writeFileBytes(const std::string& path, const std::string& bytes);

// writeFileBytes, and FILE_ATTRIBUTE_TEMPORARY for a file written whole. A partly written file
// is left in place for the work folder's removal to take away.
WriteResult writeTemporaryBytes(const std::string& path, const std::string& bytes);

// The same as true when the file was written whole.
bool writeWholeFile(const std::string& path, const std::string& bytes);
bool writeTemporaryFile(const std::string& path, const std::string& bytes);

// writeTemporaryFile for a text written as text mode would: every "\n" reaches the file as "\r\n".
bool writeTemporaryTextFile(const std::string& path, const std::string& text);

// Reads every byte of the file at `path`; false when it cannot be opened or read.
bool readWholeFile(const std::string& path, std::string& bytes);

}  // namespace t2c
