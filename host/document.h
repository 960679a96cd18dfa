// A Tessaly document as the stand-in reads it from a folder: the nodes in pre-order with host ids.
#pragma once

#include <string>
#include <vector>

#include "model/node_kinds.h"

namespace tly {

// Node kinds as the host sends them; the stand-in's folders are of the first container kind.
using t2c::kContainer;
using t2c::kHtml;
using t2c::kPlainText;
using t2c::kRichText;
using t2c::kWebArchive;

struct DocumentNode {
  int id = 0;
  int parentId = 0;  // the root's is its own id
  int kind = kContainer;
  int depth = 0;     // 0 for the root
  std::string header;
  std::string text;
  std::string path;      // below the document folder, "\"-separated; empty for the root
  std::string iconPath;  // "<note>.ico" beside the note, or empty
};

struct FolderEntry {
  std::string name;
  bool isFolder = false;
};

// Where a document's folders and files come from; the Windows file system in the stand-in.
class DocumentSource {
 public:
  virtual ~DocumentSource() = default;
  // The entries directly inside `folder`, in any order; "." and ".." are not listed.
  virtual std::vector<FolderEntry> List(const std::string& folder) = 0;
  // Every byte of the file; false when it cannot be read.
  virtual bool Read(const std::string& file, std::string& bytes) = 0;
};

struct Document {
  std::string path;                 // the document folder as given
  std::vector<DocumentNode> nodes;  // pre-order, ids 0, 1, 2, ...; at least the root
  std::vector<std::string> problems;  // files that could not be read, one line each

  // The index of the node whose path (or header path, without extensions) is `path`, compared
  // without regard to case and with "/" or "\" as separator; -1 when there is none.
  int Find(const std::string& path) const;
  // The node at `index` and everything below it, in pre-order.
  std::vector<const DocumentNode*> Branch(int index) const;
};

// The kind a file name gives: .txt plain text, .rtf formatted text, .htm/.html HTML, .mht/.mhtml
// web archive (letter case ignored); -1 for any other file, which is no note.
int kindOfFileName(const std::string& name);

// The header of a note: the file name without its extension (from the last dot on).
std::string headerOfFileName(const std::string& name);

// Reads the document folder: sub-folders are containers, notes are files of a known kind, both
// sorted by name without regard to case; the root is the folder itself, headed by its own name.
// Files and folders whose names start with "." are left out.
Document loadDocument(DocumentSource& source, const std::string& folder);

// Reads a document listed in one file (a ".nodes" file), for documents no folder can hold:
// thousands of levels, headers of any bytes. One node a line in pre-order: its depth (the root's
// 0), a tab, its kind as a number (empty: a container), a tab, its header, and optionally a tab
// and its text. Header and text write "\\", "\t", "\n", "\r" and "\xHH" for those bytes. A
// node deeper than one below the node before it is taken as one below it; empty lines and lines
// starting with "#" are none. Nodes keep no paths (a deep chain's would take the square of its
// depth); they are found by their headers.
Document loadNodeList(const std::string& listing, const std::string& path);

}  // namespace tly
