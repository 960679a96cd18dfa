// The two dialog templates, created for real: every control's id, class, text, style and place.
#include <cstring>
#include <vector>

#include "plugin_fixture.h"

#include <commctrl.h>
#include <richedit.h>

namespace t2c_test {
namespace {

struct ControlSpec {
  int id;
  std::string className;
  std::string text;
  DWORD style;  // as the template stores it, WS_CHILD and WS_VISIBLE included
  short x, y, cx, cy;  // dialog units
};

struct DialogSpec {
  DWORD style;
  short cx, cy;
  std::string caption;
  std::vector<ControlSpec> controls;
};

INT_PTR CALLBACK quietDialog(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// Reads an extended dialog template as the resource compiler stored it.
class TemplateReader {
 public:
  explicit TemplateReader(const unsigned char* data) : p_(data) {}
  template <typename T>
  T Read() {
    T value;
    std::memcpy(&value, p_, sizeof value);
    p_ += sizeof value;
    return value;
  }
  // A string or an ordinal; predefined classes come back by name.
  std::string ReadSzOrOrd() {
    WORD first = Read<WORD>();
    if (first == 0xFFFF) {
      WORD ordinal = Read<WORD>();
      static const char* classes[] = {"Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox"};
      return ordinal >= 0x80 && ordinal <= 0x85 ? classes[ordinal - 0x80] : "#" + std::to_string(ordinal);
    }
    std::string text;
    for (WORD c = first; c; c = Read<WORD>()) text += static_cast<char>(c < 0x100 ? c : '?');
    return text;
  }
  void AlignDword(const unsigned char* base) {
    while ((p_ - base) % 4) ++p_;
  }

 private:
  const unsigned char* p_;
};

class DialogTemplatesTest : public PluginTest {
 protected:
  void SetUp() override {
    PluginTest::SetUp();
    // The plug-in's first export registers the control classes its templates use.
    SentinelRecord info(600);
    plugin_.getPluginInfo(info.data());
  }

  void ExpectTemplate(int templateId, const DialogSpec& expected) {
    HRSRC found = FindResourceA(library_->Module(), MAKEINTRESOURCEA(templateId), MAKEINTRESOURCEA(5));
    ASSERT_NE(found, nullptr);
    auto base = static_cast<const unsigned char*>(LockResource(LoadResource(library_->Module(), found)));
    TemplateReader r(base);
    EXPECT_EQ(r.Read<WORD>(), 1);
    EXPECT_EQ(r.Read<WORD>(), 0xFFFF);
    r.Read<DWORD>();
    r.Read<DWORD>();
    EXPECT_EQ(r.Read<DWORD>(), expected.style);
    WORD count = r.Read<WORD>();
    r.Read<short>();
    r.Read<short>();
    EXPECT_EQ(r.Read<short>(), expected.cx);
    EXPECT_EQ(r.Read<short>(), expected.cy);
    EXPECT_EQ(r.ReadSzOrOrd(), "");  // menu
    EXPECT_EQ(r.ReadSzOrOrd(), "");  // class
    EXPECT_EQ(r.ReadSzOrOrd(), expected.caption);
    EXPECT_EQ(r.Read<WORD>(), 8);
    r.Read<WORD>();
    r.Read<WORD>();
    EXPECT_EQ(r.ReadSzOrOrd(), "MS Sans Serif");
    ASSERT_EQ(count, expected.controls.size());
    for (const ControlSpec& want : expected.controls) {
      r.AlignDword(base);
      r.Read<DWORD>();
      EXPECT_EQ(r.Read<DWORD>(), 0u) << want.id;
      DWORD style = r.Read<DWORD>();
      EXPECT_EQ(style, want.style) << want.id << std::hex << " style " << style;
      short x = r.Read<short>(), y = r.Read<short>(), cx = r.Read<short>(), cy = r.Read<short>();
      EXPECT_EQ(std::vector<short>({x, y, cx, cy}), std::vector<short>({want.x, want.y, want.cx, want.cy}))
          << want.id;
      EXPECT_EQ(static_cast<int>(r.Read<DWORD>()), want.id);
      EXPECT_STRCASEEQ(r.ReadSzOrOrd().c_str(), want.className.c_str()) << want.id;
      EXPECT_EQ(r.ReadSzOrOrd(), want.text) << want.id;
      WORD extra = r.Read<WORD>();
      for (WORD i = 0; i < extra; ++i) r.Read<BYTE>();
    }
    // The template also makes a real window with every control.
    HWND dialog = CreateDialogParamA(library_->Module(), MAKEINTRESOURCEA(templateId), nullptr,
                                     quietDialog, 0);
    ASSERT_NE(dialog, nullptr);
    for (const ControlSpec& want : expected.controls) {
      if (want.id != -1) {
        EXPECT_NE(GetDlgItem(dialog, want.id), nullptr) << want.id;
      }
    }
    DestroyWindow(dialog);
  }
};

TEST_F(DialogTemplatesTest, MainWindow) {
  const DWORD shown = WS_CHILD | WS_VISIBLE;
  const DWORD check = shown | BS_AUTOCHECKBOX | WS_TABSTOP;
  ExpectTemplate(3000, {DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                        440, 346, "Tessaly2CHM", {
      {3001, "Button", "Save formatting to HTML", shown | BS_AUTORADIOBUTTON | WS_GROUP, 14, 15, 212, 8},
      {3002, "Button", "Make article as RTF file", shown | BS_AUTORADIOBUTTON, 14, 26, 212, 8},
      {3004, "Button", "Skip formatted text", shown | BS_AUTORADIOBUTTON, 14, 37, 212, 8},
      {3010, "Button", "Make article with link to RTF file", shown | BS_AUTORADIOBUTTON, 14, 48, 212, 8},
      {3008, "Button", "Save plain text as HTML", check, 14, 63, 212, 8},
      {3011, "Button", "Include pictures from text", check, 14, 95, 212, 8},
      {3005, "Button", "Make full text search", check, 14, 106, 212, 8},
      {3009, "Button", "Save syntax highlighting", check, 14, 117, 212, 8},
      {3006, "Edit", "", shown | ES_AUTOHSCROLL | WS_BORDER, 14, 142, 212, 12},
      {3016, "ComboBox", "", shown | CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL, 14, 175, 212, 125},
      {-1, "Button", "Text translation", shown | BS_GROUPBOX, 7, 2, 228, 74},
      {IDOK, "Button", "Make CHM-file", shown | BS_DEFPUSHBUTTON, 10, 209, 81, 14},
      {IDCANCEL, "Button", "Close", shown | BS_PUSHBUTTON, 157, 209, 81, 14},
      {3000, "SysTreeView32", "",
       shown | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_EDITLABELS | TVS_DISABLEDRAGDROP |
           TVS_SHOWSELALWAYS | TVS_INFOTIP | WS_BORDER,
       244, 6, 189, 189},
      {-1, "Static", "CHM Title", shown | WS_GROUP, 14, 130, 212, 8},
      {3007, "SysListView32", "", shown | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SHOWSELALWAYS, 10, 242, 426, 52},
      {3014, "RichEdit20A", "", shown | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL, 10, 298, 426, 42},
      {-1, "Button", "Settings", shown | BS_GROUPBOX, 7, 84, 228, 111},
      {3012, "Static", "Log", shown, 10, 230, 426, 8},
      {3015, "RichEdit20A", "", WS_CHILD | ES_MULTILINE | ES_READONLY | WS_BORDER | WS_VSCROLL, 99, 205, 82, 29},
      {-1, "Static", "Language", shown, 14, 160, 212, 8},
  }});
}

TEST_F(DialogTemplatesTest, ProgressWindow) {
  const DWORD shown = WS_CHILD | WS_VISIBLE;
  ExpectTemplate(3003, {DS_SETFONT | DS_MODALFRAME | WS_POPUP, 205, 59, "", {
      {-1, "Button", "Tessaly2CHM", shown | BS_GROUPBOX | BS_CENTER, 3, 0, 199, 56},
      {3012, "Static", "", shown | SS_CENTER | WS_GROUP, 10, 10, 187, 40},
  }});
}

}  // namespace
}  // namespace t2c_test
