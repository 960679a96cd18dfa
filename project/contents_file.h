// The table of contents of the help file (content.hhc): an HTML sitemap nested along the node tree.
#pragma once

#include <string>

#include "project/export_job.h"

namespace t2c {

// The contents file's name inside the work folder.
constexpr char kContentsFileName[] = "content.hhc";

// One sitemap parameter element; neither argument is escaped.
std::string sitemapParam(const std::string& name, const std::string& value);

// A label or file name as the value of a sitemap parameter: an HTML attribute value that cannot
// end early or run onto another line. Double quotes become apostrophes, control characters
// blanks, and "&", "<" and ">" their character references.
std::string sitemapLabel(const std::string& text);

// Walks the run's tree from its root and appends one entry per listed node to
// `run.contentsItems`, opening and closing nested lists through `run.openLists`.
void collectContentsItems(ExportRun& run);

// The whole text of the contents file for the entries collected so far, with "\n" line ends
// (the file receives them as CR LF) and no line end after the last piece.
std::string contentsFileText(const ExportRun& run);

}  // namespace t2c
