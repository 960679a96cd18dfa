// `/$OBJINST`: the stored state of the viewer's search objects, and the language facts it needs.
#pragma once

#include <cstdint>
#include <string>

namespace chm {

bool isDoubleByteCodePage(uint32_t codePage);

// The two search objects: the word breaker with its character table for the language's code page,
// and the stemmer's settings.
std::string buildObjectInstanceFile(uint32_t lcid);

}  // namespace chm
