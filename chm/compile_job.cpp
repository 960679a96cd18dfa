// The compiler's run: reads the project, streams every listed file into the help file and reports
// on the console in the shape of Microsoft's compiler.
#include "chm/compile_job.h"
#include "chm/ascii_text.h"

#include <cstddef>
#include <set>
#include <vector>

#include "chm/chm_writer.h"
#include "chm/help_project.h"

namespace chm {
namespace {

// Microsoft's compiler groups the digits of sizes by thousands.
std::string grouped(uint64_t number) {
  std::string digits = std::to_string(number);
  for (std::ptrdiff_t at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3)
    digits.insert(static_cast<std::size_t>(at), ",");
  return digits;
}

std::string counted(uint64_t number, const std::string& word, const char* separator = " ") {
  return std::to_string(number) + separator + word + (number == 1 ? "" : "s");
}

bool hasExtension(const std::string& name, std::initializer_list<const char*> extensions) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos || name.find('/', dot) != std::string::npos) return false;
  const std::string extension = asciiLowered(name.substr(dot + 1));
  for (const char* candidate : extensions)
    if (extension == candidate) return true;
  return false;
}

bool isTopic(const std::string& name) { return hasExtension(name, {"htm", "html"}); }

bool isGraphic(const std::string& name) {
  return hasExtension(name, {"bmp", "gif", "jpg", "jpeg", "png", "ico", "wmf", "emf"});
}

struct Counts {
  uint64_t topics = 0;
  uint64_t localLinks = 0;
  uint64_t internetLinks = 0;
  uint64_t graphics = 0;
  uint64_t inputBytes = 0;
};

bool startsWithoutCase(const std::string& text, std::size_t at, const char* word) {
  for (; *word; ++word, ++at)
    if (at >= text.size() || asciiLower(text[at]) != *word) return false;
  return true;
}

// Counts the page's href attributes: those with a scheme that leaves the help file are internet
// links, all others local. Goes from one "=" to the next, rarer in pages than any letter, and
// scans the page in place: a copy would double the largest page's cost.
void countLinks(const std::string& page, Counts& counts) {
  for (std::size_t equals = page.find('='); equals != std::string::npos; equals = page.find('=', equals + 1)) {
    const std::size_t nameEnd = page.find_last_not_of(" \t\r\n", equals == 0 ? 0 : equals - 1);
    if (nameEnd == std::string::npos || nameEnd < 3 || !startsWithoutCase(page, nameEnd - 3, "href")) continue;
    const std::size_t value = page.find_first_not_of(" \t\r\n\"'", equals + 1);
    if (value == std::string::npos) break;
    const bool internet = startsWithoutCase(page, value, "http:") || startsWithoutCase(page, value, "https:") ||
                          startsWithoutCase(page, value, "ftp:") || startsWithoutCase(page, value, "mailto:") ||
                          startsWithoutCase(page, value, "news:");
    ++(internet ? counts.internetLinks : counts.localLinks);
  }
}

class Job {
 public:
  Job(ProjectFolder& folder, Console& console, const CompileSettings& settings)
      : folder_(folder), console_(console), settings_(settings) {}

  int run() {
    const double start = settings_.clock ? settings_.clock() : 0.0;
    console_.line(settings_.banner);
    console_.line("");
    if (!readProject()) return 0;
    console_.line("Compiling " + folder_.pathOf(outputName_));
    console_.line("");
    if (!compile()) {
      folder_.remove(outputName_);
      console_.line("HHC: compilation stopped; no help file was made.");
      return 0;
    }
    report(static_cast<uint64_t>((settings_.clock ? settings_.clock() : 0.0) - start));
    return 1;
  }

 private:
  bool error(const std::string& message) {
    console_.line(kError + message);
    return false;
  }
  void warning(const std::string& message) { console_.line(kWarning + message); }

  bool readProject() {
    std::string text, reason;
    const std::string path = folder_.pathOf(folder_.projectName());
    switch (folder_.readProject(text, reason)) {
      case ProjectFolder::Read::Missing: return error("cannot find the project file " + path);
      case ProjectFolder::Read::Failed: return error("cannot read the project file " + path + ": " + reason);
      case ProjectFolder::Read::Ok: break;
    }
    project_ = readHelpProject(text);
    outputName_ = project_.compiledFile;
    // Without "Compiled file=" the help file takes the project's name, as Microsoft's compiler does.
    if (outputName_.empty()) outputName_ = folder_.projectName().substr(0, folder_.projectName().rfind('.')) + ".chm";
    return true;
  }

  HelpFileInfo helpFileInfo() const {
    HelpFileInfo info;
    info.title = project_.title;
    info.defaultTopic = storedName(project_.defaultTopic);
    for (std::size_t n = 0; info.defaultTopic.empty() && n < project_.files.size(); ++n)
      if (isTopic(project_.files[n])) info.defaultTopic = storedName(project_.files[n]);
    info.contentsFile = storedName(project_.contentsFile);
    info.indexFile = storedName(project_.indexFile);
    info.compiledStem = compiledStem(outputName_);
    info.lcid = languageId(project_.language);
    info.fullTextSearch = project_.fullTextSearch;
    info.compiledAt = settings_.compiledAt;
    return info;
  }

