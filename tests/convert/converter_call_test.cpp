// The converter call against stand-in libraries: places, arguments, outcomes and cleaned-up files.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "convert/converter_call_win.h"
#include "convert/converter_rules.h"
#include "project/work_folder_win.h"

namespace t2c {
namespace {

std::string programFolder() {
  char path[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

std::vector<std::string> filesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

std::string environmentValue(const char* name) {
  char value[MAX_PATH + 1] = {};
  return GetEnvironmentVariableA(name, value, sizeof value) ? value : "";
}

// Each test gets a temporary folder of its own, so leftovers of a conversion can be counted.
class ConverterCallTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedTmp_ = environmentValue("TMP");
    savedTemp_ = environmentValue("TEMP");
    temp_ = programFolder() + "converter_temp\\";
    CreateDirectoryA(temp_.c_str(), nullptr);
    for (const std::string& name : filesIn(temp_)) DeleteFileA((temp_ + name).c_str());
    useTempFolder(temp_);
  }

  void TearDown() override {
    SetEnvironmentVariableA("TMP", savedTmp_.c_str());
    SetEnvironmentVariableA("TEMP", savedTemp_.c_str());
  }

  static void useTempFolder(const std::string& folder) {
    SetEnvironmentVariableA("TMP", folder.c_str());
    SetEnvironmentVariableA("TEMP", folder.c_str());
  }

  static std::string stubs(const std::string& rest) { return programFolder() + "converters\\" + rest; }

  std::string temp_;
  std::string savedTmp_;
  std::string savedTemp_;
};

std::string stubPage(const std::string& label, const std::string& colour, const std::string& rtf) {
  return "<html>\r\n<!-- Created by " + label + " -->\r\nargs=16|" + colour + "|0|96\r\nrtf=" + rtf +
         "\r\n</html>\r\n";
}

TEST_F(ConverterCallTest, ConvertsWithTheLibraryInTheGivenFolder) {
  std::string result;
  ASSERT_TRUE(runConverter("{\\rtf1\nline}\n", result, stubs("in_folder"), "123456")) << result;
  EXPECT_EQ(result, stubPage("in folder", "123456", "{\\rtf1<CR><LF>line}<CR><LF>"));
  EXPECT_EQ(filesIn(temp_), std::vector<std::string>{});
  EXPECT_EQ(GetModuleHandleA(stubs("in_folder\\irun.dll").c_str()), nullptr);
}

TEST_F(ConverterCallTest, FolderWithTrailingBackslashWorksToo) {
  std::string result;
  ASSERT_TRUE(runConverter("{}", result, stubs("in_folder\\"), "000000")) << result;
  EXPECT_EQ(result, stubPage("in folder", "000000", "{}"));
}

TEST_F(ConverterCallTest, PlaceMayBeTheLibraryItself) {
  std::string result;
  ASSERT_TRUE(runConverter("{}", result, stubs("full_path\\stub_converter.dll"), "ABCDEF")) << result;
  EXPECT_EQ(result, stubPage("full path", "ABCDEF", "{}"));
  EXPECT_EQ(GetModuleHandleA(stubs("full_path\\stub_converter.dll").c_str()), nullptr);
}

TEST_F(ConverterCallTest, EmptyPlaceFindsTheLibraryInTheCurrentFolder) {
  char saved[MAX_PATH + 1] = {};
  GetCurrentDirectoryA(sizeof saved, saved);
  ASSERT_TRUE(SetCurrentDirectoryA(stubs("current_dir").c_str()));
  std::string result;
  const bool converted = runConverter("{}", result, "", "000000");
  SetCurrentDirectoryA(saved);
  ASSERT_TRUE(converted) << result;
  EXPECT_EQ(result, stubPage("current directory", "000000", "{}"));
}

TEST_F(ConverterCallTest, MissingLibraryCannotBeLoaded) {
  std::string result = "stale";
  EXPECT_FALSE(runConverter("{}", result, stubs("nowhere"), "000000"));
  EXPECT_EQ(result, "Cannot load irun dll");
  EXPECT_EQ(filesIn(temp_), std::vector<std::string>{});
}

TEST_F(ConverterCallTest, UnwritableTemporaryFolder) {
  useTempFolder(temp_ + "missing\\");
  std::string result;
  EXPECT_FALSE(runConverter("{}", result, stubs("in_folder"), "000000"));
  EXPECT_EQ(result, "Cannot write to temp file");
  EXPECT_EQ(GetModuleHandleA(stubs("in_folder\\irun.dll").c_str()), nullptr);
}

TEST_F(ConverterCallTest, LibraryWithoutUndecoratedEntryPoint) {
  std::string result;
  EXPECT_FALSE(runConverter("{}", result, stubs("no_entry"), "000000"));
  EXPECT_EQ(result, "Cannot find entry point EXRTF2WEB");
  EXPECT_EQ(filesIn(temp_), std::vector<std::string>{});
}

TEST_F(ConverterCallTest, ZeroWithAnOutputFileIsABadCall) {
  std::string result;
  EXPECT_FALSE(runConverter("{}", result, stubs("in_folder"), "ZEROWR"));
  EXPECT_EQ(result, "Bad call on EXRTF2WEB");
  EXPECT_EQ(filesIn(temp_), std::vector<std::string>{});
}

TEST_F(ConverterCallTest, NoOutputFileCannotBeRead) {
  for (const char* mode : {"ZERONO", "ONENOW"}) {
    std::string result;
    EXPECT_FALSE(runConverter("{}", result, stubs("in_folder"), mode)) << mode;
    EXPECT_EQ(result, "Cannot read from buffer file") << mode;
    EXPECT_EQ(filesIn(temp_), std::vector<std::string>{}) << mode;
  }
}

TEST_F(ConverterCallTest, EmptyOutputIsAnEmptyPage) {
  std::string result = "stale";
  EXPECT_TRUE(runConverter("{}", result, stubs("in_folder"), "EMPTY0"));
  EXPECT_EQ(result, "");
  EXPECT_EQ(filesIn(temp_), std::vector<std::string>{});
}

// Whatever bytes the converter writes come back whole, NULs and unclosed markup included, read
// as text mode reads them; the page passes after it take any bytes.
TEST_F(ConverterCallTest, GarbageOutputComesBackWhole) {
  std::string garbage = "<html><body><table><tr><td><a href=\"";
  for (int round = 0; round < 64; ++round)
    for (int byte = 0; byte < 256; ++byte) garbage += static_cast<char>(byte);
  std::string result;
  EXPECT_TRUE(runConverter("{}", result, stubs("in_folder"), "GARBAG"));
  EXPECT_TRUE(result == linesEndingInCrLf(garbage));
  EXPECT_EQ(filesIn(temp_), std::vector<std::string>{});
}

TEST_F(ConverterCallTest, TemporaryFilesAreNamedInTheTemporaryFolder) {
  std::string result;
  ASSERT_TRUE(runConverter("{}", result, stubs("in_folder"), "PATHS0")) << result;
  const std::size_t lineEnd = result.find("\r\n");
  ASSERT_NE(lineEnd, std::string::npos);
  const std::string rtfLine = result.substr(0, lineEnd);
  const std::string htmlLine = result.substr(lineEnd + 2);
  EXPECT_EQ(rtfLine.rfind("rtf=" + temp_ + "abc", 0), 0u) << rtfLine;
  EXPECT_EQ(rtfLine.substr(rtfLine.size() - 8), ".tmp.rtf") << rtfLine;
  EXPECT_EQ(htmlLine.rfind("html=" + temp_ + "abc", 0), 0u) << htmlLine;
  EXPECT_EQ(htmlLine.substr(htmlLine.size() - 10), ".tmp.htm\r\n") << htmlLine;
  EXPECT_EQ(filesIn(temp_), std::vector<std::string>{});
}

uint32_t heldTick() { return 0x4000; }

TEST_F(ConverterCallTest, StaleHtmlFilesOfTheNextNumbersAreNeitherReadNorDeleted) {
  // The counter held still, the numbers a claim tries first are known; each holds an HTML file.
  const TickSource previous = setTempNameTicks(heldTick);
  std::vector<std::string> stale;
  for (UINT unique = 0x4000; unique < 0x4010; ++unique) {
    char name[MAX_PATH + 1] = {};
    ASSERT_NE(GetTempFileNameA(temp_.c_str(), "abcd", unique, name), 0u);
    stale.push_back(std::string(name) + ".htm");
    HANDLE file = CreateFileA(stale.back().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, "stale", 5, &written, nullptr);
    CloseHandle(file);
  }
  std::string result;
  EXPECT_TRUE(runConverter("{}", result, stubs("in_folder"), "000000"));
  setTempNameTicks(previous);
  EXPECT_EQ(result, stubPage("in folder", "000000", "{}"));
  EXPECT_EQ(filesIn(temp_).size(), stale.size());
  for (const std::string& path : stale) {
    EXPECT_EQ(fileSize(path), 5u) << path;
    DeleteFileA(path.c_str());
  }
}

TEST_F(ConverterCallTest, PresenceTestReleasesTheLibrary) {
  EXPECT_TRUE(converterPresent(stubs("in_folder"), "irun.dll"));
  EXPECT_EQ(GetModuleHandleA(stubs("in_folder\\irun.dll").c_str()), nullptr);
  EXPECT_TRUE(converterPresent(stubs("full_path\\stub_converter.dll"), "irun.dll"));
  EXPECT_EQ(GetModuleHandleA(stubs("full_path\\stub_converter.dll").c_str()), nullptr);
  EXPECT_FALSE(converterPresent(stubs("nowhere"), "irun.dll"));
}

TEST_F(ConverterCallTest, LoaderReturnsTheLibraryOfTheFirstPlaceThatLoads) {
  HMODULE library = loadConverterLibrary(stubs("in_folder"), "irun.dll");
  ASSERT_NE(library, nullptr);
  EXPECT_EQ(library, GetModuleHandleA(stubs("in_folder\\irun.dll").c_str()));
  FreeLibrary(library);
  EXPECT_EQ(loadConverterLibrary(stubs("nowhere"), "irun.dll"), nullptr);
}

}  // namespace
}  // namespace t2c
