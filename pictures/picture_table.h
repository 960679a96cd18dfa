// The pictures of one build: which placeholder stands for which bitmap file, and the hook showing them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "project/export_job.h"

namespace t2c {

// "Picture_%d.bmp" with the number.
std::string pictureFileName(int32_t number);

// The element that shows a picture file of the work folder in a page.
std::string imageElement(const std::string& fileName);

// Lives for one build, from the picture preparation until the build has ended. Besides the
// pairs it keeps the node texts as the host sent them: when the table ends, every text the
// preparation rewrote is given back, so the next build (pictures or not) starts from the
// host's text again. The nodes must outlive the table.
class PictureTable {
 public:
  PictureTable() = default;
  ~PictureTable();
  PictureTable(const PictureTable&) = delete;
  PictureTable& operator=(const PictureTable&) = delete;

  void Register(const PictureEntry& entry) {
    entries_.push_back(entry);
    index_.reset();
  }
  const std::vector<PictureEntry>& Entries() const { return entries_; }

  // Remembers the node's text as the host sent it; it returns to the node when the table ends.
  void KeepText(ExportNode& node, std::string original);

  // Every placeholder of the table in the page becomes the image element of its file, as if
  // each entry in turn replaced its placeholder wherever it stands; an empty placeholder
  // replaces nothing.
  void Substitute(std::string& page) const;

 private:
  struct Index;  // the placeholders as one reading of a page finds them; made at the first page

  std::vector<PictureEntry> entries_;
  std::vector<std::pair<ExportNode*, std::string>> keptTexts_;
  mutable std::shared_ptr<const Index> index_;
};

// How many embedded objects a text holds and how many of them became pictures.
struct PicturesFound {
  size_t objects = 0;
  size_t drawn = 0;
};

// Takes one node's pictures out of its text: rewrites `text`, appends the node's pairs to
// `pictures` and advances `counter` by the number of pictures made.
using PictureExtractor =
    std::function<PicturesFound(std::string& text, std::vector<PictureEntry>& pictures, int32_t& counter)>;

// Walks the tree in pre-order and extracts afresh the pictures of every RTF node not left out,
// from its text, numbering them from 0. Every node's earlier pairs are replaced. Every pair goes,
// in walk order, to `pictureFiles` (its file name) and to the table. Returns a log line for each
// note with objects that were not drawn: the help file lacks them.
std::vector<std::string> collectPictures(const NodeTree& tree, const PictureExtractor& extract,
                                         std::vector<std::string>& pictureFiles, PictureTable& table);

// The page hook of a build with pictures: the table's (a PictureTable's) Substitute. Always 1;
// no table changes nothing.
int substitutePictures(std::string& page, void* pictureTable);

}  // namespace t2c
