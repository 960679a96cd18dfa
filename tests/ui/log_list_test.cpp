// The build's log on a real list-view control under Wine: every line fits its column, a long
// build does not resize the column once per line, and its end shows the last line.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "ui/log_list_win.h"

namespace t2c {
namespace {

int columnWidthRequests = 0;
WNDPROC listProcedure = nullptr;

LRESULT CALLBACK countingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == LVM_SETCOLUMNWIDTH) ++columnWidthRequests;
  return CallWindowProcA(listProcedure, window, message, wParam, lParam);
}

class LogListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    ASSERT_TRUE(InitCommonControlsEx(&controls));
    list_ = CreateWindowExA(0, WC_LISTVIEWA, "", WS_POPUP | LVS_REPORT | LVS_NOCOLUMNHEADER, 0, 0,
                            300, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(list_, nullptr);
    log_.SetUp(list_, RGB(255, 255, 255), RGB(0, 0, 0));
    listProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(list_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(countingProcedure)));
    columnWidthRequests = 0;
  }
  void TearDown() override { DestroyWindow(list_); }

  int columnWidth() const { return ListView_GetColumnWidth(list_, 0); }
  int textWidth(const std::string& line) const { return ListView_GetStringWidth(list_, line.c_str()); }
  int autosizedWidth() const {
    ListView_SetColumnWidth(list_, 0, LVSCW_AUTOSIZE);
    return columnWidth();
  }

  HWND list_ = nullptr;
  LogList log_;
};

TEST_F(LogListTest, TheColumnIsAsWideAsTheWidestLineAsTheControlWouldSizeIt) {
  const std::string shortLine = "Writing file12.htm";
  const std::string longLine = "Cannot write to file C:\\Users\\me\\Notes\\A rather long folder name\\file12.htm";
  log_.Append(shortLine);
  const int afterShort = columnWidth();
  EXPECT_EQ(afterShort, autosizedWidth());
  log_.Append(longLine);
  const int afterLong = columnWidth();
  EXPECT_GT(afterLong, afterShort);
  EXPECT_EQ(afterLong, autosizedWidth());
  log_.Append(shortLine);
  EXPECT_EQ(columnWidth(), afterLong) << "a shorter line narrowed the column";
  EXPECT_EQ(ListView_GetItemCount(list_), 3);

  log_.Clear();
  log_.Append(shortLine);
  EXPECT_EQ(columnWidth(), afterShort) << "the cleared log kept the old width";
}

TEST_F(LogListTest, ALongBuildResizesTheColumnOnlyWhenALineIsWider) {
  for (int i = 0; i < 2000; ++i) log_.Append("Article " + std::to_string(1000 + i) + " written");
  EXPECT_EQ(ListView_GetItemCount(list_), 2000);
  EXPECT_LE(columnWidthRequests, 2) << "the column was resized for lines that fitted";
  log_.ShowLast();
  EXPECT_GE(ListView_GetTopIndex(list_) + ListView_GetCountPerPage(list_), 2000) << "the last line is out of view";
  log_.Append(std::string(120, 'W'));
  EXPECT_GT(columnWidth(), textWidth(std::string(120, 'W')));
}

}  // namespace
}  // namespace t2c
