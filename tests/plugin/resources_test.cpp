// The plug-in's resources as the platform loads them: strings, menu, dialogs, icon and version.
#include <cstring>
#include <vector>

#include "plugin_fixture.h"

namespace t2c_test {
namespace {

using ResourcesTest = PluginTest;

std::string loadString(HMODULE module, UINT id) {
  char buffer[4096];
  int length = LoadStringA(module, id, buffer, sizeof buffer);
  return std::string(buffer, length > 0 ? length : 0);
}

TEST_F(ResourcesTest, StringTableHoldsEveryText) {
  const char* expected[30] = {
      nullptr,
      "HTML Help  (*.chm)|*.chm|All Files (*.*)|*.*||",
      "The file created by Tessaly & Tessaly2CHM plugin",
      "Make CHM-file from entire document",
      "Make CHM-file from entire document",
      "Creation %s successfully complete",
      "Creation %s failed",
      "HTML Help compiler (HHC.exe) not found at %s",
      "Get text from",
      "Make CHM-file from branch",
      "Make CHM-file from branch with subbranchs",
      "Library %s not found.\nCannot translate text to HTML",
      "Create with syntax highlighting",
      "Create with syntax highlighting of data",
      "Cannot open the file %s for writing.",
      "CHM-file articles: %d",
      "Translate text to HTML.RTF2HTML modules required",
      "found",
      "not found!!!",
      "Asks Tessaly for node texts with syntax highlighting; it takes effect from the next export on.",
      "Settings \"%s\" is checked.\nFor using this parameter required restart the plugin.",
      "Tessaly tree\r\rDouble click for viewing in Tessaly",
      "Place RTF-file to CHM-file article with hyperlink",
      "<HTML><BODY><H2>%RTF_HEADER%</H2><HR>Article contains RTF-file created by <A HREF="
      "\"http://www.tessaly.example/download.shtml\" TITLE=\"Visit to Tessaly web site\" "
      "TARGET=_blank>Tessaly</A>.Click for viewing <A HREF=\"%RTF_FILE%\">%RTF_HEADER%</A></BODY></HTML>",
      "Exlude all RTF-files from CHM",
      "Place RTF file to CHM as article",
      "Creation CHM-files from Tessaly documents",
      "CHM creation log",
      "Tip",
      "Include pictures and objects from Tessaly as bitmap file. Required \"Save formatting to HTML\""};
  for (UINT id = 1; id <= 29; ++id) EXPECT_EQ(loadString(library_->Module(), id), expected[id]) << id;
  EXPECT_EQ(loadString(library_->Module(), 30), "");
}

TEST_F(ResourcesTest, NodeMenuListsItsCommandsInOrder) {
  HMENU menu = LoadMenuA(library_->Module(), MAKEINTRESOURCEA(3001));
  ASSERT_NE(menu, nullptr);
  HMENU popup = GetSubMenu(menu, 0);
  ASSERT_NE(popup, nullptr);
  std::vector<std::string> items;
  for (int i = 0; i < GetMenuItemCount(popup); ++i) {
    char text[128] = "";
    GetMenuStringA(popup, i, text, sizeof text, MF_BYPOSITION);
    items.push_back(std::to_string(GetMenuItemID(popup, i)) + " " + text);
  }
  DestroyMenu(menu);
  EXPECT_EQ(items, (std::vector<std::string>{"32772 Change title\x85", "32774 Show In Tessaly", "0 ",
                                             "32773 Make this node as first article", "0 ",
                                             "32771 Exclude from CHM-file",
                                             "32775 Include all to CHM-file"}));
}

TEST_F(ResourcesTest, ContainerIconHasBothSizes) {
  for (int size : {16, 32}) {
    HICON icon = static_cast<HICON>(
        LoadImageA(library_->Module(), MAKEINTRESOURCEA(3002), IMAGE_ICON, size, size, 0));
    ASSERT_NE(icon, nullptr) << size;
    ICONINFO info;
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bitmap;
    GetObject(info.hbmColor, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, size);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
  }
}

TEST_F(ResourcesTest, VersionResourceCarriesNumbersAndComment) {
  std::string path = pluginPath();
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<char> data(size);
  ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, data.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(2, 2));
  EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(83, 1));
  char* comment = nullptr;
  ASSERT_TRUE(VerQueryValueA(data.data(), "\\StringFileInfo\\040904e4\\Comments",
                             reinterpret_cast<void**>(&comment), &length));
  EXPECT_STREQ(comment, "Required Tessaly 9.06 build 1977 or later.");
}

}  // namespace
}  // namespace t2c_test
