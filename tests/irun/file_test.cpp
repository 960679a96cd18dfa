// File conversion: the output appears whole or not at all.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "irun.h"

namespace {

std::string tempPath(const char* name) {
    const char* dir = std::getenv("TMPDIR");
    if (!dir) dir = std::getenv("TEMP");
    // A name of this process's own: another test run may use the same folder at the same time.
    static const std::string run = std::to_string(std::random_device{}());
    return std::string(dir ? dir : "/tmp") + "/irun_file_test_" + run + "_" + name;
}

bool exists(const std::string& path) {
    std::ifstream in(path);
    return in.good();
}

TEST(ConvertFile, WritesTheDocumentAndReplacesAnOldOne) {
    std::string in = tempPath("in.rtf"), out = tempPath("out.htm");
    std::ofstream(in, std::ios::binary) << "{\\rtf1 Hello\\par}";
    std::ofstream(out, std::ios::binary) << "old";
    ASSERT_EQ(irun::convertFile(in, out, irun::ConvertOptions()), irun::ConvertStatus::Ok);
    std::stringstream html;
    html << std::ifstream(out, std::ios::binary).rdbuf();
    EXPECT_EQ(html.str(), irun::rtfToHtml("{\\rtf1 Hello\\par}", irun::ConvertOptions()));
    EXPECT_FALSE(exists(out + ".irun-part"));
    std::remove(in.c_str());
    std::remove(out.c_str());
}

TEST(ConvertFile, MissingInputLeavesNothingBehind) {
    std::string out = tempPath("never.htm");
    std::remove(out.c_str());
    EXPECT_EQ(irun::convertFile(tempPath("no-such-file.rtf"), out, irun::ConvertOptions()),
              irun::ConvertStatus::CannotRead);
    EXPECT_FALSE(exists(out));
    EXPECT_FALSE(exists(out + ".irun-part"));
}

TEST(ConvertFile, UnwritableTargetIsReported) {
    std::string in = tempPath("in2.rtf");
    std::ofstream(in, std::ios::binary) << "{\\rtf1 x}";
    EXPECT_EQ(irun::convertFile(in, tempPath("no/such/dir/out.htm"), irun::ConvertOptions()),
              irun::ConvertStatus::CannotWrite);
    std::remove(in.c_str());
}

}  // namespace
