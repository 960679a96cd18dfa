// Every node's article in the work folder: copied, converted from RTF, or an RTF file with a linking page.
#pragma once

#include <string>

#include "project/export_job.h"

namespace t2c {

// The visitor of the writing walk; `run` is the ExportRun. True continues the walk, false ends it.
bool writeNodeArticle(TreeItem* item, void* run);

// Writes one article file for kinds 0 to 3 and kinds the plug-in does not know; true when the
// file could be written.
bool writeArticle(const std::string& workFolder, const std::string& fileName, const ExportNode& node,
                  const ExportRun& run);

// Converts `text` into a finished page in place, logging the attempt and a slow one's duration.
// On failure text is left as it was.
bool convertArticle(std::string& text, const ExportRun& run, const std::string& header);

// Writes the node's RTF as "rtf<id>.rtf" and the page that links to it; false when either
// cannot be written.
bool writeRtfLinkArticle(ExportRun& run, const ExportNode& node);

// Writes the linking page alone, made from the run's template.
bool writeRtfLinkPage(ExportRun& run, const ExportNode& node, const std::string& rtfFileName);

// The template with every "%RTF_FILE%" replaced by the file name, then every "%RTF_HEADER%" by
// the header; inserted texts are not searched again.
std::string fillRtfLinkTemplate(const std::string& pageTemplate, const std::string& rtfFileName,
                                const std::string& header);

}  // namespace t2c
