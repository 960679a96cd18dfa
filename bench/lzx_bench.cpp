// Prints the LZX compressor's speed and ratio on the files given, or on generated help pages.
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "chm/lzx_compressor.h"

namespace {

// Help-like pages: headings, paragraphs of words from a small vocabulary, tables, links.
std::string generatedHtml(size_t size) {
  static const char* const kWords[] = {
      "the",    "garden", "journal", "tomato",  "soup",   "sowing", "calendar", "of",     "and",
      "water",  "seeds",  "in",      "spring",  "plant",  "rows",   "compost",  "harvest", "with",
      "leaves", "beds",   "weekly",  "notes",   "to",     "a",      "season",   "frost",   "light"};
  const size_t vocabulary = sizeof kWords / sizeof kWords[0];
  uint32_t seed = 12345;
  auto next = [&](uint32_t bound) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) % bound;
  };
  std::string out;
  for (int page = 0; out.size() < size; ++page) {
    out += "<html>\n<head>\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\n"
           "<title>Page " + std::to_string(page) + "</title>\n<link rel=\"stylesheet\" href=\"style.css\">\n"
           "</head>\n<body>\n<h1>" + kWords[next(vocabulary)] + " " + kWords[next(vocabulary)] + "</h1>\n";
    for (int paragraph = 0, count = 3 + next(8); paragraph < count; ++paragraph) {
      out += next(4) ? "<p class=\"body\">" : "<table border=\"1\"><tr><td>";
      for (int word = 0, words = 20 + next(80); word < words; ++word) {
        out += kWords[next(vocabulary)];
        out += next(12) ? " " : ", ";
      }
      out += "<a href=\"file" + std::to_string(next(500)) + ".htm\">more</a></p>\n";
    }
    out += "</body>\n</html>\n";
  }
  out.resize(size);
  return out;
}

void measure(const std::string& name, const std::string& data) {
  for (auto mode : {chm::LzxCompressor::Mode::Compress, chm::LzxCompressor::Mode::StoreOnly}) {
    chm::MemorySink sink;
    const std::clock_t cpu = std::clock();
    const auto wall = std::chrono::steady_clock::now();
    chm::LzxCompressor lzx(sink, mode);
    for (size_t at = 0; at < data.size(); at += 65536)
      lzx.write(data.data() + at, std::min<size_t>(65536, data.size() - at));
    lzx.finish();
    const double cpuSeconds = double(std::clock() - cpu) / CLOCKS_PER_SEC;
    const double wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall).count();
    std::printf("%-28s %-9s %10zu -> %10zu bytes  ratio %6.2f %%  %7.1f MB/s cpu  %7.1f MB/s wall\n",
                name.c_str(), mode == chm::LzxCompressor::Mode::Compress ? "compress" : "store",
                data.size(), sink.bytes.size(), 100.0 * sink.bytes.size() / std::max<size_t>(data.size(), 1),
                data.size() / 1e6 / std::max(cpuSeconds, 1e-9), data.size() / 1e6 / std::max(wallSeconds, 1e-9));
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::printf("usage: lzx_bench [FILE...]; without files: 20 MB of generated help pages\n");
    measure("generated HTML", generatedHtml(20u << 20));
    return 0;
  }
  std::string all;
  for (int i = 1; i < argc; ++i) {
    std::ifstream in(argv[i], std::ios::binary);
    if (!in) {
      std::fprintf(stderr, "cannot read %s\n", argv[i]);
      return 1;
    }
    all.append(std::istreambuf_iterator<char>(in), {});
  }
  measure(argc == 2 ? argv[1] : std::to_string(argc - 1) + " files, concatenated", all);
  return 0;
}
