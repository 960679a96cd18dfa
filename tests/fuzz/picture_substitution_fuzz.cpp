// libFuzzer target: the picture hook over pages holding placeholders (in the form the picture
// step makes them) among any bytes, against the plainest reading: each placeholder, in table
// order, replaced wherever it stands.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "pictures/picture_table.h"
#include "fuzz_input.h"

namespace {

std::string placeholderFrom(fuzz::Input& input) {
  static const char kHex[] = "0123456789abcdef";
  std::string text = "00000000-0000-0000-0000-000000000000";
  // Few distinct digits, so that placeholders share long prefixes.
  for (char& c : text)
    if (c == '0') c = kHex[input.Below(3)];
  return text;
}

std::string plainSubstitution(std::string page, const std::vector<t2c::PictureEntry>& entries) {
  for (const t2c::PictureEntry& entry : entries) {
    if (entry.second.empty()) continue;
    std::string out;
    size_t done = 0;
    for (size_t at = page.find(entry.second); at != std::string::npos; at = page.find(entry.second, done)) {
      out.append(page, done, at - done);
      out += t2c::imageElement(entry.first);
      done = at + entry.second.size();
    }
    out.append(page, done, std::string::npos);
    page.swap(out);
  }
  return page;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Input input(data, size);
  t2c::PictureTable table;
  const uint32_t pictures = input.Below(12);
  for (uint32_t k = 0; k < pictures; ++k)
    table.Register({t2c::pictureFileName(static_cast<int32_t>(k)), input.Below(8) ? placeholderFrom(input) : ""});
  std::string page;
  for (uint32_t pieces = input.Below(40); pieces > 0; --pieces) {
    page += input.Text(16);
    if (pictures > 0) {
      const std::string& placeholder = table.Entries()[input.Below(pictures)].second;
      // Sometimes only part of one, as a cut or garbled page may hold.
      page += input.Flag() ? placeholder : placeholder.substr(0, input.Below(37));
    }
  }
  page += input.Rest();
  const std::string expected = plainSubstitution(page, table.Entries());
  t2c::substitutePictures(page, &table);
  if (page != expected) std::abort();
  return 0;
}
