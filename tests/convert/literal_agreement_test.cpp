// The one-scan passes must give exactly what the step-by-step rules give, on many generated pages.
#include <gtest/gtest.h>

#include <cstddef>
#include <random>
#include <string>
#include <vector>

#include "convert/html_passes.h"
#include "literal_passes.h"

namespace t2c {
namespace {

constexpr int kPagesPerPass = 3000;

// Pages glued from pieces that meet the markers of a pass in every order and overlap.
class PageMaker {
 public:
  PageMaker(std::vector<std::string> pieces, unsigned seed) : pieces_(std::move(pieces)), random_(seed) {}

  std::string next() {
    std::string page;
    const std::size_t count = std::uniform_int_distribution<std::size_t>(0, 40)(random_);
    std::uniform_int_distribution<std::size_t> pick(0, pieces_.size() - 1);
    for (std::size_t n = 0; n < count; ++n) page += pieces_[pick(random_)];
    return page;
  }

 private:
  std::vector<std::string> pieces_;
  std::mt19937 random_;
};

TEST(LiteralAgreementTest, LinkWebAddresses) {
  PageMaker maker({"http://", "http://a.org", "x", "&lt;", "&gt;;", " ", "\t", "\r\n", "\"", "<BR>",
                   "</head>", "\xE9", ">", "<", "&l", "t;", std::string(390, 'w'), "<A HREF=\"",
                   "<a\thref=", "<A>", "<ABBR>", "</A>", "</a>", "</", "A", "<IMG SRC=\"",
                   "&lt;a href=\"", "&lt;/a&gt;;", "&lt;b", "&lt;/", "&lt;!", "&lt; ", "&gt;", "=",
                   "bookmark&lt;", "bookmark", "a", "'"},
                  17);
  for (int n = 0; n < kPagesPerPass; ++n) {
    const std::string page = maker.next();
    std::string fast = page;
    std::string literal = page;
    linkWebAddresses(fast);
    literal::linkWebAddresses(literal);
    ASSERT_EQ(fast, literal) << "page: " << page;
  }
}

TEST(LiteralAgreementTest, InsertBookmarkAnchors) {
  PageMaker maker({"bookmark&lt;", "&gt;", "x", " ", "\"", ">", "bookmark", "&lt;", "&gt", ";", "&"},
                  23);
  for (int n = 0; n < kPagesPerPass; ++n) {
    const std::string page = maker.next();
    std::string fast = page;
    std::string literal = page;
    insertBookmarkAnchors(fast);
    literal::insertBookmarkAnchors(literal);
    ASSERT_EQ(fast, literal) << "page: " << page;
  }
}

TEST(LiteralAgreementTest, TidyLinkTexts) {
  PageMaker maker({"<A HREF=\"", "<a href=\"", "<A TARGET=_blank HREF=\"", "u\"", ">", "</A>", "</a>",
                   "<\t", "<", "\t", "&gt;", "&g", "t;", " ", "\r", "\n", "Text"},
                  31);
  for (int n = 0; n < kPagesPerPass; ++n) {
    const std::string page = maker.next();
    std::string fast = page;
    std::string literal = page;
    tidyLinkTexts(fast);
    literal::tidyLinkTexts(literal);
    ASSERT_EQ(fast, literal) << "page: " << page;
  }
}

}  // namespace
}  // namespace t2c
