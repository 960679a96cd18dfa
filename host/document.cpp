// Reading a document folder into nodes in pre-order.
#include "host/document.h"

#include <algorithm>
#include <map>
#include <utility>

namespace tly {

namespace {

std::string lowered(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

// Separators unified to "\" and letter case folded, for comparing paths.
std::string pathKey(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  while (!path.empty() && path.back() == '\\') path.pop_back();
  while (!path.empty() && path.front() == '\\') path.erase(path.begin());
  return lowered(path);
}

std::string joined(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return folder.back() == '\\' || folder.back() == '/' ? folder + name : folder + "\\" + name;
}

std::string baseName(const std::string& path) {
  std::string trimmed = path;
  while (trimmed.size() > 1 && (trimmed.back() == '\\' || trimmed.back() == '/')) trimmed.pop_back();
  size_t slash = trimmed.find_last_of("\\/:");
  return slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
}

bool extensionIs(const std::string& lowerName, const char* extension) {
  const std::string ending = std::string(".") + extension;
  return lowerName.size() > ending.size() &&
         lowerName.compare(lowerName.size() - ending.size(), ending.size(), ending) == 0;
}

struct Pending {
  std::string folder;    // full path of the folder to list
  std::string relative;  // its path below the document
  int nodeIndex;         // the container node standing for it
};

}  // namespace

int kindOfFileName(const std::string& name) {
  const std::string lower = lowered(name);
  if (extensionIs(lower, "txt")) return kPlainText;
  if (extensionIs(lower, "rtf")) return kRichText;
  if (extensionIs(lower, "htm") || extensionIs(lower, "html")) return kHtml;
  if (extensionIs(lower, "mht") || extensionIs(lower, "mhtml")) return kWebArchive;
  return -1;
}

std::string headerOfFileName(const std::string& name) {
  size_t dot = name.rfind('.');
  return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

Document loadDocument(DocumentSource& source, const std::string& folder) {
  Document document;
  document.path = folder;
  DocumentNode root;
  root.header = baseName(folder);
  document.nodes.push_back(root);

  // Depth first with an explicit stack of open folders, so that deep folder trees cannot exhaust
  // the call stack; ids follow pre-order because a folder is opened as soon as it is numbered.
  struct OpenFolder {
    Pending where;
    std::vector<FolderEntry> entries;
    std::map<std::string, std::string> icons;  // lower-case header -> icon file name
    size_t next = 0;
  };
  std::vector<OpenFolder> open;
  auto enter = [&](Pending where) {
    OpenFolder folder{std::move(where), {}, {}, 0};
    for (FolderEntry& entry : source.List(folder.where.folder)) {
      if (entry.name.empty() || entry.name[0] == '.') continue;
      if (!entry.isFolder && extensionIs(lowered(entry.name), "ico")) {
        folder.icons[lowered(headerOfFileName(entry.name))] = entry.name;
        continue;
      }
      if (entry.isFolder || kindOfFileName(entry.name) >= 0) folder.entries.push_back(std::move(entry));
    }
    std::sort(folder.entries.begin(), folder.entries.end(), [](const FolderEntry& a, const FolderEntry& b) {
      const std::string la = lowered(a.name), lb = lowered(b.name);
      return la != lb ? la < lb : a.name < b.name;
    });
    open.push_back(std::move(folder));
  };
  enter({folder, std::string(), 0});
  while (!open.empty()) {
    OpenFolder& current = open.back();
    if (current.next == current.entries.size()) {
      open.pop_back();
      continue;
    }
    const FolderEntry entry = current.entries[current.next++];
    const Pending where = current.where;
    DocumentNode node;
    node.id = static_cast<int>(document.nodes.size());
    node.parentId = document.nodes[where.nodeIndex].id;
    node.depth = document.nodes[where.nodeIndex].depth + 1;
    node.path = joined(where.relative, entry.name);
    const std::string full = joined(where.folder, entry.name);
    if (entry.isFolder) {
      node.header = entry.name;
      document.nodes.push_back(node);
      enter({full, node.path, node.id});
      continue;
    }
    node.kind = kindOfFileName(entry.name);
    node.header = headerOfFileName(entry.name);
    if (!source.Read(full, node.text)) document.problems.push_back("Cannot read " + full);
    auto icon = current.icons.find(lowered(node.header));
    if (icon != current.icons.end()) node.iconPath = joined(where.folder, icon->second);
    document.nodes.push_back(node);
  }
  return document;
}

int Document::Find(const std::string& path) const {
  const std::string key = pathKey(path);
  for (size_t i = 0; i < nodes.size(); ++i) {
    if (pathKey(nodes[i].path) == key) return static_cast<int>(i);
  }
  // The same path written with headers, that is without the notes' extensions.
  for (size_t i = 0; i < nodes.size(); ++i) {
    std::string headers = nodes[i].header;
    for (int parent = nodes[i].parentId; parent != 0; parent = nodes[parent].parentId)
      headers = nodes[parent].header + "\\" + headers;
    if (i != 0 && pathKey(headers) == key) return static_cast<int>(i);
  }
  return key.empty() && !nodes.empty() ? 0 : -1;
}

std::vector<const DocumentNode*> Document::Branch(int index) const {
  std::vector<const DocumentNode*> branch;
  if (index < 0 || static_cast<size_t>(index) >= nodes.size()) return branch;
  const int depth = nodes[index].depth;
  branch.push_back(&nodes[index]);
  for (size_t i = static_cast<size_t>(index) + 1; i < nodes.size() && nodes[i].depth > depth; ++i)
    branch.push_back(&nodes[i]);
  return branch;
}

}  // namespace tly
