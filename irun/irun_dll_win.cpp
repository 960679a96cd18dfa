// The plug-in's entry point EXRTF2WEB: converts one RTF file into an HTML file.
#include <windows.h>

#include <exception>

#include "irun.h"

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
