// Article file names: numbered in walk order, the extension chosen by node kind and options.
#pragma once

#include <cstdint>
#include <string>

#include "project/export_job.h"

namespace t2c {

// The extension of a node's article, without the dot; empty for kinds the plug-in does not know.
std::string articleExtension(const ExportNode& node, const ExportRun& run);

// Names every node that becomes an article "file%d.%s"; skipped nodes keep their old names.
void assignArticleNames(ExportRun& run);

// The RTF file beside a linking page, named after the node's id.
std::string rtfCompanionName(int32_t nodeId);

}  // namespace t2c
