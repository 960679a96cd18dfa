// What the build takes from the compiler's console: its progress lines as they come, its warnings.
#pragma once

#include <string>
#include <vector>

namespace t2c {

// Receives the compiler's progress while it runs: each console line that is not a warning,
// without its end; null when the compiler has nothing more for the moment, so that the receiver
// can show what it has before the wait for more.
using ConsoleCallback = void (*)(const char* line, void* context);

// Splits the console into lines as its bytes arrive, in pieces of any size. Warnings ("HHC:
// warning: ..." of our compiler, "HHC5003: Warning: ..." of Microsoft's) are kept, at most
// `limit` of them, the last one then saying how many more there were; the other non-blank lines
// go to the callback at once.
class CompilerConsole {
 public:
  explicit CompilerConsole(ConsoleCallback progress = nullptr, void* context = nullptr, size_t limit = 50)
      : progress_(progress), context_(context), limit_(limit) {}

  void Feed(const char* bytes, size_t size);
  // Takes the last line, which may lack its end, and closes the warnings.
  void Finish();
  const std::vector<std::string>& Warnings() const { return warnings_; }

 private:
  void TakeLine(std::string line);

  ConsoleCallback progress_;
  void* context_;
  size_t limit_;
  std::string pending_;
  std::vector<std::string> warnings_;
  size_t moreWarnings_ = 0;
};

// The warnings of a whole console, in order, without line ends.
std::vector<std::string> compilerWarnings(const std::string& console, size_t limit = 50);

}  // namespace t2c
