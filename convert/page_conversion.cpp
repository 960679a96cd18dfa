// From RTF to a finished article page: the converter, the passes in their order, then the hook.
#include <string>

#include "convert/html_passes.h"

namespace t2c {

// The order matters: addresses are linked while "&lt;" still ends them, bookmark markers are
// found while still escaped, and only then are the escapes turned back into markup.
void finishConvertedPage(std::string& page, uint32_t codePage) {
  linkWebAddresses(page);
  insertBookmarkAnchors(page);
  removeGeneratorVersion(page);
  replaceCreatorComment(page);
  unescapeMarkup(page);
  insertCharsetDeclaration(page, codePage);
}

bool convertRtfToPage(std::string& text, const std::string& libraryPlace, uint32_t colourValue,
                      uint32_t codePage, const RtfConverter& converter, HtmlHook htmlHook,
                      void* htmlHookContext) {
  if (!converter) return false;
  std::string page;
  if (!converter(text, page, libraryPlace, formatColour(colourValue))) return false;
  finishConvertedPage(page, codePage);
  if (htmlHook) htmlHook(page, htmlHookContext);
  text.swap(page);
  return true;
}

}  // namespace t2c
