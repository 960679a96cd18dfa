// irun.dll as the plug-in sees it: loaded by name, EXRTF2WEB found and called with its six arguments.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "support/file_bytes.h"

namespace {

using Exrtf2Web = int(WINAPI*)(const char*, const char*, int, const char*, int, int);

class DllTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetCurrentDirectoryA(IRUN_PLUGINS_DIR);
        library_ = LoadLibraryA("irun.dll");
        ASSERT_NE(library_, nullptr);
        entry_ = reinterpret_cast<Exrtf2Web>(reinterpret_cast<void*>(GetProcAddress(library_, "EXRTF2WEB")));
        ASSERT_NE(entry_, nullptr);
        char dir[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        temp_ = dir;
    }
    void TearDown() override {
        if (library_) FreeLibrary(library_);
    }
    static bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

    HMODULE library_ = nullptr;
    Exrtf2Web entry_ = nullptr;
    std::string temp_;
};

TEST_F(DllTest, ConvertsAFile) {
    std::string in = temp_ + "irun_dll_in.rtf", out = temp_ + "irun_dll_out.htm";
    std::ofstream(in, std::ios::binary) << "{\\rtf1\\ansi{\\info{\\title T}}Caf\\'e9 <b>"
                                           "{\\field{\\*\\fldinst HYPERLINK \"http://x/\"}{\\fldrslt x}}\\par}";
    ASSERT_NE(entry_(in.c_str(), out.c_str(), 16, "FFEEDD", 0, 96), 0);
    const std::string html = t2c::fileBytes(out);
    std::string charset = GetACP() == 1252 ? "; charset=windows-1252" : "";
    std::string expected = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n<HTML>\n<HEAD>\n"
                           "<!-- Created by irun RTF to HTML converter -->\n";
    EXPECT_EQ(html.substr(0, expected.size()), expected);
    EXPECT_NE(html.find("<BODY BGCOLOR=\"#FFEEDD\">\n<P>Caf"), std::string::npos);
    EXPECT_NE(html.find(" &lt;b&gt;<A HREF=\"http://x/\">x</A></P>\n</BODY>\n</HTML>\n"), std::string::npos);
    EXPECT_NE(html.find("<TITLE>T</TITLE>"), std::string::npos);
    if (GetACP() == 1252) {
        EXPECT_NE(html.find("charset=windows-1252\">"), std::string::npos);
        EXPECT_NE(html.find("Caf\xE9 "), std::string::npos);
    }
    DeleteFileA(in.c_str());
    DeleteFileA(out.c_str());
}

TEST_F(DllTest, UnreadableInputReturnsZeroAndWritesNothing) {
    std::string in = temp_ + "irun_dll_missing.rtf", out = temp_ + "irun_dll_never.htm";
    DeleteFileA(in.c_str());
    DeleteFileA(out.c_str());
    EXPECT_EQ(entry_(in.c_str(), out.c_str(), 16, "FFFFFF", 0, 96), 0);
    EXPECT_FALSE(exists(out));
    EXPECT_FALSE(exists(out + ".irun-part"));
}

TEST_F(DllTest, BadArgumentsReturnZero) {
    EXPECT_EQ(entry_(nullptr, nullptr, 16, nullptr, 0, 96), 0);
}

// The plug-in loads and releases the library for every article: thousands of times in one build.
// The process has about a thousand thread-local slots; a library that took one per load ended
// the host part-way through big documents.
TEST_F(DllTest, LoadingAndReleasingOverAndOverTakesNoThreadSlot) {
    FreeLibrary(library_);
    library_ = nullptr;
    auto firstFreeSlot = [] {
        const DWORD slot = TlsAlloc();
        TlsFree(slot);
        return slot;
    };
    const DWORD before = firstFreeSlot();
    std::string in = temp_ + "irun_dll_again.rtf", out = temp_ + "irun_dll_again.htm";
    std::ofstream(in, std::ios::binary) << "{\\rtf1\\ansi {\\b Again}\\par}";
    for (int load = 0; load < 50; ++load) {
        HMODULE library = LoadLibraryA("irun.dll");
        ASSERT_NE(library, nullptr);
        auto entry = reinterpret_cast<Exrtf2Web>(reinterpret_cast<void*>(GetProcAddress(library, "EXRTF2WEB")));
        ASSERT_EQ(entry(in.c_str(), out.c_str(), 16, "FFFFFF", 0, 96), 1);
        FreeLibrary(library);
    }
    EXPECT_EQ(firstFreeSlot(), before);
    DeleteFileA(in.c_str());
    DeleteFileA(out.c_str());
}

}  // namespace
