// The article writer's table of node kinds and RTF modes.
#include "convert/article_plan.h"

namespace t2c {

NodeArticle nodeArticle(const ExportNode& node, int32_t convertHtml) {
  if (node.excluded || isContainer(node)) return NodeArticle::kNone;
  if (node.kind == kRichText) {
    if (convertHtml == kRtfLinkPage) return NodeArticle::kRtfWithLinkPage;
    if (convertHtml == kRtfSkip) return NodeArticle::kNone;
  }
  return NodeArticle::kArticle;
}

// Kinds the plug-in does not know are copied like the kinds it does not convert.
ArticleText articleText(int32_t kind, int32_t convertHtml, bool plainTextAsHtml) {
  if (kind == kRichText) {
    return convertHtml == kRtfToHtml ? ArticleText::kConvertedRtf : ArticleText::kTidiedRtf;
  }
  if (kind == kPlainText && plainTextAsHtml) return ArticleText::kConvertedPlainText;
  return ArticleText::kAsIs;
}

}  // namespace t2c
