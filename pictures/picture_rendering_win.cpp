// Embedded objects drawn into bitmaps, bitmaps saved as BMP files, and the placeholder texts.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <richedit.h>
#include <richole.h>
#include <rpc.h>

#include <algorithm>

#include "pictures/pictures_win.h"
#include "plugin/ansi_text_win.h"
#include "project/file_output_win.h"

namespace t2c {
namespace {

// Each object with its drawing interface and its size.
constexpr DWORD kObjectDescription = REO_GETOBJ_POLEOBJ | REO_GETMETAFILE;
static_assert(sizeof(void*) != 4 || sizeof(REOBJECT) == 56, "REOBJECT layout");
static_assert(sizeof(void*) != 4 || sizeof(PICTDESC) == 20, "PICTDESC layout");

constexpr int kHimetricPerInch = 2540;

template <class Interface>
struct Held {
  Interface* p = nullptr;
  ~Held() {
    if (p) p->Release();
  }
  Interface* operator->() const { return p; }
};

// The display's context, a memory context like it and the background brush, for one pass.
struct DrawingTools {
  explicit DrawingTools(HWND window, COLORREF colour)
      : window(window),
        screen(GetDC(window)),
        memory(CreateCompatibleDC(screen)),
        brush(CreateSolidBrush(colour)) {}
  ~DrawingTools() {
    DeleteObject(brush);
    DeleteDC(memory);
    ReleaseDC(window, screen);
  }
  DrawingTools(const DrawingTools&) = delete;
  DrawingTools& operator=(const DrawingTools&) = delete;

  HWND window;
  HDC screen;
  HDC memory;
  HBRUSH brush;
};

// The object's size in pixels, scaled down to kLongestDrawingSide on its longer side.
SIZE drawingSize(HDC memory, SIZEL size) {
  int64_t width = MulDiv(size.cx, GetDeviceCaps(memory, LOGPIXELSX), kHimetricPerInch);
  int64_t height = MulDiv(size.cy, GetDeviceCaps(memory, LOGPIXELSY), kHimetricPerInch);
  const int64_t longer = std::max(width, height);
  if (longer > kLongestDrawingSide) {
    width = std::max<int64_t>(1, width * kLongestDrawingSide / longer);
    height = std::max<int64_t>(1, height * kLongestDrawingSide / longer);
  }
  return {static_cast<LONG>(width), static_cast<LONG>(height)};
}

BitmapHandle drawObject(const DrawingTools& tools, IViewObject* view, SIZEL size) {
  const SIZE pixels = drawingSize(tools.memory, size);
  const int width = pixels.cx;
  const int height = pixels.cy;
  BitmapHandle bitmap(CreateCompatibleBitmap(tools.screen, width, height));
  if (!bitmap) return bitmap;
  HGDIOBJ previous = SelectObject(tools.memory, bitmap.get());
  RECT area = {0, 0, width, height};
  FillRect(tools.memory, &area, tools.brush);
  RECTL bounds = {0, 0, width, height};
  DVASPECTINFO aspect = {sizeof aspect, DVASPECTINFOFLAG_CANOPTIMIZE};
  // Whatever the object makes of it: one that cannot draw leaves the background.
  view->Draw(DVASPECT_CONTENT, -1, &aspect, nullptr, nullptr, tools.memory, &bounds, &bounds,
             nullptr, 0);
  SelectObject(tools.memory, previous);
  return bitmap;
}

// A BMP file of the bitmap at its own colour depth, for systems whose OleSavePictureFile
// writes nothing (Wine's).
bool writeBmpFile(HBITMAP bitmap, const std::string& path) {
  BITMAP shape;
  if (!GetObjectA(bitmap, sizeof shape, &shape) || shape.bmWidth <= 0 || shape.bmHeight <= 0) return false;
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
  } info = {};
  const WORD depth = static_cast<WORD>(shape.bmPlanes * shape.bmBitsPixel);
  info.header.biSize = sizeof info.header;
  info.header.biWidth = shape.bmWidth;
  info.header.biHeight = shape.bmHeight;
  info.header.biPlanes = 1;
  info.header.biBitCount = depth;
  info.header.biCompression = BI_RGB;
  const DWORD colours = depth <= 8 ? (DWORD(1) << depth) : 0;
  const uint64_t rowBytes = ((uint64_t(shape.bmWidth) * depth + 31) / 32) * 4;
  const uint64_t wholeBytes = rowBytes * uint64_t(shape.bmHeight);
  // A BMP file counts its size in 32 bits; a larger bitmap is no file of this kind.
  if (depth == 0 || wholeBytes > 0x7FFFFFFF - 2048) return false;
  const DWORD pixelBytes = static_cast<DWORD>(wholeBytes);
  std::string pixels(pixelBytes, '\0');
  HDC screen = GetDC(nullptr);
  const int rows = GetDIBits(screen, bitmap, 0, shape.bmHeight, &pixels[0],
                             reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (rows != shape.bmHeight) return false;
  info.header.biClrUsed = colours;
  info.header.biSizeImage = pixelBytes;

  const DWORD headersSize = sizeof(BITMAPFILEHEADER) + sizeof info.header + colours * sizeof(RGBQUAD);
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;  // "BM"
  file.bfSize = headersSize + pixelBytes;
  file.bfOffBits = headersSize;
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(&info), sizeof info.header + colours * sizeof(RGBQUAD));
  bytes += pixels;
  return writeWholeFile(path, bytes);
}

}  // namespace

