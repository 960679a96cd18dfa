// RTF to HTML through the external converter library, loaded afresh for every conversion.
#pragma once

#include <windows.h>

#include <string>

#include "convert/converter_rules.h"

namespace t2c {

// Loads the library from the first of converterLibraryCandidates that loads; null when none does.
HMODULE loadConverterLibrary(const std::string& libraryPlace, const std::string& libraryName);

// Whether the library can be loaded; it is released again at once.
bool converterPresent(const std::string& libraryPlace, const std::string& libraryName);

// Converts through temporary files in the temporary folder, which are gone again on return.
// On success result holds the HTML with "\r\n" line ends; on failure one of the failure texts.
bool runConverter(const std::string& rtfText, std::string& result, const std::string& libraryPlace,
                  const std::string& colourText);

}  // namespace t2c
