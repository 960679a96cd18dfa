// The registered viewer: looked up in the registry, started, its window found by caption.
#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <fstream>

#include "compiler/result_opener_win.h"
#include "viewer_registration.h"
#include "project/work_folder_win.h"

namespace t2c {
namespace {

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
  // However slowly the viewer starts, its window exists once it waits for input.
  EXPECT_TRUE(openResult(chm_, "Notes & Manual", window, INFINITE));
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
  EXPECT_TRUE(openResult(chm_, "Notes & Manual, other edition", window, INFINITE));
  EXPECT_EQ(window, nullptr);
}

// So that the next build can close it, a viewer is found by a title of any length, and only by
// the whole of it.
TEST_F(ResultOpenerTest, TitlesLongerThanAPathAreMatchedWhole) {
  const std::string title(300, 'T');
  std::ofstream(chm_, std::ios::binary) << title;
  Registration viewer(".chm", "\"" + fakeViewer() + "\" %1");
  HWND window = nullptr;
  EXPECT_TRUE(openResult(chm_, title, window, INFINITE));
  ASSERT_NE(window, nullptr);
  SendMessageA(window, WM_CLOSE, 0, 0);

  std::ofstream(chm_, std::ios::binary) << title + "T";
  window = reinterpret_cast<HWND>(1);
  EXPECT_TRUE(openResult(chm_, title, window, INFINITE));
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
