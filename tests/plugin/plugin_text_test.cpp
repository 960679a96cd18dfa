// The titles the plug-in proposes: from a header, from the document's path.
#include <gtest/gtest.h>

#include "plugin/plugin_text.h"
#include "support/shift_jis.h"

namespace t2c {
namespace {

TEST(PluginText, TitlesFromHeadersAndPaths) {
  EXPECT_EQ(trimHeader(oneLineText("\x7F Notes\r\n[FILES]\r\nC:\\secret.txt\t\x01")), "Notes  [FILES]  C:\\secret.txt");
  EXPECT_EQ(oneLineText("A\x1F\xE9\x80\xFF"), "A \xE9\x80\xFF");

  EXPECT_EQ(documentTitleFromPath("C:\\Documents\\Garden notes.v2.tly"), "Garden notes.v2");
  EXPECT_EQ(documentTitleFromPath("D:notes"), "notes");
  EXPECT_EQ(documentTitleFromPath("/home/me/plain"), "plain");
  EXPECT_EQ(documentTitleFromPath(""), "");
  // "\x95\x5C" is one character whose second byte is the byte of "\".
  EXPECT_EQ(documentTitleFromPath("C:\\\x95\\\x8E\x86\\\x95\\.tly", shiftJisLead), "\x95\\");
  EXPECT_EQ(documentTitleFromPath("C:\\Docs\\\x95\\\x8E\x86.tly", shiftJisLead), "\x95\\\x8E\x86");
  EXPECT_EQ(documentTitleFromPath("C:\\Docs\\\x95\\\x8E\x86.tly"), "\x8E\x86");
}

}  // namespace
}  // namespace t2c
