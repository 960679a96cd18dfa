// The program of a registered open command line: quotes dropped, arguments cut off.
#pragma once

#include <functional>
#include <string>

namespace t2c {

using FileExists = std::function<bool(const std::string& path)>;

// Removes every double quote, then the longest leading part that names an existing file, trimmed
// of white space; empty when no leading part names a file.
std::string programOfCommand(const std::string& commandLine, const FileExists& exists);

}  // namespace t2c
