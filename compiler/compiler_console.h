// What the build takes from the compiler's console.
#pragma once

#include <string>
#include <vector>

namespace t2c {

// The lines of the console that warn about the help file ("HHC: warning: ..." of our compiler,
// "HHC5003: Warning: ..." of Microsoft's), in order, without line ends; at most `limit` of
// them, the last one then saying how many more there were.
std::vector<std::string> compilerWarnings(const std::string& console, size_t limit = 50);

}  // namespace t2c
