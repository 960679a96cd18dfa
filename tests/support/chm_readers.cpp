// Runs each Debian CHM reader on a help file and collects the files it extracts and its complaints.
#include "support/chm_readers.h"

#include <fcntl.h>
#include <mspack.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <vector>

#include <gtest/gtest.h>

namespace chmtest {
namespace fs = std::filesystem;
namespace {

// One folder for everything the readers write; it goes when the test program ends.
std::string makeFolder() {
  static const struct Root {
    std::string path = [] { char pattern[] = "/tmp/chm_readers.XXXXXX"; return std::string(mkdtemp(pattern) ? pattern : "/tmp"); }();
    ~Root() { std::error_code ignored; if (path != "/tmp") fs::remove_all(path, ignored); }
  } root;
  static int count = 0;
  std::string folder = root.path + "/" + std::to_string(++count);
  fs::create_directory(folder);
  return folder;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

Files readFolder(const std::string& folder) {
  Files files;
  for (const auto& item : fs::recursive_directory_iterator(folder))
    if (item.is_regular_file())
      files["/" + fs::relative(item.path(), folder).generic_string()] = readFile(item.path().string());
  return files;
}

std::string shellQuoted(const std::string& text) { return "'" + text + "'"; }

// The command's standard output and error together.
std::string run(const std::string& command) {
  std::string output;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return "cannot run " + command + "\n";
  char buffer[4096];
  size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, got);
  int status = pclose(pipe);
  if (status != 0) output += "exit status " + std::to_string(status) + " of " + command + "\n";
  return output;
}

// The lines of `output` that contain one of `marks`.
std::string linesWith(const std::string& output, std::initializer_list<const char*> marks) {
  std::istringstream lines(output);
  std::string line, found;
  while (std::getline(lines, line))
    for (const char* mark : marks)
      if (line.find(mark) != std::string::npos) {
        found += line + "\n";
        break;
      }
  return found;
}

Files withoutViewerFiles(const Files& files, bool keep) {
  Files kept;
  for (const auto& [name, bytes] : files) {
    bool viewers = name.rfind("/#", 0) == 0 || name.rfind("/$", 0) == 0;
    if (viewers == keep) kept.emplace(name, bytes);
  }
  return kept;
}

// Missing, unexpected and differing names, one line each; empty when the two agree.
std::string differences(const Files& expected, const Files& actual) {
  std::string text;
  for (const auto& [name, bytes] : expected) {
    auto found = actual.find(name);
    if (found == actual.end())
      text += "missing " + name + "\n";
    else if (found->second != bytes)
      text += "differs " + name + " (" + std::to_string(found->second.size()) + " bytes, expected " +
              std::to_string(bytes.size()) + ")\n";
  }
  for (const auto& item : actual)
    if (!expected.count(item.first)) text += "unexpected " + item.first + "\n";
  return text;
}

const char* kPychmScript = R"(
import os, sys
from chm import chm, chmlib
c = chm.CHMFile()
if not c.LoadCHM(sys.argv[1]):
    print('PROBLEM cannot load'); sys.exit(0)
names = []
def collect(f, ui, context):
    names.append(ui.path)
    return chmlib.CHM_ENUMERATOR_CONTINUE
chmlib.chm_enumerate(c.file, chmlib.CHM_ENUMERATE_ALL, collect, None)
for name in names:
    if not name.startswith(b'/') or name.endswith(b'/'):
        continue
    result, ui = chmlib.chm_resolve_object(c.file, name)
    if result != chmlib.CHM_RESOLVE_SUCCESS:
        print('PROBLEM cannot resolve', name); continue
    size, data = chmlib.chm_retrieve_object(c.file, ui, 0, ui.length) if ui.length else (0, b'')
    if size != ui.length:
        print('PROBLEM short', name)
    path = os.path.join(sys.argv[2].encode(), name[1:])
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'wb') as out:
        out.write(data)
for key in ('title', 'home', 'topics'):
    value = getattr(c, key)
    print(key.upper(), value.hex() if value else '')
print('LCID', c.lcid)
)";

const char* kPychmSearchScript = R"(
import sys
from chm import chm
c = chm.CHMFile()
if not c.LoadCHM(sys.argv[1]) or not c.IsSearchable():
    print('PROBLEM not searchable'); sys.exit(0)
whole, titles = int(sys.argv[3]), int(sys.argv[4])
for line in open(sys.argv[2]):
    word = bytes.fromhex(line.strip())
    partial, found = c.Search(word, whole, titles)
    print(word.hex(), int(partial), *[t.hex() + ':' + u.hex() for t, u in sorted(found.items())])
)";

std::string toHex(const std::string& bytes) {
  static const char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (unsigned char c : bytes) hex += {kDigits[c >> 4], kDigits[c & 15]};
  return hex;
}

std::string fromHex(const std::string& hex) {
  std::string bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) bytes.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  return bytes;
}

}  // namespace

