// The project's folder on a POSIX system, for the native command and its tests.
#pragma once

#include <string>

#include "chm/compile_job.h"

namespace hhc {

// Finds listed files as Windows would: when no file has the listed name, one whose name differs
// in letter case or by trailing dots and blanks of its parts. The help file is written under a
// temporary name beside its final one and renamed at the end; the compressed section waits in an
// anonymous temporary file.
class PosixFolder : public chm::ProjectFolder {
 public:
  explicit PosixFolder(const std::string& projectPath);

  std::string projectName() override;
  Read readProject(std::string& bytes, std::string& error) override;
  Read readFile(const std::string& name, std::string& bytes, std::string& error) override;
  std::string pathOf(const std::string& name) override;
  std::unique_ptr<chm::OutputFile> createOutput(const std::string& name, std::string& error) override;
  std::unique_ptr<chm::Scratch> createScratch(std::string& error) override;
  bool remove(const std::string& name) override;
  int64_t sizeOf(const std::string& name) override;

 private:
  std::string windowsPath(const std::string& name) const;

  std::string project_;
  std::string folder_;
  std::string name_;
};

}  // namespace hhc
