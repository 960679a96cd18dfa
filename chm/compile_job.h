// One run of the help compiler: a project file in, a help file beside it, lines on a console.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "chm/byte_sink.h"

namespace chm {

// The help file being written, under a temporary name in its folder until `commit`; destroyed
// before that, it takes the temporary file with it, so no partial help file is ever left.
class OutputFile : public ByteSink {
 public:
  // Closes the file and gives it its final name, replacing an earlier file of that name.
  virtual bool commit(std::string& error) = 0;
};

// What the compiler touches on the disk. Names are relative to the project's folder, with "/"
// between folders, in the project's ANSI code page; a name that is already a full path (as
// "Compiled file=" may be) stands for itself.
class ProjectFolder {
 public:
  enum class Read { Ok, Missing, Failed };

  virtual ~ProjectFolder() = default;
  // The project file's own name and its whole text.
  virtual std::string projectName() = 0;
  virtual Read readProject(std::string& bytes, std::string& error) = 0;
  // A file's bytes; when no file has the exact name, one whose name differs only in letter case
  // (Windows finds those by itself). A folder is Missing; `error` says why when Failed.
  virtual Read readFile(const std::string& name, std::string& bytes, std::string& error) = 0;
  // The full path of a name, as the console shows it.
  virtual std::string pathOf(const std::string& name) = 0;
  virtual std::unique_ptr<OutputFile> createOutput(const std::string& name, std::string& error) = 0;
  // Where the compressed section waits until the help file is laid out around it.
  virtual std::unique_ptr<Scratch> createScratch(std::string& error) = 0;
  // Removes a file left by an earlier run; true when none is left.
  virtual bool remove(const std::string& name) = 0;
  // The size of a file once written, -1 when it cannot be read.
  virtual int64_t sizeOf(const std::string& name) = 0;
};

class Console {
 public:
  virtual ~Console() = default;
  virtual void line(const std::string& text) = 0;
};

struct CompileSettings {
  std::string banner = "Tessaly2CHM HTML Help Compiler 1.0";
  // Seconds since some fixed moment, for the compile time.
  std::function<double()> clock;
  // The moment of compilation the help file records (Unix time); 0 makes every output identical.
  int64_t compiledAt = 0;
};

// The lines our compiler prints as warnings and errors; the plug-in's log takes the warnings.
constexpr const char kWarning[] = "HHC: warning: ";
constexpr const char kError[] = "HHC: error: ";

// Compiles the project and returns the exit code Microsoft's compiler gives: 1 when the help file
// was made, 0 when not (and then no file of the compiled file's name is left).
int compileHelpProject(ProjectFolder& folder, Console& console, const CompileSettings& settings);

}  // namespace chm