std::string saveTemporary(const std::string& bytes, const std::string& fileName) {
  std::string path = makeFolder() + "/" + fileName;
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

ReadBack readWithMspack(const std::string& chmPath) {
  ReadBack back;
  const std::string target = makeFolder() + "/file", warnings = makeFolder() + "/stderr";
  fflush(stderr);  // libmspack warns on standard error and goes on: its warnings count as problems
  int savedStderr = dup(2), log = open(warnings.c_str(), O_WRONLY | O_CREAT, 0600);
  dup2(log, 2);
  close(log);
  mschm_decompressor* d = mspack_create_chm_decompressor(nullptr);
  mschmd_header* header = d->open(d, chmPath.c_str());
  if (!header) back.problems += "libmspack cannot open: error " + std::to_string(d->last_error(d)) + "\n";
  for (mschmd_file* f = header ? header->files : nullptr; f; f = f->next) {
    std::string name = f->filename;
    if (name.empty() || name.back() == '/') continue;
    if (d->extract(d, f, target.c_str()) != MSPACK_ERR_OK)
      back.problems += "libmspack cannot extract " + name + "\n";
    back.files[name] = readFile(target);
    mschmd_file found{};
    if (d->fast_find(d, header, f->filename, &found, sizeof found) != MSPACK_ERR_OK || !found.section ||
        found.section->id != f->section->id || found.offset != f->offset || found.length != f->length)
      back.problems += "libmspack fast_find misses " + name + "\n";
  }
  if (header) d->close(d, header);
  mspack_destroy_chm_decompressor(d);
  fflush(stderr);
  dup2(savedStderr, 2);
  close(savedStderr);
  back.problems += readFile(warnings);
  return back;
}

ReadBack readWithChmlib(const std::string& chmPath) {
  std::string folder = makeFolder();
  std::string output = run("extract_chmLib " + shellQuoted(chmPath) + " " + shellQuoted(folder));
  return {readFolder(folder), linesWith(output, {"incomplete", "ERROR", "exit status"})};
}

ReadBack readWith7zip(const std::string& chmPath) {
  std::string folder = makeFolder();
  std::string test = run("7zz t " + shellQuoted(chmPath));
  std::string problems = test.find("Everything is Ok") == std::string::npos ? test : "";
  std::string extract = run("7zz x -y -o" + shellQuoted(folder) + " " + shellQuoted(chmPath));
  if (extract.find("Everything is Ok") == std::string::npos) problems += extract;
  problems += linesWith(test + extract, {"Warning", "WARNING"});
  return {readFolder(folder), problems};
}

ReadBack readWithChmls(const std::string& chmPath) {
  std::string folder = makeFolder();
  std::string output = run("chmls extractall " + shellQuoted(chmPath) + " " + shellQuoted(folder));
  return {readFolder(folder), linesWith(output, {"Can't", "rror", "exit status"})};
}

// pychm's output and the folder it extracted into.
std::pair<std::string, std::string> runPychm(const std::string& chmPath) {
  std::string folder = makeFolder();
  std::string script = saveTemporary(kPychmScript, "read.py");
  return {run("/usr/bin/python3 " + shellQuoted(script) + " " + shellQuoted(chmPath) + " " + shellQuoted(folder)), folder};
}

ReadBack readWithPychm(const std::string& chmPath) {
  auto [output, folder] = runPychm(chmPath);
  return {readFolder(folder), linesWith(output, {"PROBLEM", "Error", "exit status"})};
}

PychmFacts pychmFacts(const std::string& chmPath) {
  std::istringstream lines(runPychm(chmPath).first);
  PychmFacts facts;
  std::string key, value;
  while (lines >> key && std::getline(lines, value)) {
    value = value.empty() ? value : value.substr(1);
    if (key == "TITLE") facts.title = fromHex(value);
    else if (key == "HOME") facts.home = fromHex(value);
    else if (key == "TOPICS") facts.topics = fromHex(value);
    else if (key == "LCID") facts.lcid = static_cast<uint32_t>(std::stoul(value));
    else facts.problems += key + value + "\n";
  }
  return facts;
}

std::map<std::string, SearchResult> pychmSearch(const std::string& chmPath, const std::vector<std::string>& words,
                                                SearchMode mode) {
  std::string queries;
  for (const std::string& word : words) queries += toHex(word) + "\n";
  const std::string script = saveTemporary(kPychmSearchScript, "search.py");
  const std::string output = run("/usr/bin/python3 " + shellQuoted(script) + " " + shellQuoted(chmPath) + " " +
                                 shellQuoted(saveTemporary(queries, "queries")) +
                                 (mode == SearchMode::Prefix ? " 0 0" : mode == SearchMode::TitlesOnly ? " 1 1" : " 1 0"));
  std::map<std::string, SearchResult> results;
  std::istringstream lines(output);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string word, partial, item;
    fields >> word >> partial;
    SearchResult& result = results[word == "PROBLEM" ? line : fromHex(word)];
    result.partial = partial == "1";
    while (fields >> item) {
      const size_t colon = item.find(':');
      result.found[fromHex(item.substr(0, colon))] = fromHex(item.substr(colon + 1));
    }
  }
  return results;
}

void expectEveryReaderReadsBack(const std::string& chmPath, const Files& expected) {
  const ReadBack reference = readWithMspack(chmPath);
  const Files viewerFiles = withoutViewerFiles(reference.files, true);
  EXPECT_TRUE(viewerFiles.count("/#SYSTEM")) << chmPath;
  const std::pair<const char*, std::function<ReadBack(const std::string&)>> readers[] = {
      {"libmspack", [&](const std::string&) { return reference; }},
      {"chmlib", readWithChmlib}, {"7-Zip", readWith7zip}, {"chmls", readWithChmls}, {"pychm", readWithPychm}};
  for (const auto& [reader, read] : readers) {
    ReadBack back = read(chmPath);
    Files own = expected, viewers = viewerFiles;
    if (std::string(reader) == "chmls") {  // it skips empty files
      for (Files* files : {&own, &viewers})
        for (auto it = files->begin(); it != files->end();) it = it->second.empty() ? files->erase(it) : ++it;
    }
    EXPECT_EQ("", back.problems) << reader << " on " << chmPath;
    EXPECT_EQ("", differences(own, withoutViewerFiles(back.files, false))) << reader << " on " << chmPath;
    EXPECT_EQ("", differences(viewers, withoutViewerFiles(back.files, true))) << reader << " on " << chmPath;
  }
}

}  // namespace chmtest
