// The embedded-object groups of RTF texts and the texts with marks in their place.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pictures/rtf_object_groups.h"

namespace t2c {
namespace {

const std::string kMark = "0f8fad5b-d9cb-469f-a165-70867728950e";

std::string marked(const std::string& rtf, const std::vector<std::string>& marks) {
  return markObjectGroups(rtf, findObjectGroups(rtf), marks);
}

TEST(RtfObjectGroupsTest, EveryObjectFormBecomesItsMarkAndOneBlank) {
  const std::string rtf =
      "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\header {\\pict\\wmetafile8 0102}}\r\n"
      "A\\b{\\pict\\pngblip\\picw1 8950\r\n4e47}"
      "B{\\i nested {\\ul deeper {\\pict\\dibitmap0 {\\*\\blipuid 0011}2800}}}"
      "C{\\pict\\wmetafile8\\bin6 }{}}\\{}"
      "D{\\object\\objemb{\\*\\objclass Paint.Picture}{\\*\\objdata 0105}{\\result {\\pict\\dibitmap0 2800}}}"
      "E{\\*\\shppict{\\pict\\pngblip 8950}}\r\n{\\nonshppict{\\pict\\wmetafile8 0100}}"
      "F{\\nonshppict{\\pict\\wmetafile8 0100}}"
      "G{\\*\\foo {\\pict 00}}{\\field{\\*\\fldinst{HYPERLINK \"http://x.org/\"}}{\\fldrslt{\\ul x}}}"
      "H\\'7b\\{{\\pict\\emfblip 0100}\\}{\\*\\bkmkstart r}I{\\*\\bkmkend r}\\par}\r\n"
      "{\\pict after the end}";
  EXPECT_EQ(marked(rtf, {kMark, "", "m2", "m3", "m4", "m5"}),
            "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\header {\\pict\\wmetafile8 0102}}\r\n"
            "A\\b{" + kMark + " }"
            "B{\\i nested {\\ul deeper { }}}"
            "C{m2 }"
            "D{m3 }"
            "E{m4 }"
            "F{\\nonshppict{\\pict\\wmetafile8 0100}}"
            "G{\\*\\foo {\\pict 00}}{\\field{\\*\\fldinst{HYPERLINK \"http://x.org/\"}}{\\fldrslt{\\ul x}}}"
            "H\\'7b\\{{m5 }\\}{\\*\\bkmkstart r}I{\\*\\bkmkend r}\\par}\r\n"
            "{\\pict after the end}");
  // Marks missing at the end leave their objects as blanks.
  EXPECT_EQ(marked("{\\rtf1 a{\\pict 01}b{\\object{\\result{\\pict 02}}}c}", {"m0"}), "{\\rtf1 a{m0 }b{ }c}");

  const std::string plain = "{\\rtf1\\ansi No {\\b objects}, \\{\\pict\\} \\bin3 {\\p here.\\par}";
  EXPECT_TRUE(findObjectGroups(plain).empty());
  EXPECT_EQ(marked(plain, {}), plain);
  EXPECT_TRUE(findObjectGroups("").empty());

  // Cut off anywhere, the text never yields an object the whole text does not have.
  const std::vector<ObjectGroup> whole = findObjectGroups(rtf);
  ASSERT_EQ(whole.size(), 6u);
  for (size_t length = 0; length <= rtf.size(); ++length) {
    const std::string cut = rtf.substr(0, length);
    const std::vector<ObjectGroup> groups = findObjectGroups(cut);
    ASSERT_LE(groups.size(), whole.size()) << length;
    for (size_t k = 0; k < groups.size(); ++k) {
      EXPECT_EQ(groups[k].begin, whole[k].begin) << length;
      EXPECT_LE(groups[k].end, length) << length;
    }
    markObjectGroups(cut, groups, {"m"});
  }
}

TEST(RtfObjectGroupsTest, TheGroupsAloneMakeADocumentOfTheirOwn) {
  const std::string rtf =
      "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\trowd\\cellx100 {\\trowd\\cellx50 a\\cell\\row}"
      "{\\field{\\*\\fldinst HYPERLINK \"http://x/\"}{\\fldrslt{\\pict\\intbl\\itap2\\dibitmap0 2800}}}\\cell\\row "
      "{\\*\\bkmkstart b}{\\*\\shppict{\\pict\\pngblip 8950}}\r\n{\\nonshppict{\\pict\\trowd\\wmetafile8\\cell 0100}}"
      "{\\object\\objemb{\\*\\objclass Paint.Picture}{\\*\\objdata 0105}{\\result{\\pard\\intbl\\trleft-108\\clbrdrt"
      "\\brdrs\\cellx50 {\\pict\\emfblip 01}\\nestcell{\\*\\nesttableprops\\trowd\\nestrow}{\\nonesttables\\par}\\row}}}\\par}";
  // Without the table structure the groups carry: a control can fail on rows out of order.
  const std::vector<ObjectGroup> groups = findObjectGroups(rtf);
  EXPECT_EQ(objectGroupsOnly(rtf, groups),
            "{\\rtf1\\ansi\\deff0"
            "\n{\\pict \\dibitmap0 2800}\\par"
            "\n{\\*\\shppict{\\pict\\pngblip 8950}}\r\n{\\nonshppict{\\pict \\wmetafile8 0100}}\\par"
            "\n{\\object\\objemb{\\*\\objclass Paint.Picture}{\\*\\objdata 0105}{\\result{\\pard \\brdrs {\\pict\\emfblip 01}}}}\\par"
            "\n}");
  // The fallback of a picture pair alone, for a control that cannot load the pair's first picture.
  EXPECT_EQ(shapeFallbackOnly(rtf, groups[1]), "{\\rtf1\\ansi\\deff0\n{{\\pict \\wmetafile8 0100}}\\par\n}");
  EXPECT_EQ(shapeFallbackOnly(rtf, groups[0]) + shapeFallbackOnly(rtf, groups[2]) +
                shapeFallbackOnly(rtf, {groups[1].begin, groups[1].end + 99}), "");
  EXPECT_EQ(objectGroupsOnly("{\\rtf1 no pictures}", {}), "{\\rtf1\\ansi\\deff0\n}");
  // The document of the groups has the same groups, in the same order.
  const std::string only = objectGroupsOnly(rtf, findObjectGroups(rtf));
  const std::vector<ObjectGroup> again = findObjectGroups(only);
  ASSERT_EQ(again.size(), 3u);
  EXPECT_EQ(only.substr(again[1].begin, again[1].end - again[1].begin),
            "{\\*\\shppict{\\pict\\pngblip 8950}}\r\n{\\nonshppict{\\pict \\wmetafile8 0100}}");
}

TEST(RtfObjectGroupsTest, UnbalancedTextsAreReadAsFarAsTheyGo) {
  EXPECT_TRUE(findObjectGroups("{\\rtf1 a{\\pict 0102").empty());
  EXPECT_EQ(marked("}}{\\rtf1 a{\\pict 01}b", {"m"}), "}}{\\rtf1 a{m }b");
  EXPECT_TRUE(findObjectGroups("{\\rtf1 a\\bin99999999999999999999999 {\\pict 01}}").empty());
  EXPECT_EQ(marked("{\\rtf1 a\\bin-5 {\\pict 01}}", {"m"}), "{\\rtf1 a\\bin-5 {m }}");
  for (const char* rtf : {"{\\rtf1 a\\", "{\\rtf1 \\'", "{\\rtf1 \\'4", "{\\rtf1 {\\*", "{\\rtf1 {\\*\\", "{{{{",
                          "}}}}", "{\\rtf1 {\\pict\\bin", "{\\rtf1 {\\pict\\bin2"}) {
    EXPECT_TRUE(findObjectGroups(rtf).empty()) << rtf;
    EXPECT_EQ(marked(rtf, {"m"}), rtf);
  }
  // Groups out of order or past the text are left alone.
  EXPECT_EQ(markObjectGroups("{a}{b}", {{3, 6}, {0, 3}, {4, 99}}, {"x", "y", "z"}), "{a}{x }");
}

}  // namespace
}  // namespace t2c
