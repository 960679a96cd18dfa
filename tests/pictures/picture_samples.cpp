// RTF picture groups made from real bitmaps and metafiles.
#include "picture_samples.h"

#include <cstdio>
#include <vector>

namespace t2c {
namespace {

std::string hex(const void* data, size_t size) {
  std::string text;
  const auto* bytes = static_cast<const unsigned char*>(data);
  char pair[3];
  for (size_t i = 0; i < size; ++i) {
    std::snprintf(pair, sizeof pair, "%02x", bytes[i]);
    text += pair;
    if (i % 64 == 63) text += "\r\n";
  }
  return text;
}

std::string pictGroup(const std::string& form, int width, int height, int widthTwips, int heightTwips,
                      const std::string& data) {
  return "{\\pict\\" + form + "\\picw" + std::to_string(width) + "\\pich" + std::to_string(height) +
         "\\picwgoal" + std::to_string(widthTwips) + "\\pichgoal" + std::to_string(heightTwips) + " " +
         data + "}";
}

int twipsToHimetric(int twips) { return MulDiv(twips, 2540, 1440); }

}  // namespace

std::string dibPicture(COLORREF colour, int widthTwips, int heightTwips) {
  BITMAPINFOHEADER header = {sizeof header, 4, 2, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::string dib(reinterpret_cast<const char*>(&header), sizeof header);
  const char pixel[4] = {static_cast<char>(GetBValue(colour)), static_cast<char>(GetGValue(colour)),
                         static_cast<char>(GetRValue(colour)), 0};
  // One pixel more than the picture holds: Wine's reader takes the pixels four bytes late.
  for (int i = 0; i < 4 * 2 + 1; ++i) dib.append(pixel, sizeof pixel);
  return pictGroup("dibitmap0", 4, 2, widthTwips, heightTwips, hex(dib.data(), dib.size()));
}

std::string emfLeftHalfPicture(int widthTwips, int heightTwips) {
  const RECT frame = {0, 0, twipsToHimetric(widthTwips), twipsToHimetric(heightTwips)};
  HDC recorder = CreateEnhMetaFileA(nullptr, nullptr, &frame, nullptr);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  const RECT left = {0, 0, widthTwips / 15 / 2, heightTwips / 15};
  FillRect(recorder, &left, red);
  DeleteObject(red);
  HENHMETAFILE metafile = CloseEnhMetaFile(recorder);
  std::vector<BYTE> bits(GetEnhMetaFileBits(metafile, 0, nullptr));
  GetEnhMetaFileBits(metafile, static_cast<UINT>(bits.size()), bits.data());
  DeleteEnhMetaFile(metafile);
  return pictGroup("emfblip", frame.right, frame.bottom, widthTwips, heightTwips, hex(bits.data(), bits.size()));
}

std::string pngPicture() {
  // 4 x 2 pixels, red above blue.
  return pictGroup("pngblip", 4, 2, 600, 300,
                   "89504e470d0a1a0a0000000d4948445200000004000000020802000000f0caea340000001149444154"
                   "789c63f8cfc000470c48ecff0067b207f92638e38f0000000049454e44ae426082");
}

}  // namespace t2c
