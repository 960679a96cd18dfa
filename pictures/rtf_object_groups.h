// Where the embedded objects of an RTF text stand, and the text with marks in their place.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace t2c {

// The bytes [begin, end) of one embedded object in an RTF text.
struct ObjectGroup {
  size_t begin;
  size_t end;
};

// The embedded objects of the document, in document order, as a rich-text control reads them:
// a {\pict} group, an {\object} group (its \result picture included), and a {\*\shppict} group
// together with the {\nonshppict} fallback right after it. \bin data, escapes, ignorable
// destinations, a lone {\nonshppict}, headers and footers are passed over; so are a group the
// text ends inside and anything after the document's closing brace.
std::vector<ObjectGroup> findObjectGroups(std::string_view rtf);

// A document of the groups alone, in order, one paragraph each: all that a rich-text control
// needs to find and draw the objects of the text, so that the k-th object it reports is the k-th
// group, without laying out the rest of the note (its tables, fields and long paragraphs). It
// holds no table structure, not even what the groups carry: rows, cells, their properties and
// nesting, and the destinations of nested rows are left out.
std::string objectGroupsOnly(std::string_view rtf, const std::vector<ObjectGroup>& groups);

// For a {\*\shppict} group followed by its {\nonshppict} fallback: a document like
// objectGroupsOnly's of the fallback's content alone, as a group of its own, for a control that
// takes the first picture of the pair and cannot load it. Empty for any other group.
std::string shapeFallbackOnly(std::string_view rtf, const ObjectGroup& group);

// The text with every group replaced: group k by "{" + marks[k] + " }", or by "{ }" when that
// mark is empty or missing, so that each object becomes one blank with its mark right before
// it. The braces keep a control word in front from running into the mark. All other bytes stay.
std::string markObjectGroups(std::string_view rtf, const std::vector<ObjectGroup>& groups,
                             const std::vector<std::string>& marks);

}  // namespace t2c
