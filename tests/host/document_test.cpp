// The stand-in's document folders and command line.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "host/command_line.h"
#include "host/document.h"

namespace tly {
namespace {

// Folders and files in memory: a path ending in "\" is a folder.
class MemorySource : public DocumentSource {
 public:
  explicit MemorySource(std::map<std::string, std::string> files) : files_(std::move(files)) {}
  std::vector<FolderEntry> List(const std::string& folder) override {
    std::vector<FolderEntry> entries;
    const std::string prefix = folder + "\\";
    for (const auto& [path, text] : files_) {
      if (path.compare(0, prefix.size(), prefix) != 0) continue;
      std::string rest = path.substr(prefix.size());
      size_t slash = rest.find('\\');
      if (slash == std::string::npos) entries.push_back({rest, false});
      else if (slash + 1 == rest.size()) entries.push_back({rest.substr(0, slash), true});
    }
    return entries;
  }
  bool Read(const std::string& file, std::string& bytes) override {
    auto found = files_.find(file);
    if (found == files_.end() || found->second == "<unreadable>") return false;
    bytes = found->second;
    return true;
  }

 private:
  std::map<std::string, std::string> files_;
};

std::string outline(const Document& document) {
  std::ostringstream out;
  for (const DocumentNode& n : document.nodes)
    out << std::string(n.depth * 2, ' ') << n.id << "<" << n.parentId << " k" << n.kind << " " << n.header
        << " [" << n.path << "] " << n.text << (n.iconPath.empty() ? "" : " icon " + n.iconPath) << "\n";
  for (const std::string& problem : document.problems) out << "! " << problem << "\n";
  return out.str();
}

TEST(DocumentFolder, NodesInPreOrderSortedByNameWithKindsHeadersAndIcons) {
  MemorySource source({{"C:\\Notes.v2\\zeta.txt", "Z"},
                       {"C:\\Notes.v2\\Alpha\\", ""},
                       {"C:\\Notes.v2\\Alpha\\b.RTF", "{\\rtf1 B}"},
                       {"C:\\Notes.v2\\Alpha\\b.ico", "ICON"},
                       {"C:\\Notes.v2\\Alpha\\a.web.mht", "MHT"},
                       {"C:\\Notes.v2\\Alpha\\Empty\\", ""},
                       {"C:\\Notes.v2\\beta.html", "<p>b</p>"},
                       {"C:\\Notes.v2\\beta.htm", "<p>B</p>"},
                       {"C:\\Notes.v2\\.hidden.txt", "H"},
                       {"C:\\Notes.v2\\picture.png", "PNG"},
                       {"C:\\Notes.v2\\lost.txt", "<unreadable>"}});
  const Document document = loadDocument(source, "C:\\Notes.v2");
  EXPECT_EQ(outline(document),
            "0<0 k4 Notes.v2 [] \n"
            "  1<0 k4 Alpha [Alpha] \n"
            "    2<1 k1 a.web [Alpha\\a.web.mht] MHT\n"
            "    3<1 k2 b [Alpha\\b.RTF] {\\rtf1 B} icon C:\\Notes.v2\\Alpha\\b.ico\n"
            "    4<1 k4 Empty [Alpha\\Empty] \n"
            "  5<0 k3 beta [beta.htm] <p>B</p>\n"
            "  6<0 k3 beta [beta.html] <p>b</p>\n"
            "  7<0 k0 lost [lost.txt] \n"
            "  8<0 k0 zeta [zeta.txt] Z\n"
            "! Cannot read C:\\Notes.v2\\lost.txt\n");

  EXPECT_EQ(document.Find("alpha/B.rtf"), 3);
  EXPECT_EQ(document.Find("Alpha\\a.web"), 2);
  EXPECT_EQ(document.Find("/Alpha/"), 1);
  EXPECT_EQ(document.Find(""), 0);
  EXPECT_EQ(document.Find("Alpha/c"), -1);
  std::vector<int> branch;
  for (const DocumentNode* node : document.Branch(1)) branch.push_back(node->id);
  EXPECT_EQ(branch, (std::vector<int>{1, 2, 3, 4}));
  EXPECT_TRUE(document.Branch(9).empty());
}

TEST(DocumentFolder, MissingFolderIsTheRootAlone) {
  MemorySource source({});
  EXPECT_EQ(outline(loadDocument(source, "D:\\Nothing\\")), "0<0 k4 Nothing [] \n");
}

TEST(NodeList, DepthsKindsAndEscapedBytes) {
  const Document document = loadNodeList(
      "# a comment line\n"
      "0\t\t\n"
      "1\t0\tTab\\there\tline one\\r\\nline two\\\\ \\x41\\xfF \\q\r\n"
      "1\t\tFolder\n"
      "\n"
      "5\t2\tToo deep\t{\\\\rtf1 x}\n"
      "2\t9\tOdd kind\n"
      "x\tno depth\n"
      "1\t3\tLast",
      "C:\\Lists\\Hostile.nodes");
  EXPECT_EQ(outline(document),
            "0<0 k4 Hostile [] \n"
            "  1<0 k0 Tab\there [] line one\r\nline two\\ A\xFF \\q\n"
            "  2<0 k4 Folder [] \n"
            "    3<2 k2 Too deep [] {\\rtf1 x}\n"
            "    4<2 k9 Odd kind [] \n"
            "  5<0 k3 Last [] \n"
            "! Line 8 is no node\n");
  EXPECT_EQ(document.Find("folder/odd kind"), 4);
  EXPECT_EQ(outline(loadNodeList("", "Empty.nodes")), "0<0 k4 Empty [] \n");
}

TEST(HostCommandLine, ModesSwitchesAndMistakes) {
  HostCommand describe = parseHostCommand({});
  EXPECT_EQ(describe.mode, HostCommand::Mode::Describe);
  EXPECT_EQ(parseHostCommand({"--plugin", "x.dll"}).pluginPath, "x.dll");
  HostCommand window = parseHostCommand({"Notes", "--current", "A/b"});
  EXPECT_EQ(window.mode, HostCommand::Mode::Interactive);
  EXPECT_EQ(window.current, "A/b");

  HostCommand run = parseHostCommand({"--export", "branch", "Notes", "--branch", "Guide", "--out", "g.chm",
                                      "--rtf", "link", "--plain-text", "text", "--full-text-search", "on",
                                      "--syntax", "off", "--pictures", "on", "--timeout", "30",
                                      "--exclude", "Guide/Old", "--exclude", "Drafts", "--build", "off"});
  EXPECT_EQ(run.error, "");
  EXPECT_EQ(run.mode, HostCommand::Mode::Export);
  EXPECT_TRUE(run.branch);
  EXPECT_EQ(run.document + "|" + run.branchPath + "|" + run.output, "Notes|Guide|g.chm");
  EXPECT_EQ(run.options.convertHtml, t2c::kRtfLinkPage);
  EXPECT_EQ(run.options.plainTextAsHtml, 0);
  EXPECT_EQ(run.options.fullTextSearch, 1);
  EXPECT_EQ(run.options.syntax, 0);
  EXPECT_EQ(run.options.pictures, 1);
  EXPECT_EQ(run.timeoutSeconds, 30);
  EXPECT_EQ(run.build, 0);
  EXPECT_EQ(run.excluded, (std::vector<std::string>{"Guide/Old", "Drafts"}));
  EXPECT_EQ(parseHostCommand({"Notes", "--export", "document", "--out", "n.chm"}).options.convertHtml, -1);
  EXPECT_EQ(parseHostCommand({"Notes", "--export", "document", "--out", "n.chm"}).build, 1);

  const std::vector<std::pair<std::vector<std::string>, std::string>> mistakes = {
      {{"Notes", "--export", "all", "--out", "n.chm"}, "--export takes document or branch"},
      {{"Notes", "--export", "document"}, "--export needs --out FILE.chm"},
      {{"--export", "document", "--out", "n.chm"}, "--export needs a document folder"},
      {{"Notes", "--export", "document", "--out", "n.chm", "--branch", "A"}, "--branch goes with --export branch"},
      {{"Notes", "--out", "n.chm"}, "--out, --branch and --exclude go with --export"},
      {{"Notes", "Other"}, "more than one document: Other"},
      {{"Notes", "--rtf", "pdf"}, "unknown value pdf for --rtf"},
      {{"Notes", "--colour", "red"}, "unknown option --colour"},
      {{"Notes", "--timeout", "0"}, "--timeout takes a number of seconds from 1 to 86400"},
      {{"Notes", "--out"}, "--out needs a value"},
  };
  for (const auto& [arguments, error] : mistakes) EXPECT_EQ(parseHostCommand(arguments).error, error);
}

}  // namespace
}  // namespace tly
