// The picture preparation in a hidden rich-text control: load, save and mark the objects, write back.
#include <windows.h>
#include <richedit.h>
#include <richole.h>

#include <algorithm>
#include <cstring>

#include "convert/pictures_win.h"
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

void preparePictures(const NodeTree& tree, HWND richEdit, const std::string& workFolder,
                     std::vector<std::string>& pictureFiles, PictureTable& pictureTable) {
  const PictureExtractor extract = [&](std::string& text, std::vector<PictureEntry>& pictures,
                                       int32_t& counter) {
    extractPictures(text, pictures, richEdit, counter, workFolder);
  };
  collectPictures(tree, extract, pictureFiles, pictureTable);
}

void extractPictures(std::string& text, std::vector<PictureEntry>& pictures, HWND richEdit,
                     int32_t& counter, const std::string& workFolder) {
  if (text.empty()) return;
  loadRichText(richEdit, text);
  const std::vector<RenderedObject> objects =
      renderObjects(richEdit, host::optionColour(kOptionRenderColour));
  if (objects.empty()) return;
  // From the last object to the first, so that each insertion leaves the earlier positions be.
  for (const RenderedObject& object : objects) {
    const std::string name = pictureFileName(counter++);
    saveBitmapFile(object.bitmap.get(), workFolder + "\\" + name);
    const std::string placeholder = makePlaceholder();
    replaceRange(richEdit, object.position, object.position, placeholder);
    pictures.emplace_back(name, placeholder);
  }
  blankObjects(richEdit);
  // A control that writes nothing back must not cost the note its text.
  std::string prepared = rtfWithoutObjects(richEdit);
  if (!prepared.empty()) text.swap(prepared);
}

}  // namespace t2c
