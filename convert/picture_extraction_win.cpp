// The picture preparation in a hidden rich-text control: load and save the objects, mark them in the text.
#include <windows.h>
#include <richedit.h>
#include <richole.h>

#include <algorithm>
#include <cstring>

#include "convert/pictures_win.h"
#include "convert/rtf_object_groups.h"
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

DWORD CALLBACK writeChunk(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* taken) {
  reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buffer),
                                                 static_cast<size_t>(std::max(count, LONG(0))));
  *taken = count;
  return 0;
}

std::string rtfWithoutObjects(HWND richEdit) {
  std::string text;
  EDITSTREAM stream = {reinterpret_cast<DWORD_PTR>(&text), 0, writeChunk};
  SendMessageA(richEdit, EM_STREAMOUT, SF_RTFNOOBJS, reinterpret_cast<LPARAM>(&stream));
  return text;
}

void replaceRange(HWND richEdit, LONG from, LONG to, const std::string& text) {
  SendMessageA(richEdit, EM_SETSEL, from, to);
  SendMessageA(richEdit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

LONG objectCount(HWND richEdit) {
  IRichEditOle* ole = nullptr;
  if (!SendMessageA(richEdit, EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(&ole)) || !ole) return 0;
  const LONG count = ole->GetObjectCount();
  ole->Release();
  return count;
}

// Turns every object into one blank, which is what writing RTF without objects stands for:
// not every rich edit honours that format (Wine's writes the objects out as pictures).
void blankObjects(HWND richEdit) {
  IRichEditOle* ole = nullptr;
  if (!SendMessageA(richEdit, EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(&ole)) || !ole) return;
  for (LONG i = ole->GetObjectCount() - 1; i >= 0; --i) {
    REOBJECT object = {};
    object.cbStruct = sizeof object;
    if (SUCCEEDED(ole->GetObject(i, &object, REO_GETOBJ_NO_INTERFACES)))
      replaceRange(richEdit, object.cp, object.cp + 1, " ");
  }
  ole->Release();
}

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
  // The control gets the object groups alone: laying out a whole note only to draw its pictures
  // is slow, and some notes (nested tables of some word processors) end Wine's control and the
  // host with it. Only when the control reads a different number of objects from them does it
  // get the whole text, whose own RTF then keeps the pictures.
  loadRichText(richEdit, objectGroupsOnly(text, groups));
  const bool groupsAreObjects = groups.size() == static_cast<size_t>(objectCount(richEdit));
  if (!groupsAreObjects) loadRichText(richEdit, text);
  const size_t first = pictures.size();
  const std::vector<RenderedObject> objects = renderObjects(
      richEdit, host::optionColour(kOptionRenderColour), [&](const RenderedObject&, HBITMAP bitmap) {
        const std::string name = pictureFileName(counter++);
        saveBitmapFile(bitmap, workFolder + "\\" + name);
        pictures.emplace_back(name, makePlaceholder());
      });
  const PicturesFound found{groups.size(), objects.size()};
  if (objects.empty()) return found;

  // The control's RTF would lose what it does not keep (Wine's drops field results, no rich edit
  // keeps bookmarks), so the placeholders go into the node's own text, the k-th object of the
  // control into the k-th object group of the text.
  if (groupsAreObjects || groups.size() == static_cast<size_t>(objectCount(richEdit))) {
    std::vector<std::string> marks(groups.size());
    for (size_t k = 0; k < objects.size(); ++k) {
      if (objects[k].index >= 0 && static_cast<size_t>(objects[k].index) < marks.size())
        marks[objects[k].index] = pictures[first + k].second;
    }
    text = markObjectGroups(text, groups, marks);
    return found;
  }
  // The groups are not the control's objects: a picture form this control did not load (Wine's
  // drops PNG pictures) or an object the scan does not know. Only the control knows where its
  // objects stand then; its own RTF keeps the pictures, at the cost of what it does not keep.
  // From the last object to the first, so that each insertion leaves the earlier positions be.
  for (size_t k = 0; k < objects.size(); ++k)
    replaceRange(richEdit, objects[k].position, objects[k].position, pictures[first + k].second);
  blankObjects(richEdit);
  // A control that writes nothing back must not cost the note its text.
  std::string prepared = rtfWithoutObjects(richEdit);
  if (!prepared.empty()) text.swap(prepared);
  return found;
}

}  // namespace t2c
