// Reading a document listed node by node in one file: for documents no folder can hold.
#include <cstdlib>
#include <string>
#include <vector>

#include "host/document.h"

namespace tly {

namespace {

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "\\", "\t", "\n", "\r" and "\xHH" stand for their bytes; any other backslash stands for itself.
std::string unescaped(const std::string& field) {
  std::string bytes;
  bytes.reserve(field.size());
  for (size_t i = 0; i < field.size(); ++i) {
    const char c = field[i];
    if (c != '\\' || i + 1 == field.size()) {
      bytes += c;
      continue;
    }
    const char next = field[i + 1];
    if (next == '\\' || next == 't' || next == 'n' || next == 'r') {
      bytes += next == 't' ? '\t' : next == 'n' ? '\n' : next == 'r' ? '\r' : '\\';
      ++i;
    } else if (next == 'x' && i + 3 < field.size() && hexDigit(field[i + 2]) >= 0 && hexDigit(field[i + 3]) >= 0) {
      bytes += static_cast<char>(hexDigit(field[i + 2]) * 16 + hexDigit(field[i + 3]));
      i += 3;
    } else {
      bytes += c;
    }
  }
  return bytes;
}

// The list file's name without folder and extension, as a folder's name heads its document.
std::string listName(const std::string& path) {
  const size_t slash = path.find_last_of("\\/:");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const size_t dot = name.rfind('.');
  return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

std::vector<std::string> fields(const std::string& line) {
  std::vector<std::string> result(1);
  for (char c : line) {
    if (c == '\t')
      result.emplace_back();
    else
      result.back() += c;
  }
  return result;
}

}  // namespace

Document loadNodeList(const std::string& listing, const std::string& path) {
  Document document;
  document.path = path;
  // The nodes open at each depth, for finding a new node's parent.
  std::vector<int> openAt;
  size_t start = 0;
  for (int lineNumber = 1; start < listing.size(); ++lineNumber) {
    size_t end = listing.find('\n', start);
    if (end == std::string::npos) end = listing.size();
    std::string line = listing.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const std::vector<std::string> parts = fields(line);
    if (parts.size() < 3 || parts[0].find_first_not_of("0123456789") != std::string::npos ||
        parts[0].empty() || parts[0].size() > 9) {
      document.problems.push_back("Line " + std::to_string(lineNumber) + " is no node");
      continue;
    }
    DocumentNode node;
    node.depth = std::stoi(parts[0]);
    node.kind = parts[1].empty() ? kContainer : std::atoi(parts[1].c_str());
    node.header = unescaped(parts[2]);
    if (parts.size() > 3) node.text = unescaped(parts[3]);
    node.id = static_cast<int>(document.nodes.size());
    if (document.nodes.empty()) {
      node.depth = 0;
      if (node.header.empty()) node.header = listName(path);
    } else {
      // A node may go at most one level below the one before it.
      if (node.depth < 1) node.depth = 1;
      if (static_cast<size_t>(node.depth) > openAt.size()) node.depth = static_cast<int>(openAt.size());
      const DocumentNode& parent = document.nodes[static_cast<size_t>(openAt[static_cast<size_t>(node.depth) - 1])];
      node.parentId = parent.id;
    }
    openAt.resize(static_cast<size_t>(node.depth));
    openAt.push_back(node.id);
    document.nodes.push_back(std::move(node));
  }
  if (document.nodes.empty()) {
    DocumentNode root;
    root.header = listName(path);
    document.nodes.push_back(root);
  }
  return document;
}

}  // namespace tly
