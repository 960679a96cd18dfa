// hhc: the help compiler as a native command (`hhc PROJECT.hhp`), for tests, benchmarks and
// scripts. Exit code and console are those of HHC.exe: 1 when the help file was made, else 0.
#include <chrono>
#include <ctime>
#include <cstdio>
#include <string>

#include "chm/compile_job.h"
#include "hhc/posix_folder.h"

namespace {

class StdoutConsole : public chm::Console {
 public:
  void line(const std::string& text) override {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 || argv[1][0] == '\0') {
    std::fprintf(stderr, "usage: hhc PROJECT.hhp\n");
    return 0;
  }
  hhc::PosixFolder folder(argv[1]);
  StdoutConsole console;
  chm::CompileSettings settings;
  const auto start = std::chrono::steady_clock::now();
  settings.clock = [start] {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  };
  settings.compiledAt = static_cast<int64_t>(std::time(nullptr));
  const int code = chm::compileHelpProject(folder, console, settings);
  std::fflush(stdout);
  return code;
}
