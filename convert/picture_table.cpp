// Picture table, the preparation's tree walk and the page hook that puts the pictures in.
#include "convert/picture_table.h"

#include <string_view>

namespace t2c {

std::string pictureFileName(int32_t number) { return "Picture_" + std::to_string(number) + ".bmp"; }

std::string imageElement(const std::string& fileName) { return "<IMG SRC='" + fileName + "'>"; }

PictureTable::~PictureTable() {
  // Backwards, so that a node kept twice ends with the text it had first.
  for (auto kept = keptTexts_.rbegin(); kept != keptTexts_.rend(); ++kept)
    kept->first->text.swap(kept->second);
}

void PictureTable::KeepText(ExportNode& node, std::string original) {
  keptTexts_.emplace_back(&node, std::move(original));
}

namespace {

struct Collection {
  const PictureExtractor& extract;
  std::vector<std::string>& pictureFiles;
  PictureTable& table;
  int32_t counter = 0;
};

bool collectNodePictures(TreeItem* item, void* context) {
  auto& c = *static_cast<Collection*>(context);
  ExportNode* node = item->node;
  if (!node || node->kind != kRichText) return true;
  node->pictures.clear();
  // A note left out of the help file ships none of its pictures either.
  if (node->excluded) return true;
  std::string original = node->text;
  c.extract(node->text, node->pictures, c.counter);
  if (node->text != original) c.table.KeepText(*node, std::move(original));
  for (const PictureEntry& entry : node->pictures) {
    c.pictureFiles.push_back(entry.first);
    c.table.Register(entry);
  }
  return true;
}

// Every occurrence of `from`, left to right, without rescanning what was put in.
void replaceAll(std::string& page, std::string_view from, const std::string& to) {
  size_t at = page.find(from);
  if (at == std::string::npos) return;
  std::string out;
  out.reserve(page.size());
  size_t done = 0;
  for (; at != std::string::npos; at = page.find(from, done)) {
    out.append(page, done, at - done);
    out += to;
    done = at + from.size();
  }
  out.append(page, done, std::string::npos);
  page.swap(out);
}

}  // namespace

void collectPictures(const NodeTree& tree, const PictureExtractor& extract,
                     std::vector<std::string>& pictureFiles, PictureTable& table) {
  Collection collection{extract, pictureFiles, table};
  walkTree(tree, tree.Root(), collectNodePictures, &collection);
}

int substitutePictures(std::string& page, void* pictureTable) {
  if (!pictureTable) return 1;
  for (const PictureEntry& entry : static_cast<const PictureTable*>(pictureTable)->Entries()) {
    // An empty placeholder (from a failed UUID) would match everywhere.
    if (!entry.second.empty()) replaceAll(page, entry.second, imageElement(entry.first));
  }
  return 1;
}

}  // namespace t2c
