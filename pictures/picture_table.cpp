// Picture table and the preparation's tree walk.
#include "pictures/picture_table.h"

#include "pictures/rtf_object_groups.h"

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
  std::vector<std::string> lostLines;
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
  const int32_t counterBefore = c.counter;
  PicturesFound found;
  try {
    found = c.extract(node->text, node->pictures, c.counter);
  } catch (...) {
    // A note that cannot be prepared ships without its pictures; the build goes on.
    node->text = original;
    node->pictures.clear();
    c.counter = counterBefore;
    found = {findObjectGroups(original).size(), 0};
  }
  if (found.drawn < found.objects) {
    c.lostLines.push_back("Pictures not drawn, so not in the CHM-file: " + std::to_string(found.objects - found.drawn) +
                          " of " + std::to_string(found.objects) + " in " + node->header);
  }
  if (node->text != original) c.table.KeepText(*node, std::move(original));
  for (const PictureEntry& entry : node->pictures) {
    c.pictureFiles.push_back(entry.first);
    c.table.Register(entry);
  }
  return true;
}

}  // namespace

std::vector<std::string> collectPictures(const NodeTree& tree, const PictureExtractor& extract,
                                         std::vector<std::string>& pictureFiles, PictureTable& table) {
  Collection collection{extract, pictureFiles, table, {}};
  walkTree(tree, tree.Root(), collectNodePictures, &collection);
  return std::move(collection.lostLines);
}

}  // namespace t2c
