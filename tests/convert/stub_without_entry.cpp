// A converter library whose entry point kept its decorated name, so "EXRTF2WEB" is not found.
#include <windows.h>

extern "C" __declspec(dllexport) int WINAPI EXRTF2WEB(const char*, const char*, int, const char*, int,
                                                      int) {
  return 1;
}
