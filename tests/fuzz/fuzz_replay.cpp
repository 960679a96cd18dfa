// Runs a fuzz target over saved inputs (files, or every file in the folders named), so that the
// seeds and every past finding are replayed by the normal tests without libFuzzer.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "base/whole_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::vector<fs::path> inputs;
  for (int i = 1; i < argc; ++i) {
    const fs::path place(argv[i]);
    if (fs::is_directory(place)) {
      for (const auto& entry : fs::recursive_directory_iterator(place))
        if (entry.is_regular_file()) inputs.push_back(entry.path());
    } else if (fs::is_regular_file(place)) {
      inputs.push_back(place);
    } else {
      std::fprintf(stderr, "no input at %s\n", argv[i]);
      return 2;
    }
  }
  std::sort(inputs.begin(), inputs.end());
  for (const fs::path& input : inputs) {
    std::string bytes, error;
    if (!base::readWholeFile(input.string(), bytes, &error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      return 2;
    }
    // A failing input aborts inside the call; its name is the last line printed.
    std::fprintf(stderr, "%s\n", input.string().c_str());
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  }
  std::printf("replayed %zu inputs\n", inputs.size());
  return inputs.empty() ? 2 : 0;
}
