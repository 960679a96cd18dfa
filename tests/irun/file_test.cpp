// File conversion: the output appears whole or not at all; the whole-file reader says why it failed.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>

#include "base/whole_file.h"
#include "irun.h"
#include "support/file_bytes.h"

namespace {

std::string tempFolder() {
    const char* dir = std::getenv("TMPDIR");
    if (!dir) dir = std::getenv("TEMP");
    return dir ? dir : "/tmp";
}

std::string tempPath(const char* name) {
    // A name of this process's own: another test run may use the same folder at the same time.
    static const std::string run = std::to_string(std::random_device{}());
    return tempFolder() + "/irun_file_test_" + run + "_" + name;
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
    EXPECT_EQ(t2c::fileBytes(out), irun::rtfToHtml("{\\rtf1 Hello\\par}", irun::ConvertOptions()));
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
    std::string error;
    EXPECT_EQ(irun::convertFile(in, tempPath("no/such/dir/out.htm"), irun::ConvertOptions(), &error),
              irun::ConvertStatus::CannotWrite);
    EXPECT_EQ(error, "cannot create " + tempPath("no/such/dir/out.htm.irun-part") + ": " + std::strerror(ENOENT));
    std::remove(in.c_str());
}

TEST(WholeFile, TakesEveryByteOrSaysWhyNot) {
    std::string binary;
    for (int round = 0; round < 300; ++round)
        for (int b = 0; b < 256; ++b) binary += static_cast<char>(b ^ round);
    std::string path = tempPath("binary.bin");
    std::ofstream(path, std::ios::binary) << binary;
    std::string bytes = "earlier", error;
    EXPECT_TRUE(base::readWholeFile(path, bytes, &error));
    EXPECT_TRUE(bytes == binary) << bytes.size();
    std::remove(path.c_str());

    std::string missing = tempPath("missing.bin");
    EXPECT_FALSE(base::readWholeFile(missing, bytes, &error));
    EXPECT_EQ(bytes + error, "cannot open " + missing + ": " + std::strerror(ENOENT));

    // The C library opens a folder on Unix and fails the first read; Windows refuses to open it.
    std::string folder = tempFolder();
    EXPECT_FALSE(base::readWholeFile(folder, bytes, &error));
#if defined(_WIN32)
    EXPECT_EQ(bytes + error, "cannot open " + folder + ": " + std::strerror(EACCES));
#else
    EXPECT_EQ(bytes + error, "cannot read " + folder + " after 0 bytes: " + std::strerror(EISDIR));
#endif
}

}  // namespace
