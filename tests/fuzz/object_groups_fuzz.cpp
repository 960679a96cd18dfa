// libFuzzer target: the object-group scanner and its two rewrites. The groups must be whole
// groups in order, the document of the groups alone must hold exactly those objects, a picture
// pair's fallback alone is no more than a part of its group, and marking must put one mark in
// place of each group and keep every other byte.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "pictures/rtf_object_groups.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view rtf(reinterpret_cast<const char*>(data), size);
  const std::vector<t2c::ObjectGroup> groups = t2c::findObjectGroups(rtf);
  size_t previousEnd = 0;
  for (const t2c::ObjectGroup& group : groups) {
    if (group.begin < previousEnd || group.end <= group.begin || group.end > size) std::abort();
    if (rtf[group.begin] != '{' || rtf[group.end - 1] != '}') std::abort();
    previousEnd = group.end;
  }

  const std::string alone = t2c::objectGroupsOnly(rtf, groups);
  if (t2c::findObjectGroups(alone).size() != groups.size()) std::abort();
  for (const t2c::ObjectGroup& group : groups) {
    const std::string fallback = t2c::shapeFallbackOnly(rtf, group);
    if (fallback.size() > group.end - group.begin + 25) std::abort();  // a part of the group, in a document
  }

  std::vector<std::string> marks;
  size_t expected = size;
  for (size_t k = 0; k < groups.size(); ++k) {
    marks.push_back(k % 3 == 2 ? std::string() : "{MARK-" + std::to_string(k) + "}");
    expected += marks.back().size() + 3 - (groups[k].end - groups[k].begin);
  }
  const std::string marked = t2c::markObjectGroups(rtf, groups, marks);
  if (marked.size() != expected) std::abort();
  if (marked.compare(0, groups.empty() ? size : groups.front().begin, rtf, 0,
                     groups.empty() ? size : groups.front().begin) != 0)
    std::abort();
  return 0;
}
