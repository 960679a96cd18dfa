// libFuzzer target: the passes that finish a converted page, the link-text tidying and the
// picture hook, over any page in any code page. They must end, and grow a page by a bounded
// factor only.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "convert/html_passes.h"
#include "pictures/picture_table.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const uint32_t kCodePages[] = {1252, 1250, 932, 936, 949, 950, 874, 1200, 65001, 0, 10000};
  fuzz::Input input(data, size);
  const uint32_t codePage = kCodePages[input.Below(sizeof kCodePages / sizeof kCodePages[0])];
  const std::string placeholder = input.Text(40);
  std::string page = input.Rest();
  const size_t original = page.size();

  t2c::finishConvertedPage(page, codePage);
  t2c::tidyLinkTexts(page);
  t2c::ExportNode node;
  t2c::PictureTable table;
  table.Register({"Picture_0.bmp", placeholder});
  t2c::substitutePictures(page, &table);
  // Each byte may become a link with its address twice, or a picture element; nothing more.
  if (page.size() > 1024 + 64 * original) std::abort();
  return 0;
}
