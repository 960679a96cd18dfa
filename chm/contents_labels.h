// The labels a contents file (.hhc) gives its pages, for topics whose page has no title.
#pragma once

#include <map>
#include <string>

namespace chm {

// Page name as the help file stores it, in lower case ("pages/note1.htm") -> the label of the
// first contents entry that opens it, character references read. Entries pointing into other
// help files or to the web are left out.
std::map<std::string, std::string> contentsLabels(const std::string& hhc);

}  // namespace chm
