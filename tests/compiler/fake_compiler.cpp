// A compiler stand-in for tests: records how it was started and exits with the code it is told.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

// Writes its command line and working folder to "compiler_call.txt" in the working folder and
// exits with the number found after "exit=" in the command line (0 without one), which it
// announces on its console as a warning. With T2C_FAKE_COMPILER_EMPTY set it leaves an empty
// help file behind, as a compiler that failed half-way may. T2C_FAKE_COMPILER_SLEEP_MS makes it
// take its time first; T2C_FAKE_COMPILER_WRITES gives the help file's bytes; with
// T2C_FAKE_COMPILER_CRASH it ends as a crashed program does, after writing them. With
// T2C_FAKE_COMPILER_PACER naming a semaphore, it takes one count of it before each console line, so
// that a test sees each line arrive while the compiler still runs.
namespace {

void pace() {
  char pacer[256] = "";
  if (!GetEnvironmentVariableA("T2C_FAKE_COMPILER_PACER", pacer, sizeof pacer)) return;
  HANDLE go = OpenSemaphoreA(SYNCHRONIZE, FALSE, pacer);
  // Only a test that hangs lets the wait run out.
  if (go && WaitForSingleObject(go, 120000) != WAIT_FAILED) CloseHandle(go);
}

}  // namespace

int main() {
  const char* commandLine = GetCommandLineA();
  char folder[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, folder);
  FILE* out = std::fopen("compiler_call.txt", "wb");
  if (out) {
    std::fprintf(out, "%s\n%s", commandLine, folder);
    std::fclose(out);
  }
  char value[256] = "";
  if (GetEnvironmentVariableA("T2C_FAKE_COMPILER_SLEEP_MS", value, sizeof value)) Sleep(std::atoi(value));
  const DWORD written = GetEnvironmentVariableA("T2C_FAKE_COMPILER_WRITES", value, sizeof value);
  if (written > 0 || GetEnvironmentVariableA("T2C_FAKE_COMPILER_EMPTY", nullptr, 0)) {
    if (FILE* chm = std::fopen("tessaly2chm.chm", "wb")) {
      std::fwrite(value, 1, written < sizeof value ? written : 0, chm);
      std::fclose(chm);
    }
  }
  // The code of an access violation, without the debugger a real one would call up.
  if (GetEnvironmentVariableA("T2C_FAKE_COMPILER_CRASH", nullptr, 0)) TerminateProcess(GetCurrentProcess(), 0xC0000005);
  const char* exit = std::strstr(commandLine, "exit=");
  const int code = exit ? std::atoi(exit + 5) : 0;
  pace();
  std::printf("Fake compiler\r\n");
  std::fflush(stdout);
  pace();
  std::printf("HHC: warning: exiting with %d\r\n", code);
  return code;
}
