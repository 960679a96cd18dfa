// The build's work folder under the temporary folder, and the small file-system queries a build needs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "project/tick_clock.h"

namespace t2c {

// The system's temporary folder, normally with a trailing backslash; empty when there is none.
std::string tempFolder();

// Sets the tick counter that numbers temporary names and returns the previous one; null restores
// the system's. Tests hold it still to know the names in advance.
TickSource setTempNameTicks(TickSource source);

// A name "abc" + hexadecimal tick value + ".tmp" in `folder` (the temporary folder when empty),
// followed by the extension with one period in front. No file is created and no uniqueness is
// checked. Empty when the platform forms no name.
std::string makeTempName(const std::string& folder, const std::string& extension);

// Creates a fresh work folder under the temporary folder and returns its path (ending in the
// period of an empty extension, which Windows drops on use); empty when none can be created.
// A name already taken on disk is never reused: the next number of the same form is tried.
std::string makeWorkFolder();

// Creates an empty file of a fresh temporary name (the form of makeTempName) in the temporary
// folder, taking the next number when a name is taken, so that nothing else can share it.
// Returns its path, or empty when none can be created.
std::string createTempFile(const std::string& extension);

// The same for several files of one number, one per extension, each created exclusively: the
// next number is taken when any of the names is taken. Returns their paths in the order of the
// extensions, or none.
std::vector<std::string> createTempFiles(const std::vector<std::string>& extensions);

// Deletes every file directly inside the folder, then the folder itself when that empties it;
// subfolders stay. False only for an empty path.
bool removeWorkFolder(const std::string& path);

// The "Plugins" folder beside the host's executable, without a trailing backslash.
std::string pluginsFolder();

// Makes a folder current for the life of the scope and restores the previous one however the
// scope ends.
class CurrentDirectoryScope {
 public:
  explicit CurrentDirectoryScope(const std::string& folder);
  ~CurrentDirectoryScope();
  CurrentDirectoryScope(const CurrentDirectoryScope&) = delete;
  CurrentDirectoryScope& operator=(const CurrentDirectoryScope&) = delete;

 private:
  std::string saved_;
};

// True for an existing file (or one the platform denies access to); false for folders and
// missing paths.
bool isExistingFile(const std::string& path);

// The low 32 bits of the size of the first entry matching the path; 0 when nothing matches.
uint32_t fileSize(const std::string& path);

// The size as the shell writes it ("532 bytes", "1.25 MB"); empty when shlwapi.dll or its
// StrFormatByteSizeA is missing.
std::string formatByteSize(uint32_t size);

}  // namespace t2c
