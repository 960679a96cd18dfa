// libFuzzer target: any bytes, in any output code page, must convert without a fault and give a
// document that ends properly and stays within a linear bound of the input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "irun.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const int kCodePages[] = {1252, 65001, 932, 1251};
    irun::ConvertOptions options;
    options.outputCodePage = kCodePages[size % 4];
    std::string html = irun::rtfToHtml(std::string_view(reinterpret_cast<const char*>(data), size), options);
    static const std::string kEnd = "</BODY>\n</HTML>\n";
    if (html.size() < kEnd.size() || html.compare(html.size() - kEnd.size(), kEnd.size(), kEnd) != 0) std::abort();
    if (html.size() > 4096 + size * 200) std::abort();
    return 0;
}
