// Test helpers: run the converter on RTF text and cut out the parts a test compares.
#pragma once

#include <string>

#include "irun.h"

namespace irun_test {

inline std::string convert(const std::string& rtf, int codePage = 1252) {
    irun::ConvertOptions options;
    options.outputCodePage = codePage;
    return irun::rtfToHtml(rtf, options);
}

// Everything between the BODY tags, the part that depends on the document's content.
inline std::string body(const std::string& rtf, int codePage = 1252) {
    std::string html = convert(rtf, codePage);
    size_t start = html.find("<BODY>\n");
    size_t end = html.rfind("</BODY>");
    if (start == std::string::npos || end == std::string::npos || end < start) return "NO BODY IN: " + html;
    start += 7;
    return html.substr(start, end - start);
}

// A document of the usual shape around body content.
inline std::string doc(const std::string& content) {
    return "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman Times;}{\\f1\\fswiss Arial;}}"
           "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green128\\blue0;}\n" +
           content + "}";
}

}  // namespace irun_test
