// The hand-written edge-case files: each converts to a document whose block tags balance, and
// those with an expected body next to them convert to exactly that.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "irun.h"
#include "support/file_bytes.h"

namespace {

namespace fs = std::filesystem;

size_t count(const std::string& html, const std::string& what) {
    size_t n = 0;
    for (size_t p = 0; (p = html.find(what, p)) != std::string::npos; p += what.size()) ++n;
    return n;
}

std::vector<fs::path> corpusFiles() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(IRUN_CORPUS_DIR))
        if (entry.path().extension() == ".rtf") files.push_back(entry.path());
    return files;
}

TEST(Corpus, EveryFileGivesABalancedDocument) {
    std::vector<fs::path> files = corpusFiles();
    ASSERT_GE(files.size(), 10u);
    for (const fs::path& file : files) {
        std::string html = irun::rtfToHtml(t2c::fileBytes(file.string()), irun::ConvertOptions());
        SCOPED_TRACE(file.filename().string());
        EXPECT_EQ(html.compare(0, 9, "<!DOCTYPE"), 0);
        EXPECT_EQ(html.size() - html.rfind("</BODY>\n</HTML>\n"), 16u);
        const char* const pairs[][2] = {{"<TABLE", "</TABLE>"}, {"<TR>", "</TR>"}, {"<TD", "</TD>"},
                                        {"<UL>", "</UL>"},      {"<OL", "</OL>"},   {"<LI", "</LI>"},
                                        {"<A ", "</A>"},        {"<P", "</P>"},     {"<B>", "</B>"}};
        for (const auto& pair : pairs) EXPECT_EQ(count(html, pair[0]), count(html, pair[1])) << pair[0];
    }
}

TEST(Corpus, FilesWithExpectedBodies) {
    size_t compared = 0;
    for (const fs::path& file : corpusFiles()) {
        fs::path expected = file;
        expected.replace_extension(".expected");
        if (!fs::exists(expected)) continue;
        std::string html = irun::rtfToHtml(t2c::fileBytes(file.string()), irun::ConvertOptions());
        size_t start = html.find("<BODY>\n") + 7;
        EXPECT_EQ(html.substr(start, html.rfind("</BODY>") - start), t2c::fileBytes(expected.string())) << file.filename();
        ++compared;
    }
    EXPECT_GE(compared, 3u);
}

}  // namespace
