// The writing walk's decision for every node kind, RTF mode and plain-text option.
#include <gtest/gtest.h>

#include <string>

#include "convert/article_plan.h"

namespace t2c {
namespace {

// One letter per RTF mode 0 to 3, each with the plain-text option off and on: N nothing,
// L RTF file and linking page, or the article's text: A as is, T tidied RTF, C converted RTF,
// P converted plain text.
std::string row(int32_t kind, bool excluded = false) {
  ExportNode node;
  node.kind = kind;
  node.excluded = excluded;
  std::string letters;
  for (int32_t mode = kRtfToHtml; mode <= kRtfLinkPage; ++mode) {
    for (bool plain : {false, true}) {
      switch (nodeArticle(node, mode)) {
        case NodeArticle::kNone: letters += 'N'; break;
        case NodeArticle::kRtfWithLinkPage: letters += 'L'; break;
        case NodeArticle::kArticle: letters += "ATCP"[static_cast<int>(articleText(kind, mode, plain))]; break;
      }
    }
  }
  return letters;
}

TEST(ArticlePlanTest, KindsAndModes) {
  EXPECT_EQ(row(kPlainText), "APAPAPAP");
  EXPECT_EQ(row(kWebArchive), "AAAAAAAA");
  EXPECT_EQ(row(kRichText), "CCTTNNLL");
  EXPECT_EQ(row(kHtml), "AAAAAAAA");
  for (int32_t container : {4, 5, 6}) EXPECT_EQ(row(container), "NNNNNNNN") << container;
  for (int32_t unknown : {-1, 7, 1000}) EXPECT_EQ(row(unknown), "AAAAAAAA") << unknown;
  EXPECT_EQ(row(kRichText, true), "NNNNNNNN");
  EXPECT_EQ(row(kPlainText, true), "NNNNNNNN");
}

}  // namespace
}  // namespace t2c
