// Work folder life, temporary names and file queries against the real (Wine) file system.
#include <gtest/gtest.h>

#include <windows.h>

#include <cctype>
#include <set>
#include <stdexcept>

#include "project/file_output_win.h"
#include "project/path_names.h"
#include "project/work_folder_win.h"

namespace t2c {
namespace {

bool isFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string currentDirectory() {
  char buffer[1041] = {};
  GetCurrentDirectoryA(sizeof buffer, buffer);
  return buffer;
}

// "abc", one to four hexadecimal digits and ".tmp" in either letter case, then `rest`.
bool hasTempNameForm(const std::string& name, const std::string& folder, const std::string& rest) {
  if (name.compare(0, folder.size(), folder) != 0) return false;
  std::string tail = name.substr(folder.size());
  if (tail.compare(0, 3, "abc") != 0) return false;
  size_t digits = 0;
  while (3 + digits < tail.size() && std::isxdigit(static_cast<unsigned char>(tail[3 + digits])))
    ++digits;
  if (digits < 1 || digits > 4) return false;
  std::string suffix = tail.substr(3 + digits);
  if (suffix.size() < 4) return false;
  for (size_t i = 0; i < 4; ++i) suffix[i] = static_cast<char>(std::tolower(suffix[i]));
  return suffix == ".tmp" + rest;
}

TEST(TempNames, FormAndExtension) {
  const std::string temp = tempFolder();
  ASSERT_FALSE(temp.empty());
  EXPECT_EQ(temp.back(), '\\');
  const std::string rtf = makeTempName("", "rtf");
  EXPECT_TRUE(hasTempNameForm(rtf, temp, ".rtf")) << rtf;
  const std::string dotted = makeTempName(temp, ".htm");
  EXPECT_TRUE(hasTempNameForm(dotted, temp, ".htm")) << dotted;
  const std::string bare = makeTempName(temp.substr(0, temp.size() - 1), "");
  EXPECT_TRUE(hasTempNameForm(bare, temp, ".")) << bare;
  // Only a name is formed: nothing appears on disk.
  EXPECT_EQ(GetFileAttributesA(rtf.c_str()), INVALID_FILE_ATTRIBUTES);
}

// Holds the counter of temporary names still, so that the names are known in advance however
// slowly the test runs.
class FrozenTicks {
 public:
  explicit FrozenTicks(uint32_t tick) : previous_(setTempNameTicks(&FrozenTicks::now)) { frozen_ = tick; }
  ~FrozenTicks() { setTempNameTicks(previous_); }

