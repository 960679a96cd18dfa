// The viewer's settings files: `/#SYSTEM`, `/#IDXHDR` (also inside #SYSTEM) and `/#WINDOWS`.
#pragma once

#include <cstdint>
#include <string>

#include "chm/chm_writer.h"
#include "chm/topic_files.h"

namespace chm {

constexpr const char* kCompilerName = "Tessaly2CHM HHC";
constexpr const char* kWindowName = "main";

// What the settings files say beyond the project's own options.
struct SystemFacts {
  uint32_t topicCount = 0;
  bool hasWindow = false;   // a #WINDOWS entry named kWindowName exists
  bool searchable = false;  // a full-text index is in the file
};

// FILETIME (100 ns since 1601) of a Unix time.
uint64_t fileTimeOf(int64_t unixTime);

std::string buildIndexHeader(const SystemFacts& facts);
std::string buildSystemFile(const HelpFileInfo& info, const SystemFacts& facts,
                            const std::string& indexHeader);
// One tri-pane window showing the title, contents, index and default topic.
std::string buildWindowsFile(const HelpFileInfo& info, const SystemFacts& facts, StringPool& strings);

// The path as the viewer's settings name it: no leading '/'.
std::string settingsPath(const std::string& name);

}  // namespace chm
