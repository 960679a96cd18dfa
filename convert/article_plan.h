// What the writing walk makes of a node, decided from its kind and the build's options alone.
#pragma once

#include <cstdint>

#include "project/export_job.h"

namespace t2c {

// The files a node yields.
enum class NodeArticle {
  kNone,             // excluded, a container, or RTF that the build skips
  kRtfWithLinkPage,  // the RTF as "rtf<id>.rtf" and a page under the node's name linking to it
  kArticle,          // one article file under the node's name
};

// What goes into an article file.
enum class ArticleText {
  kAsIs,                // the node's text unchanged
  kTidiedRtf,           // the RTF as it is, its link texts tidied
  kConvertedRtf,        // the RTF converted to a page, its link texts then tidied
  kConvertedPlainText,  // the plain text rendered as RTF by the host, then converted
};

NodeArticle nodeArticle(const ExportNode& node, int32_t convertHtml);

ArticleText articleText(int32_t kind, int32_t convertHtml, bool plainTextAsHtml);

}  // namespace t2c
