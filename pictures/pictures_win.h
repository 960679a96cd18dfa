// Pictures and other embedded objects of RTF node texts, drawn into bitmap files of the work folder.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "pictures/picture_table.h"

namespace t2c {

struct BitmapDeleter {
  void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};
using BitmapHandle = std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter>;

// One drawn object: its index among the control's objects and its character position.
struct RenderedObject {
  LONG index;
  LONG position;
};

// Takes one drawn object and its bitmap, which lives only for the call.
using RenderedObjectSink = std::function<void(const RenderedObject&, HBITMAP)>;

// Drawings are scaled down to this many pixels on their longer side: a picture that declares an
// enormous size must not ask for gigabytes of bitmap.
constexpr int kLongestDrawingSide = 4096;

// The picture preparation of a build, run after the work folder is made and before runExport,
// when pictures are wanted and RTF becomes HTML. `richEdit` is a hidden rich-text control that
// carries a RichEditCallback; it is given only the object groups of each note. Every RTF node
// not excluded gets its pictures extracted afresh from its text into "Picture_N.bmp" files of
// `workFolder` (N from 0 on); their names go to `pictureFiles`, their pairs to the table
// and to the node. Then give the job substitutePictures as htmlHook and &pictureTable as
// htmlHookContext, and keep the table until the build has ended: its end gives the nodes their
// texts as the host sent them back. Returns the log lines of notes whose objects were not all
// drawn.
std::vector<std::string> preparePictures(const NodeTree& tree, HWND richEdit, const std::string& workFolder,
                                         std::vector<std::string>& pictureFiles, PictureTable& pictureTable);

// One node: loads the object groups of `text`, without any table structure, into the control
// (each group alone when the control reads another number of objects from them all, and the
// fallback of a picture pair whose first picture it cannot load), saves each drawn object as the
// next numbered bitmap file, from the last in the text to the first, makes a placeholder for it
// and appends (file name, placeholder) to `pictures`. When any object was drawn, every object of
// `text` becomes a single blank with its placeholder, if it has one, right before it, and the
// rest of the text stays byte for byte; otherwise `text` and `pictures` stay as they were.
// Returns how many objects the text holds and how many were drawn.
PicturesFound extractPictures(std::string& text, std::vector<PictureEntry>& pictures, HWND richEdit,
                              int32_t& counter, const std::string& workFolder);

// Draws every embedded object of the control on `colour` into a bitmap of its size in pixels
// (at most kLongestDrawingSide on the longer side), from the last object to the first, and hands
// each to `sink` before drawing the next, so that a note of many pictures holds one bitmap at a
// time. Objects that cannot be described or drawn are left out; returns the objects drawn.
std::vector<RenderedObject> renderObjects(HWND richEdit, COLORREF colour, const RenderedObjectSink& sink);

// Replaces the control's whole content by the RTF text, objects included; for texts longer
// than 8191 bytes the control's text limit is first raised to eight times their length.
void loadRichText(HWND richEdit, const std::string& text);

// Writes the bitmap as a Windows BMP file; true when the file was written.
bool saveBitmapFile(HBITMAP bitmap, const std::string& path);

// A fresh UUID in its 36-character text form, lower-case, without braces.
std::string makePlaceholder();

}  // namespace t2c
