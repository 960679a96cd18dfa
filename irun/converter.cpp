// Document assembly around the reader's output, and file conversion with an all-or-nothing write.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>

#include "base/whole_file.h"
#include "codepage.h"
#include "irun.h"
#include "rtf_reader.h"

namespace irun {
namespace {

bool validColour(const std::string& text) {
    if (text.size() != 6) return false;
    for (char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'))) return false;
    return true;
}

}  // namespace

std::string rtfToHtml(std::string_view rtf, const ConvertOptions& options) {
    CodePages pages;
    CodePage& output = pages.get(options.outputCodePage);
    HtmlText text(output);
    int dpi = options.dpi >= 24 && options.dpi <= 2400 ? options.dpi : 96;
    ReadResult result = Reader(rtf, pages, text, dpi).run();

    std::string html;
    html.reserve(result.body.size() + result.footnotes.size() + 1024);
    html += "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n<HTML>\n<HEAD>\n";
    html += "<!-- Created by irun RTF to HTML converter -->\n";
    std::string charset = charsetName(output.number());
    html += "<META http-equiv=\"Content-Type\" content=\"text/html";
    if (!charset.empty()) html += "; charset=" + charset;
    html += "\">\n<TITLE>";
    for (char32_t c : result.title) text.text(c == '\t' || c == '\n' ? U' ' : c, html);
    html += "</TITLE>\n<STYLE type=\"text/css\">P, LI, H1, H2, H3, H4, H5, H6 { margin-top: 0; margin-bottom: 0 }</STYLE>\n";
    html += "</head>\n<BODY";
    if (validColour(options.background)) html += " BGCOLOR=\"#" + options.background + '"';
    html += ">\n";
    html += result.body;
    if (!result.footnotes.empty()) {
        html += "<HR>\n";
        html += result.footnotes;
    }
    html += "</BODY>\n</HTML>\n";
    return html;
}

ConvertStatus convertFile(const std::string& inPath, const std::string& outPath, const ConvertOptions& options,
                          std::string* error) {
    std::string temp = outPath + ".irun-part";
    try {
        std::string rtf;
        if (!base::readWholeFile(inPath, rtf, error)) return ConvertStatus::CannotRead;
        std::string html = rtfToHtml(rtf, options);
        std::FILE* file = std::fopen(temp.c_str(), "wb");
        if (!file) {
            if (error) *error = "cannot create " + temp + ": " + std::strerror(errno);
            return ConvertStatus::CannotWrite;
        }
        bool ok = std::fwrite(html.data(), 1, html.size(), file) == html.size();
        ok = std::fclose(file) == 0 && ok;
        if (!ok && error) *error = "cannot write " + temp + ": " + std::strerror(errno);
        if (ok) {
            // Windows will not rename over an existing file.
            std::remove(outPath.c_str());
            ok = std::rename(temp.c_str(), outPath.c_str()) == 0;
            if (!ok && error) *error = "cannot rename " + temp + " to " + outPath + ": " + std::strerror(errno);
        }
        if (!ok) {
            std::remove(temp.c_str());
            return ConvertStatus::CannotWrite;
        }
        return ConvertStatus::Ok;
    } catch (const std::exception& e) {
        std::remove(temp.c_str());
        if (error) *error = std::string("conversion failed: ") + e.what();
        return ConvertStatus::Failed;
    }
}

}  // namespace irun
