// The project's folder on a POSIX system: files found as Windows finds them, the help file
// written under a temporary name and renamed, the compressed section in an anonymous file.
#include "hhc/posix_folder.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/whole_file.h"

namespace hhc {
namespace {

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// A name part as Windows compares it: letter case aside, without trailing dots and blanks.
std::string windowsKey(std::string part) {
  while (!part.empty() && (part.back() == '.' || part.back() == ' ')) part.pop_back();
  for (char& c : part) c = lower(c);
  return part;
}

bool isDirectory(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool exists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

// The entry of `folder` that Windows would open for `part`, or empty.
std::string matchingEntry(const std::string& folder, const std::string& part) {
  if (exists(folder + "/" + part)) return part;
  DIR* listing = opendir(folder.c_str());
  if (!listing) return std::string();
  const std::string key = windowsKey(part);
  std::string found;
  while (dirent* entry = readdir(listing)) {
    const std::string name = entry->d_name;
    if (name == part) {
      found = name;
      break;
    }
    if (found.empty() && name != "." && name != ".." && windowsKey(name) == key) found = name;
  }
  closedir(listing);
  return found;
}

class OutputFileOnDisk : public chm::OutputFile {
 public:
  OutputFileOnDisk(std::FILE* file, std::string temporary, std::string final)
      : file_(file), temporary_(std::move(temporary)), final_(std::move(final)) {}
  ~OutputFileOnDisk() override {
    if (file_) std::fclose(file_);
    if (!committed_) unlink(temporary_.c_str());
  }
  bool write(const void* data, size_t size) override { return std::fwrite(data, 1, size, file_) == size; }
  bool commit(std::string& error) override {
    const bool closed = std::fflush(file_) == 0 && fsync(fileno(file_)) == 0;
    const int reason = errno;
    std::fclose(file_);
    file_ = nullptr;
    if (!closed) return error = std::strerror(reason), false;
    if (std::rename(temporary_.c_str(), final_.c_str()) != 0) return error = std::strerror(errno), false;
    committed_ = true;
    return true;
  }

 private:
  std::FILE* file_;
  std::string temporary_;
  std::string final_;
  bool committed_ = false;
};

// An anonymous temporary file: the system removes it however the program ends.
class ScratchFile : public chm::Scratch {
 public:
  explicit ScratchFile(std::FILE* file) : file_(file) {}
  ~ScratchFile() override { std::fclose(file_); }
  bool write(const void* data, size_t size) override { return std::fwrite(data, 1, size, file_) == size; }
  bool copyTo(chm::ByteSink& out) override {
    if (std::fflush(file_) != 0 || std::fseek(file_, 0, SEEK_SET) != 0) return false;
    std::string buffer(1 << 16, '\0');
    size_t got;
    while ((got = std::fread(&buffer[0], 1, buffer.size(), file_)) > 0)
      if (!out.write(buffer.data(), got)) return false;
    const bool whole = !std::ferror(file_);
    std::fseek(file_, 0, SEEK_END);
    return whole;
  }

 private:
  std::FILE* file_;
};

mode_t currentUmask() {
  const mode_t mask = umask(0);
  umask(mask);
  return mask;
}

chm::ProjectFolder::Read readOnDisk(const std::string& path, std::string& bytes, std::string& error) {
  if (!exists(path) || isDirectory(path)) return chm::ProjectFolder::Read::Missing;
  return base::readWholeFile(path, bytes, &error) ? chm::ProjectFolder::Read::Ok : chm::ProjectFolder::Read::Failed;
}

}  // namespace

PosixFolder::PosixFolder(const std::string& project) : project_(project) {
  const size_t slash = project.rfind('/');
  folder_ = slash == std::string::npos ? "." : project.substr(0, slash == 0 ? 1 : slash);
  name_ = slash == std::string::npos ? project : project.substr(slash + 1);
}

std::string PosixFolder::projectName() { return name_; }

PosixFolder::Read PosixFolder::readProject(std::string& bytes, std::string& error) {
  return readOnDisk(project_, bytes, error);
}

PosixFolder::Read PosixFolder::readFile(const std::string& name, std::string& bytes, std::string& error) {
  std::string path = pathOf(name);
  if (!exists(path)) path = windowsPath(name);
  return path.empty() ? Read::Missing : readOnDisk(path, bytes, error);
}

std::string PosixFolder::pathOf(const std::string& name) {
  if (!name.empty() && name[0] == '/') return name;
  std::string relative = name;
  for (char& c : relative)
    if (c == '\\') c = '/';
  return (folder_ == "/" ? "" : folder_) + "/" + relative;
}

std::unique_ptr<chm::OutputFile> PosixFolder::createOutput(const std::string& name, std::string& error) {
  const std::string final = pathOf(name);
  std::string temporary = final + ".XXXXXX";
  const int descriptor = mkstemp(&temporary[0]);
  if (descriptor < 0) return error = std::strerror(errno), nullptr;
  std::FILE* file = fdopen(descriptor, "wb");
  if (!file) {
    error = std::strerror(errno);
    close(descriptor);
    unlink(temporary.c_str());
    return nullptr;
  }
  // mkstemp makes the file for its owner only; the help file is as readable as any other.
  fchmod(descriptor, 0666 & ~currentUmask());
  return std::make_unique<OutputFileOnDisk>(file, temporary, final);
}

std::unique_ptr<chm::Scratch> PosixFolder::createScratch(std::string& error) {
  std::FILE* file = std::tmpfile();
  if (!file) return error = std::strerror(errno), nullptr;
  return std::make_unique<ScratchFile>(file);
}

bool PosixFolder::remove(const std::string& name) { return unlink(pathOf(name).c_str()) == 0 || errno == ENOENT; }

int64_t PosixFolder::sizeOf(const std::string& name) {
  struct stat info;
  return stat(pathOf(name).c_str(), &info) == 0 ? static_cast<int64_t>(info.st_size) : -1;
}

// The path Windows would open for a relative name, part by part; empty when there is none.
std::string PosixFolder::windowsPath(const std::string& name) const {
  if (!name.empty() && name[0] == '/') return std::string();
  std::string path = folder_;
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = name.find_first_of("/\\", start);
    if (end == std::string::npos) end = name.size();
    const std::string part = name.substr(start, end - start);
    start = end + 1;
    if (part.empty() || part == ".") continue;
    const std::string entry = matchingEntry(path, part);
    if (entry.empty()) return std::string();
    path += "/" + entry;
  }
  return path;
}

}  // namespace hhc
