// Puts the pictures into a page whose pictures and length grow with the scale, for instruction_growth.py.
// picture_growth_driver page SCALE; exits non-zero when a picture is missing from the page.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "pictures/picture_table.h"

namespace {

size_t countOf(const std::string& text, const std::string& what) {
  size_t count = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++count;
  return count;
}

// A placeholder in the form the picture step makes, different for every number.
std::string placeholder(uint32_t number) {
  static const char kHex[] = "0123456789abcdef";
  std::string text = "00000000-0000-0000-0000-000000000000";
  uint64_t state = number * 0x9E3779B97F4A7C15ull + 1;
  for (char& c : text) {
    if (c == '-') continue;
    state ^= state >> 29;
    state *= 0xBF58476D1CE4E5B9ull;
    c = kHex[(state >> 60) & 15];
  }
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 || std::string(argv[1]) != "page") {
    std::fprintf(stderr, "usage: picture_growth_driver page SCALE\n");
    return 2;
  }
  // About 50 bytes of page per picture: 5,000 pictures make a page of some 250 KB.
  const uint32_t pictures = 1000 * static_cast<uint32_t>(std::atoi(argv[2]));
  t2c::PictureTable table;
  std::string page;
  for (uint32_t k = 0; k < pictures; ++k) {
    table.Register({t2c::pictureFileName(static_cast<int32_t>(k)), placeholder(k)});
    page += "<P>" + std::to_string(k) + " ";
    page += placeholder(pictures - 1 - k);
    page += "</P>\n";
  }
  t2c::substitutePictures(page, &table);
  return countOf(page, "<IMG SRC='Picture_") == pictures && countOf(page, "-") == 0 ? 0 : 1;
}