  // The contents and index files: the help file is useless without the one the project names.
  bool addNamedFile(ChmWriter& writer, const std::string& option, const std::string& name) {
    if (name.empty()) return true;
    const std::string stored = storedName(name);
    std::string bytes, reason;
    switch (folder_.readFile(stored.empty() ? name : stored, bytes, reason)) {
      case ProjectFolder::Read::Missing: return error("cannot find the " + option + " " + folder_.pathOf(name));
      case ProjectFolder::Read::Failed:
        return error("cannot read the " + option + " " + folder_.pathOf(name) + ": " + reason);
      case ProjectFolder::Read::Ok: break;
    }
    if (project_.showProgress) console_.line(name);
    counts_.inputBytes += bytes.size();
    stored_.insert(asciiLowered(stored));
    return add(writer, stored, name, bytes, true);
  }

  // False when the writer can go on no more; a file it refuses is left out with a warning, and
  // `added` says whether the file is in.
  bool add(ChmWriter& writer, const std::string& stored, const std::string& listed, const std::string& bytes,
           bool required, bool* added = nullptr) {
    const WriteError result = writer.addFile(stored, bytes);
    if (added) *added = result == WriteError::None;
    switch (result) {
      case WriteError::None: return true;
      case WriteError::BadName:
        if (required) return error("a help file cannot hold the name " + listed);
        warning("a help file cannot hold the name " + listed + ", compiling without it");
        return true;
      case WriteError::ScratchFailed: return error("cannot write the temporary file of the compressed section");
      case WriteError::OutputFailed:
      case WriteError::Finished: break;
    }
    return error("cannot write " + folder_.pathOf(outputName_));
  }

  bool addListedFile(ChmWriter& writer, const std::string& listed) {
    const std::string stored = storedName(listed);
    if (stored.empty()) {
      warning("a help file cannot hold " + listed + ", which is outside the project's folder; compiling without it");
      return true;
    }
    if (!stored_.insert(asciiLowered(stored)).second) return true;
    std::string bytes, reason;
    switch (folder_.readFile(stored, bytes, reason)) {
      case ProjectFolder::Read::Missing:
        warning("cannot find " + listed + ", compiling without it");
        return true;
      case ProjectFolder::Read::Failed:
        warning("cannot read " + listed + ": " + reason + "; compiling without it");
        return true;
      case ProjectFolder::Read::Ok: break;
    }
    if (project_.showProgress) console_.line(listed);
    bool added = false;
    if (!add(writer, stored, listed, bytes, false, &added)) return false;
    if (!added) return true;
    counts_.inputBytes += bytes.size();
    if (isTopic(stored)) {
      ++counts_.topics;
      countLinks(bytes, counts_);
    } else if (isGraphic(stored)) {
      ++counts_.graphics;
    }
    return true;
  }

  // A help file written over one of its own inputs would destroy it.
  bool replacesAnInput() {
    const std::string output = asciiLowered(storedName(outputName_));
    std::vector<std::string> inputs = project_.files;
    inputs.insert(inputs.end(), {folder_.projectName(), project_.contentsFile, project_.indexFile});
    for (const std::string& input : inputs)
      if (!output.empty() && asciiLowered(storedName(input)) == output) {
        error("the compiled file would replace " + input);
        return true;
      }
    return false;
  }

  bool compile() {
    if (replacesAnInput()) return false;
    std::string reason;
    // The output is opened first: a folder that takes no file fails the run before any work.
    std::unique_ptr<OutputFile> output = folder_.createOutput(outputName_, reason);
    if (!output) return error("cannot write " + folder_.pathOf(outputName_) + ": " + reason);
    std::unique_ptr<Scratch> scratch = folder_.createScratch(reason);
    if (!scratch) return error("cannot make a temporary file for the compressed section: " + reason);
    ChmWriter writer(helpFileInfo(), *scratch);
    if (!addNamedFile(writer, "contents file", project_.contentsFile)) return false;
    if (!addNamedFile(writer, "index file", project_.indexFile)) return false;
    for (const std::string& listed : project_.files)
      if (!addListedFile(writer, listed)) return false;
    switch (writer.finish(*output)) {
      case WriteError::None: break;
      case WriteError::ScratchFailed: return error("cannot read back the temporary file of the compressed section");
      default: return error("cannot write " + folder_.pathOf(outputName_));
    }
    if (!output->commit(reason)) return error("cannot write " + folder_.pathOf(outputName_) + ": " + reason);
    return true;
  }

  void report(uint64_t seconds) {
    console_.line("");
    console_.line("Compile time: " + counted(seconds / 60, "minute") + ", " + counted(seconds % 60, "second"));
    console_.line(counted(counts_.topics, "Topic", "\t"));
    console_.line(counted(counts_.localLinks, "Local link", "\t"));
    console_.line(counted(counts_.internetLinks, "Internet link", "\t"));
    console_.line(counted(counts_.graphics, "Graphic", "\t"));
    console_.line("");
    const int64_t size = folder_.sizeOf(outputName_);
    if (size < 0) return;
    console_.line("Created " + folder_.pathOf(outputName_) + ", " + grouped(static_cast<uint64_t>(size)) + " bytes");
    const uint64_t made = static_cast<uint64_t>(size);
    if (made <= counts_.inputBytes)
      console_.line("Compression decreased file by " + grouped(counts_.inputBytes - made) + " bytes.");
    else
      console_.line("Compression increased file by " + grouped(made - counts_.inputBytes) + " bytes.");
  }

  ProjectFolder& folder_;
  Console& console_;
  const CompileSettings& settings_;
  HelpProject project_;
  std::string outputName_;
  std::set<std::string> stored_;  // lower-cased names already in the help file
  Counts counts_;
};

}  // namespace

int compileHelpProject(ProjectFolder& folder, Console& console, const CompileSettings& settings) {
  return Job(folder, console, settings).run();
}

}  // namespace chm
