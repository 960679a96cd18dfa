// The registered viewer: looked up in the registry, started, its window found by caption.
#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <fstream>

#include "compiler/result_opener.h"
#include "project/work_folder.h"

namespace t2c {
namespace {

// Wine's HKEY_CLASSES_ROOT is the machine's class key alone, so the tests write there and put
// back what they changed.
void setClassValue(const std::string& key, const std::string& value) {
  HKEY handle;
  RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr);
  RegSetValueExA(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
  RegCloseKey(handle);
}

// The default value of a class key, or none when the key is missing.
bool classValue(const std::string& key, std::string& value) {
  char buffer[MAX_PATH] = "";
  LONG size = sizeof buffer;
  if (RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), buffer, &size) != ERROR_SUCCESS) return false;
  value = buffer;
  return true;
}

std::string fakeViewer() {
  std::string path = T2C_FAKE_VIEWER;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

// Registers a viewer class for an extension; the destructor restores the earlier registration.
class Registration {
 public:
  Registration(const std::string& extension, const std::string& command) : extension_(extension) {
    hadClass_ = classValue(extension, previousClass_);
    setClassValue(extension, "T2CTest.Viewer");
    setClassValue("T2CTest.Viewer\\shell\\open\\command", command);
  }
  ~Registration() {
    if (hadClass_)
      setClassValue(extension_, previousClass_);
    else
      SHDeleteKeyA(HKEY_CLASSES_ROOT, extension_.c_str());
    SHDeleteKeyA(HKEY_CLASSES_ROOT, "T2CTest.Viewer");
  }

 private:
  std::string extension_;
  std::string previousClass_;
  bool hadClass_ = false;
};

void closeFakeViewers() {
  while (HWND window = FindWindowA("T2CFakeViewer", nullptr)) {
    SendMessageA(window, WM_CLOSE, 0, 0);
  }
}

class ResultOpenerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    chm_ = tempFolder() + "t2c viewer test.chm";
    std::ofstream(chm_, std::ios::binary) << "Notes & Manual";
  }
  void TearDown() override {
    closeFakeViewers();
    DeleteFileA(chm_.c_str());
  }
  std::string chm_;
};

TEST_F(ResultOpenerTest, RegisteredCommandIsCutToItsProgram) {
  Registration quoted(".t2ctest", "\"" + fakeViewer() + "\" \"%1\"");
  EXPECT_EQ(registeredOpenCommand("t2ctest"), fakeViewer());
  EXPECT_EQ(registeredOpenCommand(".t2ctest"), fakeViewer());
  EXPECT_EQ(registeredOpenCommand(""), "");
  EXPECT_EQ(registeredOpenCommand(".t2cnothing"), "");
}

TEST_F(ResultOpenerTest, MissingProgramGivesNothing) {
  Registration missing(".t2ctest", "\"C:\\no such folder\\viewer.exe\" \"%1\"");
  EXPECT_EQ(registeredOpenCommand(".t2ctest"), "");
}

TEST_F(ResultOpenerTest, ViewerWindowWithTheTitleIsRemembered) {
  Registration viewer(".chm", "\"" + fakeViewer() + "\" %1");
  HWND window = reinterpret_cast<HWND>(1);
  EXPECT_TRUE(openResult(chm_, "Notes & Manual", window));
  ASSERT_NE(window, nullptr);
  char caption[64] = "";
  GetWindowTextA(window, caption, sizeof caption);
  EXPECT_STREQ(caption, "Notes & Manual");
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  EXPECT_NE(processId, GetCurrentProcessId());
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(ResultOpenerTest, AnotherCaptionLeavesNoWindow) {
  Registration viewer(".chm", "\"" + fakeViewer() + "\" %1");
  HWND window = reinterpret_cast<HWND>(1);
  EXPECT_TRUE(openResult(chm_, "Notes & Manual, other edition", window));
  EXPECT_EQ(window, nullptr);
}

TEST_F(ResultOpenerTest, TitleLongerThanAWindowTextReadNeverMatches) {
  std::string title(300, 'T');
  std::ofstream(chm_, std::ios::binary) << title;
  Registration viewer(".chm", "\"" + fakeViewer() + "\" %1");
  HWND window = reinterpret_cast<HWND>(1);
  EXPECT_TRUE(openResult(chm_, title, window));
  EXPECT_EQ(window, nullptr);
}

TEST_F(ResultOpenerTest, ShellFallbackLeavesTheWindowSlotAlone) {
  Registration broken(".chm", "\"C:\\no such folder\\viewer.exe\" \"%1\"");
  HWND window = reinterpret_cast<HWND>(1);
  EXPECT_FALSE(openResult(chm_ + ".missing", "Notes & Manual", window));
  EXPECT_EQ(window, reinterpret_cast<HWND>(1));
}

}  // namespace
}  // namespace t2c
