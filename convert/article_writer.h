// Every node's article in the work folder: copied, converted from RTF, or an RTF file with a linking page.
#pragma once

#include <string>

#include "project/export_job.h"
#include "project/file_system.h"

namespace t2c {

// What the writing walk asks of the platform: the converter library and the host's rendering.
class ArticleConversions {
 public:
  virtual ~ArticleConversions() = default;
  // Converts RTF into a finished page in place; on failure the text stays as it was.
  virtual bool RtfToPage(std::string& text, const ExportRun& run) = 0;
  // The host's rendering of a plain text as RTF; the text itself where the host has none.
  virtual std::string PlainTextAsRtf(const std::string& text) = 0;
};

// The visitor of the writing walk; `run` is the ExportRun. True continues the walk, false ends
// it: after a linking page's RTF file or page that cannot be created, or a write error on an
// open file, which also sets the run's writeFailed and so ends the build.
bool writeNodeArticle(TreeItem* item, void* run);

// Writes one article file for a node of any kind but a container, kinds the plug-in does not know
// included.
WriteResult writeArticle(const std::string& workFolder, const std::string& fileName, const ExportNode& node,
                         const ExportRun& run);

// Converts `text` into a finished page in place, logging the attempt and a slow one's duration.
// On failure text is left as it was.
bool convertArticle(std::string& text, const ExportRun& run, const std::string& header);

// Writes the node's RTF as "rtf<id>.rtf" and the page that links to it, listing each file
// written; stops at the first that is not written.
WriteResult writeRtfLinkArticle(ExportRun& run, const ExportNode& node);

// Writes the linking page alone, made from the run's template, and lists it when written.
WriteResult writeRtfLinkPage(ExportRun& run, const ExportNode& node, const std::string& rtfFileName);

// The template with every "%RTF_FILE%" replaced by the file name, then every "%RTF_HEADER%" by
// the header; inserted texts are not searched again.
std::string fillRtfLinkTemplate(const std::string& pageTemplate, const std::string& rtfFileName,
                                const std::string& header);

}  // namespace t2c
