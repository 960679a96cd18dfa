// Times each page pass on a large generated page, and the step-by-step passes on smaller ones.
#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "convert/html_passes.h"
#include "literal_passes.h"

namespace {

using Pass = std::function<void(std::string&)>;

// One unit: 5 converter hyperlinks with untidy texts, 5 bare addresses, one bookmark marker,
// escaped markup and plain text; 2,000 units make a page of about 5 MB with 20,000 links.
constexpr std::size_t kFullUnits = 2000;
constexpr std::size_t kUnitBytes = 5u * 1024u * 1024u / kFullUnits;

std::string makeUnit(std::size_t n) {
  const std::string id = std::to_string(n);
  std::string unit = "<p>bookmark&lt;Section" + id + "&gt;Chapter " + id + "</p>\r\n";
  for (int k = 0; k < 5; ++k) {
    const std::string address = "http://site.example/" + id + "/" + std::to_string(k) + ".htm";
    unit += "See <A HREF=\"" + address + "\">\r\n  " + address + "\t</A> and " + address +
            "&lt;b&gt;;bold&lt;/b&gt;; or http://other.example/?q=" + id + "\r\n";
  }
  const std::string filler = "Plain words of a note, 1 &gt; 0, with nothing to rewrite in them. ";
  while (unit.size() + filler.size() < kUnitBytes) unit += filler;
  unit.append(kUnitBytes - unit.size(), ' ');
  return unit;
}

std::string makePage(std::size_t units) {
  std::string page =
      "<html>\r\n<head>\r\n<meta name=\"GENERATOR\" content=\"Msftedit 5.41.21.2510;\">\r\n"
      "<!-- Created by RtfToWeb 2.0 -->\r\n<title></title>\r\n</head>\r\n<body>\r\n";
  page.reserve(units * kUnitBytes + 256);
  for (std::size_t n = 0; n < units; ++n) page += makeUnit(n);
  page += "</body>\r\n</html>\r\n";
  return page;
}

// Best of several runs, each on a fresh copy; copying is not timed.
double bestMilliseconds(const std::string& page, const Pass& pass, int runs) {
  double best = 1e300;
  for (int r = 0; r < runs; ++r) {
    std::string copy = page;
    const auto start = std::chrono::steady_clock::now();
    pass(copy);
    const auto stop = std::chrono::steady_clock::now();
    best = std::min(best, std::chrono::duration<double, std::milli>(stop - start).count());
  }
  return best;
}

void report(const char* name, const std::string& page, const Pass& pass, int runs) {
  const double ms = bestMilliseconds(page, pass, runs);
  const double mbPerSecond = (page.size() / (1024.0 * 1024.0)) / (ms / 1000.0);
  std::printf("  %-26s %10.2f ms %10.1f MB/s\n", name, ms, mbPerSecond);
}

struct Compared {
  const char* name;
  Pass fast;
  Pass literal;
  bool onFinishedPage;
};

}  // namespace

int main() {
  using namespace t2c;
  const std::string page = makePage(kFullUnits);
  std::string finished = page;
  finishConvertedPage(finished, 1252);
  std::printf("Page: %.2f MB, 20000 links (10000 hyperlinks, 10000 bare addresses), "
              "2000 bookmark markers\n", page.size() / (1024.0 * 1024.0));
  std::printf("Each pass alone on that page (best of 5):\n");
  report("linkWebAddresses", page, linkWebAddresses, 5);
  report("insertBookmarkAnchors", page, insertBookmarkAnchors, 5);
  report("removeGeneratorVersion", page, removeGeneratorVersion, 5);
  report("replaceCreatorComment", page, replaceCreatorComment, 5);
  report("unescapeMarkup", page, unescapeMarkup, 5);
  report("insertCharsetDeclaration", page, [](std::string& p) { insertCharsetDeclaration(p, 1252); }, 5);
  report("all passes in order", page, [](std::string& p) { finishConvertedPage(p, 1252); }, 5);
  report("tidyLinkTexts (finished)", finished, tidyLinkTexts, 5);

  const std::vector<Compared> compared = {
      {"linkWebAddresses", linkWebAddresses, literal::linkWebAddresses, false},
      {"insertBookmarkAnchors", insertBookmarkAnchors, literal::insertBookmarkAnchors, false},
      {"tidyLinkTexts", tidyLinkTexts, literal::tidyLinkTexts, true},
  };
  std::printf("\nOne-scan passes against the step-by-step rules on smaller pages (best of 3):\n");
  std::printf("  %-22s %9s %7s %12s %12s\n", "pass", "page KB", "links", "one scan ms", "step ms");
  for (const std::size_t units : {50u, 100u, 200u}) {
    const std::string small = makePage(units);
    std::string smallFinished = small;
    finishConvertedPage(smallFinished, 1252);
    for (const Compared& c : compared) {
      const std::string& input = c.onFinishedPage ? smallFinished : small;
      std::string a = input;
      std::string b = input;
      c.fast(a);
      c.literal(b);
      std::printf("  %-22s %9zu %7zu %12.2f %12.2f%s\n", c.name, input.size() / 1024, units * 10,
                  bestMilliseconds(input, c.fast, 3), bestMilliseconds(input, c.literal, 3),
                  a == b ? "" : "  (RESULTS DIFFER)");
    }
  }
  return 0;
}
