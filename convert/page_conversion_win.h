// Article pages from RTF with the host's colour, the system's code page and the converter library.
#pragma once

#include <string>

#include "project/export_job.h"

namespace t2c {

// Converts RTF into a finished article page, asking the host for the render colour and the
// system for its ANSI code page, then hands the page to the hook. On failure text keeps the RTF.
bool convertRtfToPage(std::string& text, const std::string& libraryPlace, HtmlHook htmlHook,
                      void* htmlHookContext);

}  // namespace t2c
