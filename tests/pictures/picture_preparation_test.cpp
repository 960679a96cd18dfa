// Pictures through a real hidden rich-text control under Wine: the storage callback, the numbering,
// the placeholders, the bitmap files and the node texts.
#include <windows.h>
#include <richedit.h>
#include <richole.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "convert/page_conversion_win.h"
#include "pictures/pictures_win.h"
#include "host/host_state_win.h"
#include "picture_samples.h"
#include "plugin/ansi_text_win.h"
#include "project/file_output_win.h"
#include "project/work_folder_win.h"
#include "support/tree_fixture.h"
#include "pictures/rich_edit_callback_win.h"
#include "support/windows_path.h"

namespace t2c {
namespace {

const COLORREF kHostColour = RGB(0x12, 0x34, 0x56);
const COLORREF kPictureColour = RGB(0xC0, 0x40, 0x20);

template <class T>
T* poisoned() {
  return reinterpret_cast<T*>(static_cast<uintptr_t>(0xBAD0BAD0));
}

std::wstring storageName(IStorage* storage) {
  STATSTG stat = {};
  if (FAILED(storage->Stat(&stat, STATFLAG_DEFAULT))) return L"";
  std::wstring name = stat.pwcsName;
  CoTaskMemFree(stat.pwcsName);
  return name;
}

// A BMP file's dimensions and pixels, read the way a viewer reads it.
struct BmpFile {
  explicit BmpFile(const std::string& path) {
    valid = readWholeFile(path, bytes) && bytes.size() > 54 && bytes.compare(0, 2, "BM") == 0 &&
            field(2) == bytes.size();
    if (!valid) return;
    width = static_cast<int32_t>(field(18));
    height = static_cast<int32_t>(field(22));
    depth = static_cast<uint16_t>(field(28) & 0xFFFF);
  }
  uint32_t field(size_t offset) const {
    uint32_t value = 0;
    std::memcpy(&value, bytes.data() + offset, 4);
    return value;
  }
  // The colour at (x, y) from the top left, for the true-colour depths a display has.
  COLORREF Pixel(int x, int y) const {
    const size_t step = depth / 8;
    const size_t row = ((static_cast<size_t>(width) * depth + 31) / 32) * 4;
    const size_t at = field(10) + row * static_cast<size_t>(height - 1 - y) + step * x;
    if ((depth != 24 && depth != 32) || at + 3 > bytes.size()) return CLR_INVALID;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data()) + at;
    return RGB(p[2], p[1], p[0]);
  }