std::vector<RenderedObject> renderObjects(HWND richEdit, COLORREF colour, const RenderedObjectSink& sink) {
  std::vector<RenderedObject> rendered;
  Held<IRichEditOle> ole;
  if (!SendMessageA(richEdit, EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(&ole.p)) || !ole.p)
    return rendered;
  const LONG count = ole->GetObjectCount();
  if (count <= 0) return rendered;
  DrawingTools tools(richEdit, colour);
  for (LONG i = count - 1; i >= 0; --i) {
    REOBJECT object = {};
    object.cbStruct = sizeof object;
    const HRESULT described = ole->GetObject(i, &object, kObjectDescription);
    Held<IOleObject> oleObject{object.poleobj};
    if (FAILED(described) || !oleObject.p) continue;
    Held<IViewObject> view;
    if (FAILED(oleObject->QueryInterface(IID_IViewObject, reinterpret_cast<void**>(&view.p))) || !view.p)
      continue;
    const BitmapHandle bitmap = drawObject(tools, view.p, object.sizel);
    if (!bitmap) continue;
    rendered.push_back({i, object.cp});
    sink(rendered.back(), bitmap.get());
  }
  return rendered;
}

bool saveBitmapFile(HBITMAP bitmap, const std::string& path) {
  PICTDESC description = {};
  description.cbSizeofstruct = sizeof description;
  description.picType = PICTYPE_BITMAP;
  description.bmp.hbitmap = bitmap;
  description.bmp.hpal = nullptr;
  Held<IPictureDisp> picture;
  HRESULT saved = OleCreatePictureIndirect(&description, IID_IPictureDisp, FALSE,
                                           reinterpret_cast<void**>(&picture.p));
  if (SUCCEEDED(saved)) {
    BSTR file = ansiToBstr(path);
    saved = OleSavePictureFile(picture.p, file);
    SysFreeString(file);
  }
  return SUCCEEDED(saved) || writeBmpFile(bitmap, path);
}

std::string makePlaceholder() {
  UUID id = {};
  UuidCreate(&id);
  RPC_CSTR text = nullptr;
  if (UuidToStringA(&id, &text) != RPC_S_OK || !text) return std::string();
  std::string placeholder(reinterpret_cast<const char*>(text));
  RpcStringFreeA(&text);
  return placeholder;
}

}  // namespace t2c
