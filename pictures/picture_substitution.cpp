// The page hook that puts the pictures in: all of a table's placeholders found in one reading of the page.
#include <algorithm>
#include <iterator>
#include <map>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "pictures/picture_table.h"

namespace t2c {

// The result must be that of each entry in turn replacing its placeholder wherever it stands.
// Reading the page once gives that result when an image element put in can never be part of a
// later placeholder, and all placeholders have one length, so that one position starts at most
// one of them: the picture step's UUIDs and file names are such. Any other table keeps the
// entry-by-entry replacement.
struct PictureTable::Index {
  bool onePass = false;
  size_t length = 0;
  bool inPlaceholder[256] = {};
  // Each placeholder's first entry: a later entry with the same one finds it replaced already.
  std::unordered_map<std::string_view, size_t> firstEntry;
};

namespace {

struct Occurrence {
  size_t at;
  size_t entry;
};

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

// Whether the element could hold, or with its neighbours make, a placeholder: only a run of
// placeholder characters as long as a placeholder can match, and a run cannot cross an end of
// the element that is no placeholder character.
bool elementCanMatch(const std::string& element, const bool (&inPlaceholder)[256], size_t length) {
  auto in = [&inPlaceholder](char c) { return inPlaceholder[static_cast<unsigned char>(c)]; };
  if (element.empty() || in(element.front()) || in(element.back())) return true;
  size_t run = 0;
  for (char c : element) {
    run = in(c) ? run + 1 : 0;
    if (run >= length) return true;
  }
  return false;
}

// Of occurrences that overlap, the entry replacing first takes its own, left to right; an
// occurrence overlapping one taken is gone. Those apart from all others are all taken.
std::vector<Occurrence> settleOverlaps(const std::vector<Occurrence>& found, size_t length) {
  std::vector<Occurrence> taken;
  taken.reserve(found.size());
  for (size_t first = 0; first < found.size();) {
    size_t end = first + 1;
    while (end < found.size() && found[end].at - found[end - 1].at < length) ++end;
    if (end - first == 1) {
      taken.push_back(found[first]);
      first = end;
      continue;
    }
    std::vector<Occurrence> cluster(found.begin() + static_cast<std::ptrdiff_t>(first),
                                    found.begin() + static_cast<std::ptrdiff_t>(end));
    std::sort(cluster.begin(), cluster.end(), [](const Occurrence& a, const Occurrence& b) {
      return a.entry != b.entry ? a.entry < b.entry : a.at < b.at;
    });
    std::map<size_t, size_t> kept;  // position -> entry
    for (const Occurrence& o : cluster) {
      auto next = kept.lower_bound(o.at);
      if (next != kept.end() && next->first - o.at < length) continue;
      if (next != kept.begin() && o.at - std::prev(next)->first < length) continue;
      kept.emplace(o.at, o.entry);
    }
    for (const auto& [at, entry] : kept) taken.push_back({at, entry});
    first = end;
  }
  return taken;
}

}  // namespace

void PictureTable::Substitute(std::string& page) const {
  if (!index_) {
    auto index = std::make_shared<Index>();
    index->onePass = true;
    for (size_t k = 0; k < entries_.size(); ++k) {
      const std::string& placeholder = entries_[k].second;
      // An empty placeholder (from a failed UUID) would match everywhere.
      if (placeholder.empty()) continue;
      if (index->length == 0) index->length = placeholder.size();
      if (placeholder.size() != index->length) index->onePass = false;
      for (char c : placeholder) index->inPlaceholder[static_cast<unsigned char>(c)] = true;
      index->firstEntry.emplace(placeholder, k);
    }
    for (const auto& [placeholder, entry] : index->firstEntry) {
      if (elementCanMatch(imageElement(entries_[entry].first), index->inPlaceholder, index->length))
        index->onePass = false;
    }
    index_ = std::move(index);
  }
  const Index& index = *index_;
  if (index.firstEntry.empty()) return;
  if (!index.onePass) {
    for (const PictureEntry& entry : entries_)
      if (!entry.second.empty()) replaceAll(page, entry.second, imageElement(entry.first));
    return;
  }

  // Only the end of a long enough run of placeholder characters can end a placeholder.
  std::vector<Occurrence> found;
  const std::string_view text(page);
  size_t run = 0;
  for (size_t end = 0; end < text.size(); ++end) {
    run = index.inPlaceholder[static_cast<unsigned char>(text[end])] ? run + 1 : 0;
    if (run < index.length) continue;
    const size_t at = end + 1 - index.length;
    auto entry = index.firstEntry.find(text.substr(at, index.length));
    if (entry != index.firstEntry.end()) found.push_back({at, entry->second});
  }
  if (found.empty()) return;

  std::string out;
  out.reserve(page.size() + found.size() * 32);
  size_t done = 0;
  for (const Occurrence& o : settleOverlaps(found, index.length)) {
    out.append(page, done, o.at - done);
    out += imageElement(entries_[o.entry].first);
    done = o.at + index.length;
  }
  out.append(page, done, std::string::npos);
  page.swap(out);
}

int substitutePictures(std::string& page, void* pictureTable) {
  if (pictureTable) static_cast<const PictureTable*>(pictureTable)->Substitute(page);
  return 1;
}

}  // namespace t2c
