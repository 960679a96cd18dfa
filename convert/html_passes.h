// Text passes that turn the converter library's HTML into an article page, and their fixed order.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "project/export_job.h"

namespace t2c {

// Six upper-case hexadecimal digits, red first, from a colour whose lowest byte is red.
std::string formatColour(uint32_t colourValue);

// Wraps bare web addresses of the body in links that open a new window. Addresses that stand
// inside a tag or inside the text of an existing <A ...>...</A> element are left alone, so the
// converter's own hyperlinks stay intact.
void linkWebAddresses(std::string& page);

// Turns every marker bookmark&lt;NAME&gt; into an opening <A NAME="NAME"> anchor.
void insertBookmarkAnchors(std::string& page);

// Drops the converter's "Msftedit 5.…;" version text (first occurrence only).
void removeGeneratorVersion(std::string& page);

// Puts the plug-in's comment in place of the converter's first generator comment.
void replaceCreatorComment(std::string& page);

// Turns "&lt;" back into "<" and "&gt;;" into ">", so that markup typed in a note takes effect.
void unescapeMarkup(std::string& page);

// The meta element that declares the character set of an ANSI code page; a code page without a
// name the help viewer knows gets the element without a character set.
std::string charsetDeclaration(uint32_t codePage);

// Inserts the declaration after the <HEAD> tag (any letter case), or in front of the page.
void insertCharsetDeclaration(std::string& page, uint32_t codePage);

// Removes stray tabs, "<" tab pairs, "&gt;" and surrounding white space from the texts of
// <A HREF="...">...</A> links.
void tidyLinkTexts(std::string& page);

// Runs the converter library: on success result holds the HTML, on failure a short reason.
using RtfConverter = std::function<bool(const std::string& rtfText, std::string& result,
                                        const std::string& libraryPlace,
                                        const std::string& colourText)>;

// The passes applied to the converter's HTML, in their fixed order (the hook is not included).
void finishConvertedPage(std::string& page, uint32_t codePage);

// Converts RTF into a finished page with the given converter, host colour and ANSI code page,
// then hands the page to the hook. On failure text keeps the RTF and false is returned.
bool convertRtfToPage(std::string& text, const std::string& libraryPlace, uint32_t colourValue,
                      uint32_t codePage, const RtfConverter& converter, HtmlHook htmlHook,
                      void* htmlHookContext);

}  // namespace t2c
