// The plug-in's entry point EXRTF2WEB: converts one RTF file into an HTML file.
#include <windows.h>

#include <exception>

#include "irun.h"

// The C++ runtime linked into this library takes a thread-local slot of the process when it
// starts and has no way to give it back when the library is released. The plug-in loads and
// releases us for every article, and a process has only about a thousand slots: so the library
// stays in the process once loaded, and every later load finds it there.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        HMODULE self = nullptr;
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                           reinterpret_cast<LPCSTR>(&DllMain), &self);
    }
    return TRUE;
}

// The fixed arguments 16 and 0 are part of the caller's contract and carry nothing we use;
// the last one is the screen resolution that table widths are scaled for.
extern "C" int WINAPI EXRTF2WEB(const char* rtfPath, const char* htmlPath, int /*fontBase*/,
                                                      const char* colour, int /*flags*/, int dpi) {
    try {
        if (!rtfPath || !htmlPath) return 0;
        irun::ConvertOptions options;
        options.outputCodePage = static_cast<int>(GetACP());
        if (colour) options.background = colour;
        options.dpi = dpi;
        return irun::convertFile(rtfPath, htmlPath, options) == irun::ConvertStatus::Ok ? 1 : 0;
    } catch (...) {
        return 0;
    }
}
