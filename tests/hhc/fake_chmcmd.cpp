// A chmcmd.exe whose behaviour the test chooses through FAKE_CHMCMD, for the outcomes chmcmd never shows.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool writeResult(const char* text) {
  FILE* file = std::fopen("tessaly2chm.chm", "wb");
  if (!file) return false;
  std::fputs(text, file);
  return std::fclose(file) == 0;
}

}  // namespace

// Modes: "ok" writes a result and exits 0, "exit3" writes one and exits 3, "empty" writes an empty
// file, "nothing" writes none.
int main(int argc, char** argv) {
  char folder[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, folder);
  std::printf("fake chmcmd in %s:", folder);
  for (int i = 1; i < argc; ++i) std::printf(" [%s]", argv[i]);
  std::printf("\n");
  const char* mode = std::getenv("FAKE_CHMCMD");
  if (!mode) return 2;
  if (std::strcmp(mode, "ok") == 0) return writeResult("fresh result") ? 0 : 2;
  if (std::strcmp(mode, "exit3") == 0) return writeResult("fresh result") ? 3 : 2;
  if (std::strcmp(mode, "empty") == 0) return writeResult("") ? 0 : 2;
  return std::strcmp(mode, "nothing") == 0 ? 0 : 2;
}
