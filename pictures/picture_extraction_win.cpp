// The picture preparation in a hidden rich-text control: load and save the objects, mark them in the text.
#include <windows.h>
#include <richedit.h>
#include <richole.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "pictures/pictures_win.h"
#include "pictures/rtf_object_groups.h"
#include "plugin/host_services_win.h"

namespace t2c {
namespace {

// The control's own limit serves texts up to this many bytes.
constexpr size_t kLongestTextAtDefaultLimit = 8191;

struct Reading {
  const std::string& text;
  size_t offset;
};

DWORD CALLBACK readChunk(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
  auto& reading = *reinterpret_cast<Reading*>(cookie);
  const size_t count = std::min(static_cast<size_t>(std::max(wanted, LONG(0))),
                                reading.text.size() - reading.offset);
  std::memcpy(buffer, reading.text.data() + reading.offset, count);
  reading.offset += count;
  *given = static_cast<LONG>(count);
  return 0;
}

LONG objectCount(HWND richEdit) {
  IRichEditOle* ole = nullptr;
  if (!SendMessageA(richEdit, EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(&ole)) || !ole) return 0;
  const LONG count = ole->GetObjectCount();
  ole->Release();
  return count;
}

// Whether the control's objects are the groups of the document it holds, one paragraph each:
// as many, and the k-th in the k-th paragraph. A group can hold more than one object (a result of
// two pictures) while another holds none (a PNG under Wine), and the counts alone then agree.
bool objectsAreGroups(HWND richEdit, size_t groups) {
  IRichEditOle* held = nullptr;
  if (!SendMessageA(richEdit, EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(&held)) || !held) return false;
  const std::unique_ptr<IRichEditOle, void (*)(IRichEditOle*)> ole(held, [](IRichEditOle* p) { p->Release(); });
  if (ole->GetObjectCount() != static_cast<LONG>(groups)) return false;
  GETTEXTLENGTHEX measure = {GTL_NUMCHARS | GTL_PRECISE, 1200};
  const LRESULT length = SendMessageW(richEdit, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&measure), 0);
  if (length < 0) return false;
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  GETTEXTEX reading = {static_cast<DWORD>(text.size() * sizeof(wchar_t)), GT_DEFAULT, 1200, nullptr, nullptr};
  text.resize(static_cast<size_t>(std::max<LRESULT>(
      0, SendMessageW(richEdit, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&reading), reinterpret_cast<LPARAM>(&text[0])))));
  size_t paragraph = 0;
  LONG counted = 0;
  for (LONG i = 0; i < static_cast<LONG>(groups); ++i) {
    REOBJECT object = {};
    object.cbStruct = sizeof object;
    if (FAILED(ole->GetObject(i, &object, REO_GETOBJ_NO_INTERFACES)) || object.cp < counted) return false;
    for (; counted < object.cp && static_cast<size_t>(counted) < text.size(); ++counted)
      if (text[counted] == L'\r') ++paragraph;
    if (paragraph != static_cast<size_t>(i)) return false;
  }
  return true;
}

// Draws the objects of one node into numbered bitmap files; the mark of each drawn object goes
// to its group.
struct NodeDrawing {
  HWND richEdit;
  COLORREF colour;
  const std::string& workFolder;
  int32_t& counter;
  std::vector<PictureEntry>& pictures;
  std::vector<std::string>& marks;
  size_t drawn = 0;

  void save(size_t group, HBITMAP bitmap) {
    const std::string name = pictureFileName(counter++);
    saveBitmapFile(bitmap, workFolder + "\\" + name);
    pictures.emplace_back(name, makePlaceholder());
    marks[group] = pictures.back().second;
    ++drawn;
  }

  // The control holds the groups in order, one object each.
  void drawAll() {
    renderObjects(richEdit, colour, [&](const RenderedObject& object, HBITMAP bitmap) {
      if (object.index >= 0 && static_cast<size_t>(object.index) < marks.size()) save(object.index, bitmap);
    });
  }

  // The control holds the document of one group; its first object, if any, is that group's.
  bool drawAlone(size_t group, const std::string& document) {
    if (document.empty()) return false;
    loadRichText(richEdit, document);
    if (objectCount(richEdit) <= 0) return false;
    bool saved = false;
    renderObjects(richEdit, colour, [&](const RenderedObject& object, HBITMAP bitmap) {
      if (object.index != 0) return;
      save(group, bitmap);
      saved = true;
    });
    return saved;
  }
};

}  // namespace

void loadRichText(HWND richEdit, const std::string& text) {
  if (text.size() > kLongestTextAtDefaultLimit) {
    const size_t limit = std::min(text.size(), size_t(0x7FFFFFFF) / 8) * 8;
    SendMessageA(richEdit, EM_EXLIMITTEXT, 0, static_cast<LPARAM>(limit));
  }
  Reading reading{text, 0};
  EDITSTREAM stream = {reinterpret_cast<DWORD_PTR>(&reading), 0, readChunk};
  SendMessageA(richEdit, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
}

std::vector<std::string> preparePictures(const NodeTree& tree, HWND richEdit, const std::string& workFolder,
                                         std::vector<std::string>& pictureFiles, PictureTable& pictureTable) {
  const PictureExtractor extract = [&](std::string& text, std::vector<PictureEntry>& pictures, int32_t& counter) {
    return extractPictures(text, pictures, richEdit, counter, workFolder);
  };
  return collectPictures(tree, extract, pictureFiles, pictureTable);
}

PicturesFound extractPictures(std::string& text, std::vector<PictureEntry>& pictures, HWND richEdit,
                              int32_t& counter, const std::string& workFolder) {
  if (text.empty()) return {};
  const std::vector<ObjectGroup> groups = findObjectGroups(text);
  if (groups.empty()) return {};
  std::vector<std::string> marks(groups.size());
  NodeDrawing drawing{richEdit, host::optionColour(kOptionRenderColour), workFolder, counter, pictures, marks};
  // The control never gets the note itself, only its object groups without table structure:
  // laying out a whole note only to draw its pictures is slow, and table words out of order
  // (nested tables of some word processors) end Wine's control and the host with it.
  loadRichText(richEdit, objectGroupsOnly(text, groups));
  if (objectsAreGroups(richEdit, groups.size())) {
    drawing.drawAll();
  } else {
    // A form the control does not load (Wine's loads no PNG) leaves it fewer objects than groups,
    // and then nothing tells which group an object came from: each group is loaded alone, from
    // the last to the first as the objects are drawn, and gets the first object it holds. A picture pair whose first picture the
    // control cannot load gets its fallback picture drawn.
    for (size_t k = groups.size(); k-- > 0;) {
      if (!drawing.drawAlone(k, objectGroupsOnly(text, {groups[k]})))
        drawing.drawAlone(k, shapeFallbackOnly(text, groups[k]));
    }
  }
  const PicturesFound found{groups.size(), drawing.drawn};
  // The control's RTF would lose what it does not keep (Wine's drops field results, no rich edit
  // keeps bookmarks), so the placeholders go into the node's own text.
  if (found.drawn > 0) text = markObjectGroups(text, groups, marks);
  return found;
}

}  // namespace t2c
