// A converter library whose entry point kept its stdcall-decorated name, so "EXRTF2WEB" is not
// found. A 64-bit compiler decorates nothing: there the decorated name is given by hand.
#include <windows.h>

#ifdef _WIN64
extern "C" __declspec(dllexport) int WINAPI EXRTF2WEB(const char*, const char*, int, const char*, int,
                                                      int) __asm__("EXRTF2WEB@24");
#endif

extern "C" __declspec(dllexport) int WINAPI EXRTF2WEB(const char*, const char*, int, const char*, int,
                                                      int) {
  return 1;
}
