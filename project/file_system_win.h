// The build's file access on the Windows file API.
#pragma once

#include "project/file_system.h"

namespace t2c {

// The one instance the product builds through; it keeps no state.
FileSystem& windowsFileSystem();

}  // namespace t2c
