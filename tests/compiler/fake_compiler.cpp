// A compiler stand-in for tests: records how it was started and exits with the code it is told.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

// Writes its command line and working folder to "compiler_call.txt" in the working folder and
// exits with the number found after "exit=" in the command line (0 without one), which it
// announces on its console as a warning. With T2C_FAKE_COMPILER_EMPTY set it leaves an empty
// help file behind, as a compiler that failed half-way may.
int main() {
  const char* commandLine = GetCommandLineA();
  char folder[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, folder);
  FILE* out = std::fopen("compiler_call.txt", "wb");
  if (out) {
    std::fprintf(out, "%s\n%s", commandLine, folder);
    std::fclose(out);
  }
  if (GetEnvironmentVariableA("T2C_FAKE_COMPILER_EMPTY", nullptr, 0)) {
    if (FILE* chm = std::fopen("tessaly2chm.chm", "wb")) std::fclose(chm);
  }
  const char* exit = std::strstr(commandLine, "exit=");
  const int code = exit ? std::atoi(exit + 5) : 0;
  std::printf("Fake compiler\r\nHHC: warning: exiting with %d\r\n", code);
  return code;
}