  std::string bytes;
  bool valid = false;
  int32_t width = 0, height = 0;
  uint16_t depth = 0;
};

bool isPlaceholder(const std::string& text) {
  if (text.size() != 36) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
    const char c = text[i];
    if (dash ? c != '-' : !((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  }
  return true;
}

class PicturesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    OleInitialize(nullptr);
    LoadLibraryA("riched20.dll");
  }

  void SetUp() override {
    richEdit = CreateWindowExA(0, "RichEdit20A", "", ES_MULTILINE | ES_READONLY, 0, 0, 200, 100,
                               nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(richEdit);
    ASSERT_EQ(attachRichEditCallback(richEdit), S_OK);
    tly::hostState().renderColour = kHostColour;
    workFolder = makeWorkFolder();
    ASSERT_FALSE(workFolder.empty());
  }

  void TearDown() override {
    DestroyWindow(richEdit);
    removeWorkFolder(workFolder);
  }

  // The control's plain text after loading `rtf`, without the final paragraph end, and how
  // many objects it holds.
  std::string PlainText(const std::string& rtf, LONG& objects) {
    loadRichText(richEdit, rtf);
    std::string plain(GetWindowTextLengthA(richEdit) + 1, '\0');
    plain.resize(GetWindowTextA(richEdit, &plain[0], static_cast<int>(plain.size())));
    while (!plain.empty() && (plain.back() == '\r' || plain.back() == '\n')) plain.pop_back();
    IRichEditOle* ole = nullptr;
    SendMessageA(richEdit, EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(&ole));
    objects = ole ? ole->GetObjectCount() : -1;
    if (ole) ole->Release();
    return plain;
  }

  HWND richEdit = nullptr;
  std::string workFolder;
};

// The temporary files of compound storages in the temporary folder.
std::vector<std::string> storageFiles() {
  char folder[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, folder);
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((std::string(folder) + "STO*.tmp").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do names.push_back(found.cFileName);
  while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

TEST_F(PicturesTest, CallbackNumbersItsStoragesAndLeavesNoOutputUndefined) {
  const std::vector<std::string> storagesBefore = storageFiles();
  HRESULT error = E_FAIL;
  RichEditCallback* callback = RichEditCallback::Create(error);
  ASSERT_TRUE(callback);
  EXPECT_EQ(error, S_OK);
  EXPECT_EQ(callback->AddRef(), 1u);
  void* object = nullptr;
  EXPECT_EQ(callback->QueryInterface(IID_IRichEditOleCallback, &object), S_OK);
  EXPECT_EQ(object, static_cast<IRichEditOleCallback*>(callback));
  EXPECT_EQ(callback->QueryInterface(IID_IUnknown, &object), S_OK);
  EXPECT_EQ(object, static_cast<IRichEditOleCallback*>(callback));
  object = poisoned<void>();
  EXPECT_EQ(callback->QueryInterface(IID_IStorage, &object), E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(callback->Release(), 2u);
  EXPECT_EQ(callback->Release(), 1u);

  // Three texts with two objects each take six storages; the next load continues with the 7th.
  std::vector<std::wstring> names;
  for (int i = 0; i < 7; ++i) {
    IStorage* storage = nullptr;
    ASSERT_EQ(callback->GetNewStorage(&storage), S_OK);
    names.push_back(storageName(storage));
    storage->Release();
  }
  EXPECT_EQ(names, (std::vector<std::wstring>{L"REOLEStorage1", L"REOLEStorage2", L"REOLEStorage3",
                                              L"REOLEStorage4", L"REOLEStorage5", L"REOLEStorage6",
                                              L"REOLEStorage7"}));

  IOleInPlaceFrame* frame = poisoned<IOleInPlaceFrame>();
  IOleInPlaceUIWindow* document = poisoned<IOleInPlaceUIWindow>();
  OLEINPLACEFRAMEINFO frameInfo = {};
  frameInfo.cb = sizeof frameInfo;
  EXPECT_EQ(callback->GetInPlaceContext(&frame, &document, &frameInfo), E_NOTIMPL);
  EXPECT_EQ(frame, nullptr);
  EXPECT_EQ(document, nullptr);
  CHARRANGE range = {0, 1};
  for (DWORD request : {RECO_COPY, RECO_CUT, RECO_DRAG}) {
    IDataObject* data = poisoned<IDataObject>();
    EXPECT_EQ(callback->GetClipboardData(&range, request, &data), E_NOTIMPL);
    EXPECT_EQ(data, nullptr);
  }
  HMENU menu = poisoned<HMENU__>();
  EXPECT_EQ(callback->GetContextMenu(GCM_RIGHTMOUSEDROP, nullptr, &range, &menu), S_OK);
  EXPECT_EQ(menu, nullptr);
  // Pictures may be inserted; live objects of any other class may not.
  CLSID picture = {0x00000316, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
  EXPECT_EQ(callback->QueryInsertObject(&picture, nullptr, 0), S_OK);
  picture.Data1 = 0x00000315;
  EXPECT_EQ(callback->QueryInsertObject(&picture, nullptr, 0), S_OK);
  picture.Data1 = 0x00000319;
  EXPECT_EQ(callback->QueryInsertObject(&picture, nullptr, 0), S_OK);
  EXPECT_EQ(callback->QueryInsertObject(nullptr, nullptr, 0), S_OK);
  CLSID package = {0x0003000C, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};  // the Packager
  CLSID wordDocument = {0x00020906, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
  EXPECT_EQ(callback->QueryInsertObject(&package, nullptr, 0), S_FALSE);
  EXPECT_EQ(callback->QueryInsertObject(&wordDocument, nullptr, 0), S_FALSE);
  EXPECT_EQ(callback->QueryInsertObject(const_cast<CLSID*>(&CLSID_NULL), nullptr, 0), S_OK);
  DWORD effect = DROPEFFECT_LINK;
  EXPECT_EQ(callback->GetDragDropEffect(TRUE, MK_LBUTTON, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_LINK));
  EXPECT_EQ(callback->Release(), 0u);
  // Its storage's temporary file went with it.
  EXPECT_EQ(storageFiles(), storagesBefore);

  // A storage that cannot hold sub-storages: the control hears of the failure.
  const std::wstring path = ansiToWide(workFolder + "\\read only.stg");
  IStorage* root = nullptr;
  ASSERT_EQ(StgCreateDocfile(path.c_str(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, &root), S_OK);
  root->Release();
  ASSERT_EQ(StgOpenStorage(path.c_str(), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, nullptr, 0, &root), S_OK);
  root->AddRef();
  callback = new RichEditCallback(root);
  callback->AddRef();
  IStorage* storage = poisoned<IStorage>();
  EXPECT_TRUE(FAILED(callback->GetNewStorage(&storage)));
  EXPECT_EQ(storage, nullptr);
  EXPECT_EQ(callback->Release(), 0u);
  EXPECT_EQ(root->Release(), 0u);  // the callback gave its reference back when it ended

  HWND notRichText = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(attachRichEditCallback(notRichText), E_FAIL);
  DestroyWindow(notRichText);
}

TEST_F(PicturesTest, EveryRtfNodeGivesItsObjectsNumberedBitmapsAndPlaceholders) {
  const std::string dib = dibPicture(kPictureColour, 600, 300);  // 40 x 20 pixels
  const std::string emf = emfLeftHalfPicture(900, 300);          // 60 x 20 pixels
  const std::string three = "{\\rtf1\\ansi First" + dib + "second" + emf + "third" + dib + "end\\par}";
  const std::string plain = "{\\rtf1\\ansi plain" + dib + "\\par}";
  const std::string excluded = "{\\rtf1\\ansi Only" + dib + "here\\par}";
  const std::string none = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}} No {\\b objects} here.\\par}\r\n";
  std::string lines, linesShown;  // more than the control takes in unless its limit is raised
  for (int i = 0; i < 1500; ++i) {
    const std::string line = "Line " + std::to_string(1000 + i) + " of a long note.";
    lines += line + "\\par\r\n";
    linesShown += line + "\r\n";
  }
  const std::string longText = "{\\rtf1\\ansi " + lines + "Tail" + dib + "\\par}";
  const std::string zeroWidth = "{\\rtf1\\ansi Zero" + dibPicture(kPictureColour, 0, 300) + "\\par}";
  const std::string mixed = "{\\rtf1\\ansi Mixed" + pngPicture() + "and" + dib + "done\\par}";
  TreeFixture f;
  f.Add(1, 0, kContainer, "Root");
  f.Add(2, 1, kRichText, "Three").text = three;
  f.Add(3, 1, kPlainText, "Plain").text = plain;
  f.Add(4, 1, kRichText, "Excluded").text = excluded;
  f.Node(4).excluded = 1;
  f.Add(5, 1, kRichText, "None").text = none;
  f.Add(6, 1, kRichText, "Long").text = longText;
  f.Add(7, 1, kRichText, "Zero width").text = zeroWidth;
  f.Add(8, 1, kRichText, "Mixed").text = mixed;
  f.Fill();

  std::vector<std::string> pictureFiles;
  {
    PictureTable table;
    const std::vector<std::string> lost = preparePictures(f.tree, richEdit, workFolder, pictureFiles, table);

    const auto& pictures = f.Node(2).pictures;
    ASSERT_EQ(pictures.size(), 3u);
    EXPECT_EQ(pictures[0].first, "Picture_0.bmp");  // the last object of the text
    EXPECT_EQ(pictures[2].first, "Picture_2.bmp");  // the first
    for (const PictureEntry& picture : pictures) EXPECT_TRUE(isPlaceholder(picture.second)) << picture.second;
    EXPECT_NE(pictures[0].second, pictures[1].second);
    LONG objects = -1;
    EXPECT_EQ(PlainText(f.Node(2).text, objects), "First" + pictures[2].second + " second" +
                                                      pictures[1].second + " third" + pictures[0].second + " end");
    EXPECT_EQ(objects, 0);

    // A note left out ships no pictures; the numbers of the others stay dense.
    EXPECT_TRUE(f.Node(4).pictures.empty());
    EXPECT_EQ(f.Node(4).text, excluded);
    ASSERT_EQ(f.Node(6).pictures.size(), 1u);
    EXPECT_EQ(f.Node(6).pictures[0].first, "Picture_3.bmp");
    EXPECT_EQ(PlainText(f.Node(6).text, objects), linesShown + "Tail" + f.Node(6).pictures[0].second + " ");
    // Whatever bitmap the platform makes for no width (a 1 x 1 one), it is saved and marked.
    ASSERT_EQ(f.Node(7).pictures.size(), 1u);
    EXPECT_EQ(f.Node(7).pictures[0].first, "Picture_4.bmp");
    EXPECT_EQ(PlainText(f.Node(7).text, objects), "Zero" + f.Node(7).pictures[0].second + " ");
    EXPECT_TRUE(BmpFile(workFolder + "\\Picture_4.bmp").valid);
    EXPECT_EQ(f.Node(3).text, plain);
    EXPECT_TRUE(f.Node(3).pictures.empty());
    EXPECT_EQ(f.Node(5).text, none);
    EXPECT_TRUE(f.Node(5).pictures.empty());

    // Whether the control loads the PNG or not (Wine's does not), the words stay and every
    // picture made has its placeholder in the text.
    const auto& mixedPictures = f.Node(8).pictures;
    ASSERT_FALSE(mixedPictures.empty());
    EXPECT_EQ(mixedPictures[0].first, "Picture_5.bmp");
    const std::string mixedText = PlainText(f.Node(8).text, objects);
    EXPECT_EQ(mixedText.find("Mixed"), 0u) << mixedText;
    EXPECT_NE(mixedText.find("and" + mixedPictures[0].second + " done"), std::string::npos) << mixedText;
    // A picture the control did not draw is named in the log.
    EXPECT_EQ(lost, mixedPictures.size() == 2
                        ? std::vector<std::string>{}
                        : std::vector<std::string>{"Pictures not drawn, so not in the CHM-file: 1 of 2 in Mixed"});

    std::vector<std::string> expectedFiles = {"Picture_0.bmp", "Picture_1.bmp", "Picture_2.bmp",
                                              "Picture_3.bmp", "Picture_4.bmp"};
    std::vector<PictureEntry> expectedTable = pictures;
    for (int id : {6, 7, 8}) {
      for (const PictureEntry& picture : f.Node(id).pictures) {
        expectedTable.push_back(picture);
        if (id == 8) expectedFiles.push_back(picture.first);
      }
    }
    EXPECT_EQ(pictureFiles, expectedFiles);
    EXPECT_EQ(table.Entries(), expectedTable);
  }
  // The build has ended: the texts are the host's again, the pairs stay with the nodes.
  EXPECT_EQ(f.Node(2).text, three);
  EXPECT_EQ(f.Node(4).text, excluded);
  EXPECT_EQ(f.Node(8).text, mixed);
  EXPECT_EQ(f.Node(2).pictures.size(), 3u);

  for (const char* name : {"Picture_0.bmp", "Picture_2.bmp", "Picture_3.bmp"}) {
    const BmpFile bmp(workFolder + "\\" + name);
    ASSERT_TRUE(bmp.valid) << name;
    EXPECT_EQ(bmp.width, 40) << name;
    EXPECT_EQ(bmp.height, 20) << name;
    EXPECT_EQ(bmp.Pixel(20, 10), kPictureColour) << name;
  }
  // The metafile draws only its left half (under Wine nothing at all): the rest is the host's colour.
  const BmpFile metafile(workFolder + "\\Picture_1.bmp");
  ASSERT_TRUE(metafile.valid);
  EXPECT_EQ(metafile.width, 60);
  EXPECT_EQ(metafile.height, 20);
  EXPECT_EQ(metafile.Pixel(50, 10), kHostColour);
}

// A picture may declare any size; its drawing is scaled down to a bitmap the machine can hold.
TEST_F(PicturesTest, AnEnormousPictureIsDrawnScaledDownInItsProportions) {
  TreeFixture f;
  f.Add(1, 0, kContainer, "Root");
  f.Add(2, 1, kRichText, "Poster").text = "{\\rtf1\\ansi Wall" + dibPicture(kPictureColour, 450000, 225000) + "\\par}";
  f.Fill();
  std::vector<std::string> pictureFiles;
  PictureTable table;
  preparePictures(f.tree, richEdit, workFolder, pictureFiles, table);
  ASSERT_EQ(pictureFiles, std::vector<std::string>{"Picture_0.bmp"});
  const BmpFile bmp(workFolder + "\\Picture_0.bmp");
  ASSERT_TRUE(bmp.valid);
  EXPECT_EQ(bmp.width, kLongestDrawingSide);
  EXPECT_EQ(bmp.height, kLongestDrawingSide / 2);
  EXPECT_EQ(bmp.Pixel(kLongestDrawingSide / 2, kLongestDrawingSide / 4), kPictureColour);
}

#ifdef T2C_IRUN
// The control keeps neither bookmarks nor (under Wine) field results: the note's own text must
// carry them to the page, with only the picture replaced.
TEST_F(PicturesTest, LinksAndBookmarksOfANoteWithAPictureReachThePage) {
  const std::string before =
      "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\pard The kit from "
      "{\\field{\\*\\fldinst{HYPERLINK \"http://x.org/\"}}{\\fldrslt{\\ul the society}}}; "
      "{\\*\\bkmkstart r}Results{\\*\\bkmkend r} below\\b";
  const std::string after = "\\b0 , done.\\par}";
  TreeFixture f;
  f.Add(1, 0, kRichText, "Kit").text = before + dibPicture(kPictureColour, 600, 300) + after;
  f.Fill();

  std::vector<std::string> pictureFiles;
  PictureTable table;
  preparePictures(f.tree, richEdit, workFolder, pictureFiles, table);
  ASSERT_EQ(f.Node(1).pictures.size(), 1u);
  const std::string placeholder = f.Node(1).pictures[0].second;
  EXPECT_TRUE(isPlaceholder(placeholder)) << placeholder;
  EXPECT_EQ(f.Node(1).text, before + "{" + placeholder + " }" + after);
  EXPECT_EQ(BmpFile(workFolder + "\\Picture_0.bmp").width, 40);

  std::string page = f.Node(1).text;
  ASSERT_TRUE(convertRtfToPage(page, windowsPath(T2C_IRUN), substitutePictures, &table)) << page;
  const size_t body = page.find("<P>");
  ASSERT_NE(body, std::string::npos) << page;
  EXPECT_EQ(page.substr(body, page.find("\r\n</BODY>") - body),
            "<P>The kit from <A HREF=\"http://x.org/\"><U>the society</U></A>; <A NAME=\"r\"></A>Results "
            "below<B><IMG SRC='Picture_0.bmp'> </B>, done.</P>");
}
// Only the object groups reach the control: tables in any form, which laid out whole have ended
// Wine's control and the host with it, leave the note's own text as it was, its picture marked.
TEST_F(PicturesTest, NotesWithTablesOfEveryFormKeepTheirTextAndGiveTheirPictures) {
  const std::string picture = dibPicture(kPictureColour, 300, 300);
  const std::string cell = "\\pard\\intbl x";
  const std::vector<std::pair<std::string, std::string>> tables = {
      {"{\\rtf1\\ansi\\trowd\\cellx1000\\cellx2000 " + cell + "\\cell ", "\\cell\\row\\pard\\par}"},
      {"{\\rtf1\\ansi\\trowd\\cellx2000\\pard\\intbl\\itap1 a\\cell\\row"
       "\\pard\\intbl\\itap2 {\\field{\\*\\fldinst HYPERLINK \"http://x/\"}{\\fldrslt x}}"
       "{\\*\\bkmkstart m}", "{\\*\\bkmkend m}\\nestcell{\\*\\nesttableprops\\trowd\\cellx900\\nestrow}"
       "{\\nonesttables\\par}\\cell\\trowd\\cellx2000\\row\\pard\\par}"},
      {"{\\rtf1\\ansi\\intbl\\nestcell\\nestcell\\nestrow ", "\\row\\row\\cell}"},
      {"{\\rtf1\\ansi\\trowd\\cellx500" + std::string(40, ' ') + "\\intbl\\itap9 ", "\\cell"},
      {"{\\rtf1\\ansi\\row\\cell\\trowd\\trowd\\cellx-5\\cellx99999999 ", "\\lastrow\\row}"},
  };
  for (const auto& [before, after] : tables) {
    TreeFixture f;
    f.Add(1, 0, kRichText, "Tables").text = before + picture + after;
    f.Fill();
    std::vector<std::string> pictureFiles;
    PictureTable table;
    preparePictures(f.tree, richEdit, workFolder, pictureFiles, table);
    ASSERT_EQ(f.Node(1).pictures.size(), 1u) << before;
    EXPECT_EQ(f.Node(1).text, before + "{" + f.Node(1).pictures[0].second + " }" + after);
    EXPECT_EQ(pictureFiles, std::vector<std::string>{"Picture_0.bmp"});
  }
}
#endif

}  // namespace
}  // namespace t2c