 private:
  static uint32_t now() { return frozen_; }
  static inline uint32_t frozen_ = 0;
  TickSource previous_;
};

std::string tempNameOf(const std::string& temp, uint32_t tick) {
  char name[MAX_PATH + 1] = {};
  const UINT unique = (tick & 0xFFFFu) != 0 ? (tick & 0xFFFFu) : 1u;
  if (GetTempFileNameA(temp.c_str(), "abcd", unique, name) == 0) return std::string();
  return name;
}

TEST(WorkFolder, FreshFolderEveryTimeEvenWhenNamesAreTaken) {
  const std::string temp = tempFolder();
  // Half the counter's range away from the real tick, clear of any other temporary name of this run.
  const uint32_t start = GetTickCount() + 0x8000u;
  FrozenTicks frozen(start);
  // Occupy the names of the next 400 ticks, with a file in one of them, as earlier builds would.
  std::set<std::string> taken;
  for (uint32_t tick = start; tick != start + 400; ++tick) {
    const std::string folder = tempNameOf(temp, tick) + ".";
    ASSERT_NE(folder, ".");
    if (CreateDirectoryA(folder.c_str(), nullptr)) taken.insert(folder);
  }
  ASSERT_FALSE(taken.empty());
  const std::string marked = *taken.begin();
  ASSERT_TRUE(writeTemporaryFile(marked + "\\keep.txt", "other build"));

  // The two lowest free names from the frozen tick on.
  uint32_t free = start;
  auto nextFree = [&] {
    while (GetFileAttributesA((tempNameOf(temp, free) + ".").c_str()) != INVALID_FILE_ATTRIBUTES) ++free;
    return tempNameOf(temp, free++) + ".";
  };
  const std::string expectedFirst = nextFree();
  const std::string expectedSecond = nextFree();

  // Both calls start at the frozen tick, so each has to step past every taken name.
  const std::string first = makeWorkFolder();
  const std::string second = makeWorkFolder();
  EXPECT_EQ(first, expectedFirst);
  EXPECT_EQ(second, expectedSecond);
  EXPECT_TRUE(hasTempNameForm(first, temp, ".")) << first;
  EXPECT_TRUE(isFolder(first));
  EXPECT_TRUE(isFolder(second));
  EXPECT_NE(first, second);
  EXPECT_EQ(taken.count(first), 0u);
  EXPECT_EQ(taken.count(second), 0u);
  EXPECT_EQ(fileSize(marked + "\\keep.txt"), 11u);

  EXPECT_TRUE(removeWorkFolder(first));
  EXPECT_TRUE(removeWorkFolder(second));
  EXPECT_FALSE(isFolder(first));
  EXPECT_FALSE(isFolder(second));
  for (const std::string& folder : taken) removeWorkFolder(folder);
  EXPECT_FALSE(isFolder(marked));
}

TEST(TempFiles, EveryCallCreatesItsOwnFilePastTakenNames) {
  const std::string temp = tempFolder();
  // Half the counter's range away from the real tick, clear of any other temporary name of this run.
  const uint32_t start = GetTickCount() + 0x8000u;
  FrozenTicks frozen(start);
  // Another conversion's file of the current tick, with its contents.
  const std::string other = tempNameOf(temp, start) + ".rtf";
  ASSERT_TRUE(writeTemporaryFile(other, "other conversion"));

  const std::string first = createTempFile("rtf");
  const std::string second = createTempFile("rtf");
  EXPECT_TRUE(hasTempNameForm(first, temp, ".rtf")) << first;
  EXPECT_TRUE(hasTempNameForm(second, temp, ".rtf")) << second;
  EXPECT_NE(first, second);
  EXPECT_NE(first, other);
  EXPECT_NE(second, other);
  EXPECT_TRUE(isExistingFile(first));
  EXPECT_EQ(fileSize(first), 0u);
  EXPECT_EQ(fileSize(other), 16u);
  for (const std::string& path : {first, second, other}) DeleteFileA(path.c_str());
}

TEST(WorkFolder, RemovalTakesFilesAndKeepsSubfolders) {
  EXPECT_FALSE(removeWorkFolder(""));

  const std::string plain = makeWorkFolder();
  ASSERT_FALSE(plain.empty());
  ASSERT_TRUE(writeTemporaryFile(plain + "\\a.htm", "a"));
  ASSERT_TRUE(writeTemporaryFile(plain + "\\b.bmp", "bb"));
  EXPECT_TRUE(removeWorkFolder(plain));
  EXPECT_FALSE(isFolder(plain));

  const std::string nested = makeWorkFolder();
  ASSERT_FALSE(nested.empty());
  ASSERT_TRUE(CreateDirectoryA((nested + "\\sub").c_str(), nullptr));
  ASSERT_TRUE(writeTemporaryFile(nested + "\\sub\\deep.txt", "d"));
  ASSERT_TRUE(writeTemporaryFile(nested + "\\top.txt", "t"));
  EXPECT_TRUE(removeWorkFolder(nested));
  EXPECT_TRUE(isFolder(nested + "\\sub"));
  EXPECT_FALSE(isExistingFile(nested + "\\top.txt"));
  EXPECT_TRUE(isExistingFile(nested + "\\sub\\deep.txt"));

  DeleteFileA((nested + "\\sub\\deep.txt").c_str());
  RemoveDirectoryA((nested + "\\sub").c_str());
  RemoveDirectoryA(nested.c_str());
}

TEST(CurrentDirectory, RestoredWhenTheScopeEndsByAnException) {
  const std::string before = currentDirectory();
  const std::string folder = makeWorkFolder();
  ASSERT_FALSE(folder.empty());
  std::string inside;
  try {
    CurrentDirectoryScope scope(folder);
    inside = currentDirectory();
    // A relative name now lands in the work folder.
    writeTemporaryFile("relative.txt", "r");
    throw std::runtime_error("write error");
  } catch (const std::runtime_error&) {
  }
  EXPECT_TRUE(isExistingFile(folder + "\\relative.txt"));
  EXPECT_NE(inside, before);
  EXPECT_EQ(currentDirectory(), before);
  removeWorkFolder(folder);
}

TEST(FileQueries, FilesFoldersAndMissingPaths) {
  const std::string folder = makeWorkFolder();
  ASSERT_FALSE(folder.empty());
  const std::string file = folder + "\\data.bin";
  ASSERT_TRUE(writeTemporaryFile(file, std::string(1234, 'x')));
  EXPECT_TRUE(isExistingFile(file));
  EXPECT_FALSE(isExistingFile(folder));
  EXPECT_FALSE(isExistingFile(folder + "\\missing.txt"));
  EXPECT_EQ(fileSize(file), 1234u);
  EXPECT_EQ(fileSize(folder + "\\missing.txt"), 0u);
  removeWorkFolder(folder);
}

TEST(FileQueries, PluginsFolderSitsBesideTheExecutable) {
  char exe[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  EXPECT_EQ(pluginsFolder(), folderOf(exe, false) + "Plugins");
  EXPECT_EQ(fileNameOf(pluginsFolder()), "Plugins");
}

TEST(FileQueries, ByteSizesReadAsTheShellWritesThem) {
  EXPECT_EQ(formatByteSize(1310720), "1.25 MB");
  EXPECT_EQ(formatByteSize(532), "532 bytes");
  EXPECT_EQ(formatByteSize(12595), "12.2 KB");
}

}  // namespace
}  // namespace t2c
