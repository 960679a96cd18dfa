// The Windows side of a page conversion: host colour, ANSI code page and the converter library.
#include "convert/page_conversion_win.h"

#include <windows.h>

#include "convert/converter_call_win.h"
#include "convert/html_passes.h"
#include "plugin/host_services_win.h"

namespace t2c {

bool convertRtfToPage(std::string& text, const std::string& libraryPlace, HtmlHook htmlHook,
                      void* htmlHookContext) {
  // Asked for every page: the user may change the host's colours while the main window is open.
  const uint32_t colour = host::optionColour(kOptionRenderColour);
  return convertRtfToPage(text, libraryPlace, colour, GetACP(), runConverter, htmlHook, htmlHookContext);
}

}  // namespace t2c
