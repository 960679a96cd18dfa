// Step-by-step versions of three page passes, kept as simple as possible to check the fast ones.
#pragma once

#include <string>

namespace t2c::literal {

// Links the addresses of the body outside markup, splicing from the last address to the first.
void linkWebAddresses(std::string& page);

// Replaces one marker per round, searching the whole page again from its start every round.
void insertBookmarkAnchors(std::string& page);

// Upper-cases a fresh copy of the page for every link it looks at.
void tidyLinkTexts(std::string& page);

}  // namespace t2c::literal
