// Converts one generated document whose size grows with the scale, for instruction_growth.py.
// irun_growth_driver CASE SCALE; exits non-zero when the page lacks what the document holds.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "irun.h"

namespace {

size_t countOf(const std::string& text, const std::string& what) {
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++count;
    return count;
}

const char kHead[] =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman Times;}{\\f1\\fswiss Arial;}}"
    "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green128\\blue0;}"
    "{\\stylesheet{\\s0 Normal;}{\\s1\\sbasedon0\\b\\fs32 heading 1;}}"
    "{\\*\\listtable{\\list\\listid7{\\listlevel\\levelnfc0\\levelstartat1}{\\listlevel\\levelnfc4}"
    "{\\listlevel\\levelnfc23}}}{\\*\\listoverridetable{\\listoverride\\listid7\\ls1}}\n";

// Rows with no cells, after one row definition with a cell per row.
std::string emptyRows(int n) {
    std::string rtf = "{\\rtf1 \\trowd";
    for (int i = 0; i < n; ++i) rtf += "\\cellx1";
    for (int i = 0; i < n; ++i) rtf += "\\row ";
    return rtf + "}";
}

// One row definition of many cells, then rows that each fill only the first.
std::string oneCellRows(int n) {
    std::string rtf = std::string(kHead) + "\\trowd";
    for (int i = 1; i <= n; ++i) rtf += "\\cellx" + std::to_string(i * 150);
    for (int i = 0; i < n; ++i) rtf += "\\pard\\intbl x\\cell\\row\n";
    return rtf + "\\pard\\par}";
}

// A table as writers make it: every row defines its merged and shaded cells again.
std::string table(int n) {
    std::string rtf = kHead;
    for (int i = 0; i < n; ++i) {
        rtf += i % 2 ? "\\trowd\\cellx1000\\clvmrg\\cellx2000\\clcbpat2\\cellx3000"
                     : "\\trowd\\clmgf\\cellx1000\\clmrg\\cellx2000\\clvmgf\\cellx3000";
        rtf += "\\pard\\intbl a " + std::to_string(i) + "\\cell {\\b b}\\cell {\\cf1 c}\\cell\\row\n";
    }
    return rtf + "\\pard after\\par}";
}

// Headings, formatted text, list items, links, bookmarks and footnotes.
std::string paragraphs(int n) {
    std::string rtf = kHead;
    for (int i = 0; i < n; ++i) {
        const std::string number = std::to_string(i);
        rtf += "\\pard\\plain\\s1 Section " + number + "\\par\n";
        rtf += "\\pard\\plain\\qj\\sa120 Text with {\\b bold}, {\\i italic}, {\\cf1 red} and \\'e9t\\'e9 \\u8364?, "
               "{\\*\\bkmkstart m" + number + "}a {\\field{\\*\\fldinst HYPERLINK \"http://example.org/" + number +
               "\"}{\\fldrslt link}} and a note{\\super\\chftn}{\\footnote\\pard\\plain{\\super\\chftn} Note " +
               number + ".}\\par\n";
        rtf += "\\pard\\plain\\ls1\\ilvl" + std::to_string(i % 3) + " Item " + number + "\\par\n";
    }
    return rtf + "}";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: irun_growth_driver empty-rows|one-cell-rows|table|paragraphs SCALE\n");
        return 2;
    }
    const std::string kind = argv[1];
    const int scale = std::atoi(argv[2]);
    irun::ConvertOptions options;
    if (kind == "empty-rows") {
        const int n = 1000 * scale;
        const std::string html = irun::rtfToHtml(emptyRows(n), options);
        return countOf(html, "<TR>") == 0 && countOf(html, "</BODY>") == 1 ? 0 : 1;
    }
    if (kind == "one-cell-rows") {
        const int n = 1000 * scale;
        const std::string html = irun::rtfToHtml(oneCellRows(n), options);
        return countOf(html, "<TR><TD WIDTH=") == static_cast<size_t>(n) ? 0 : 1;
    }
    if (kind == "table") {
        const int n = 1000 * scale;
        const std::string html = irun::rtfToHtml(table(n), options);
        return countOf(html, "<TR>") == static_cast<size_t>(n) ? 0 : 1;
    }
    if (kind == "paragraphs") {
        const int n = 250 * scale;
        const std::string html = irun::rtfToHtml(paragraphs(n), options);
        const bool whole = countOf(html, "<H1>") == static_cast<size_t>(n) &&
                           countOf(html, "<LI") == static_cast<size_t>(n) &&
                           countOf(html, "HREF=\"http://example.org/") == static_cast<size_t>(n);
        return whole ? 0 : 1;
    }
    std::fprintf(stderr, "unknown case %s\n", argv[1]);
    return 2;
}
