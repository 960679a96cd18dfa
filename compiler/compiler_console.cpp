// Splits the compiler's console into progress lines and warnings.
#include "compiler/compiler_console.h"

namespace t2c {

namespace {

// "HHC", digits if any, then ": warning:" in any letter case.
bool isWarning(const std::string& line) {
  if (line.compare(0, 3, "HHC") != 0) return false;
  size_t at = 3;
  while (at < line.size() && line[at] >= '0' && line[at] <= '9') ++at;
  static const char kWarning[] = ": warning:";
  for (size_t i = 0; kWarning[i] != '\0'; ++i, ++at) {
    if (at >= line.size()) return false;
    char c = line[at];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != kWarning[i]) return false;
  }
  return true;
}

bool isBlank(const std::string& line) { return line.find_first_not_of(" \t") == std::string::npos; }

}  // namespace

void CompilerConsole::Feed(const char* bytes, size_t size) {
  size_t start = 0;
  for (size_t at = 0; at < size; ++at) {
    if (bytes[at] != '\n') continue;
    pending_.append(bytes + start, at - start);
    TakeLine(std::move(pending_));
    pending_.clear();
    start = at + 1;
  }
  pending_.append(bytes + start, size - start);
}

void CompilerConsole::Finish() {
  if (!pending_.empty()) TakeLine(std::move(pending_));
  pending_.clear();
  if (moreWarnings_ > 0) warnings_.push_back("HHC: " + std::to_string(moreWarnings_) + " more warnings");
  moreWarnings_ = 0;
}

void CompilerConsole::TakeLine(std::string line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == '\0')) line.pop_back();
  if (isWarning(line)) {
    if (warnings_.size() < limit_)
      warnings_.push_back(std::move(line));
    else
      ++moreWarnings_;
    return;
  }
  if (progress_ && !isBlank(line)) progress_(line.c_str(), context_);
}

std::vector<std::string> compilerWarnings(const std::string& console, size_t limit) {
  CompilerConsole reader(nullptr, nullptr, limit);
  reader.Feed(console.data(), console.size());
  reader.Finish();
  return reader.Warnings();
}

}  // namespace t2c
