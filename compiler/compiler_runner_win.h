// The HTML Help compiler: where it is expected, whether it is there, and one run on a project.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "compiler/compiler_console.h"

namespace t2c {

struct CompilerOutcome {
  bool started = false;
  uint32_t exitCode = 0;  // 0 when it cannot be read
  std::vector<std::string> warnings;  // the console lines that warn, in order
};

// "HHC.exe" in the folder of the module that holds this code (the plug-in library).
std::string compilerDefaultPath();
bool compilerPresent();

// Starts the compiler without a console window, with the bare project path as its parameter and
// the project's folder as working directory, reads its console and waits for it without a time limit.
// Its progress lines reach `progress` while it runs; its warnings come back in the outcome.
CompilerOutcome runCompiler(const std::string& compilerPath, const std::string& projectPath,
                            ConsoleCallback progress = nullptr, void* context = nullptr);

}  // namespace t2c
