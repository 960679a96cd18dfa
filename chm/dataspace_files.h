// The storage files that tell readers how the compressed section is stored (all in section 0).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace chm {

constexpr const char* kNameListName = "::DataSpace/NameList";
constexpr const char* kContentName = "::DataSpace/Storage/MSCompressed/Content";
constexpr const char* kControlDataName = "::DataSpace/Storage/MSCompressed/ControlData";
constexpr const char* kSpanInfoName = "::DataSpace/Storage/MSCompressed/SpanInfo";
constexpr const char* kTransformListName = "::DataSpace/Storage/MSCompressed/Transform/List";
constexpr const char* kInstanceDataName =
    "::DataSpace/Storage/MSCompressed/Transform/{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/InstanceData/";
constexpr const char* kResetTableName =
    "::DataSpace/Storage/MSCompressed/Transform/{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/InstanceData/ResetTable";

std::string nameListFile();     // the two sections' names
std::string controlDataFile();  // LZX, a reset every two frames, a window of two frames
std::string transformListFile();
std::string spanInfoFile(uint64_t uncompressedLength);
// `frameOffsets`: where each frame starts in the compressed stream, then the stream's length.
std::string resetTableFile(const std::vector<uint64_t>& frameOffsets, uint64_t uncompressedLength,
                           uint64_t compressedLength);

}  // namespace chm
