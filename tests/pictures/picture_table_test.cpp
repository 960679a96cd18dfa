// The preparation's walk over the tree and the page hook, with a stand-in for the rich-text control.
#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <string>
#include <vector>

#include "pictures/picture_table.h"
#include "support/tree_fixture.h"

namespace t2c {
namespace {

// Stands in for the control: every "*" of a text is an object, which becomes "[Picture_N.bmp]";
// every "?" is an object it cannot draw; a "!" makes it fail once it has drawn the stars.
PicturesFound markStars(std::string& text, std::vector<PictureEntry>& pictures, int32_t& counter) {
  PicturesFound found;
  found.objects = static_cast<size_t>(std::count(text.begin(), text.end(), '?'));
  for (size_t at = text.size(); at > 0 && (at = text.rfind('*', at - 1)) != std::string::npos;) {
    const std::string name = pictureFileName(counter++);
    text.replace(at, 1, "[" + name + "]");
    pictures.emplace_back(name, "ph-" + name);
    ++found.objects;
    ++found.drawn;
  }
  if (text.find('!') != std::string::npos) throw std::bad_alloc();
  return found;
}

TEST(PictureTableTest, EveryIncludedRtfNodeYieldsItsPicturesAfreshAndGetsItsTextBack) {
  TreeFixture f;
  f.Add(1, 0, kContainer, "Root");
  f.Add(2, 1, kRichText, "Three").text = "a*b*c*";
  f.Add(3, 1, kPlainText, "Plain").text = "plain*";
  f.Add(4, 1, kRichText, "Excluded").text = "*x";
  f.Node(4).excluded = 1;
  f.Node(4).pictures = {{"Picture_8.bmp", "from a build before it was left out"}};
  f.Add(5, 1, kSecondContainer, "Folder");
  f.Add(6, 5, kRichText, "None").text = "no objects";
  f.Add(7, 5, kRichText, "Nested").text = "n*";
  f.Add(8, 5, kRichText, "Undrawn").text = "?a?";
  f.Add(9, 5, kRichText, "Undrawn, left out").text = "?";
  f.Node(9).excluded = 1;
  f.Node(2).pictures = {{"Picture_9.bmp", "from an earlier build"}};
  f.Add(10, 5, kRichText, "Fails").text = "{\\rtf1 {\\pict 01}{\\pict 02}**!}";
  f.Fill();

  const std::vector<PictureEntry> expected = {
      {"Picture_0.bmp", "ph-Picture_0.bmp"}, {"Picture_1.bmp", "ph-Picture_1.bmp"},
      {"Picture_2.bmp", "ph-Picture_2.bmp"}, {"Picture_3.bmp", "ph-Picture_3.bmp"}};
  for (int build = 0; build < 2; ++build) {
    std::vector<std::string> pictureFiles;
    {
      PictureTable table;
      EXPECT_EQ(collectPictures(f.tree, markStars, pictureFiles, table),
                (std::vector<std::string>{"Pictures not drawn, so not in the CHM-file: 2 of 2 in Undrawn",
                                          "Pictures not drawn, so not in the CHM-file: 2 of 2 in Fails"}));
      EXPECT_EQ(table.Entries(), expected);
      EXPECT_EQ(f.Node(2).text, "a[Picture_2.bmp]b[Picture_1.bmp]c[Picture_0.bmp]");
      EXPECT_EQ(f.Node(4).text, "*x");
      EXPECT_EQ(f.Node(7).text, "n[Picture_3.bmp]");
      EXPECT_EQ(f.Node(3).text, "plain*");
      EXPECT_EQ(f.Node(10).text, "{\\rtf1 {\\pict 01}{\\pict 02}**!}");
    }
    EXPECT_EQ(pictureFiles, (std::vector<std::string>{"Picture_0.bmp", "Picture_1.bmp", "Picture_2.bmp",
                                                      "Picture_3.bmp"}));
    EXPECT_EQ(f.Node(2).pictures, std::vector<PictureEntry>(expected.begin(), expected.begin() + 3));
    EXPECT_EQ(f.Node(7).pictures, std::vector<PictureEntry>(1, expected[3]));
    EXPECT_TRUE(f.Node(3).pictures.empty());
    EXPECT_TRUE(f.Node(4).pictures.empty());
    EXPECT_TRUE(f.Node(6).pictures.empty());
    EXPECT_TRUE(f.Node(10).pictures.empty());
    for (int id : {2, 3, 4, 6, 7}) EXPECT_EQ(f.Node(id).text.find('['), std::string::npos) << id;
  }
}

TEST(PictureTableTest, PlaceholdersBecomeImageElements) {
  PictureTable table;
  table.Register({"Picture_1.bmp", "1b4e28ba-2fa1-11d2-883f-0016d3cca427"});
  table.Register({"Picture_0.bmp", "0f8fad5b-d9cb-469f-a165-70867728950e"});
  table.Register({"Picture_7.bmp", ""});
  std::string page =
      "<P>1b4e28ba-2fa1-11d2-883f-0016d3cca427 one0f8fad5b-d9cb-469f-a165-70867728950e two "
      "1b4e28ba-2fa1-11d2-883f-0016d3cca427 0F8FAD5B-D9CB-469F-A165-70867728950E</P>";
  EXPECT_EQ(substitutePictures(page, &table), 1);
  EXPECT_EQ(page,
            "<P><IMG SRC='Picture_1.bmp'> one<IMG SRC='Picture_0.bmp'> two <IMG SRC='Picture_1.bmp'> "
            "0F8FAD5B-D9CB-469F-A165-70867728950E</P>");

  const std::string plain = "<P>no pictures here</P>";
  for (void* context : {static_cast<void*>(&table), static_cast<void*>(nullptr)}) {
    std::string unchanged = plain;
    EXPECT_EQ(substitutePictures(unchanged, context), 1);
    EXPECT_EQ(unchanged, plain);
  }
}

TEST(PictureTableTest, OverlapsRepeatsAndLaterEntriesFollowTheTablesOrder) {
  // The end of the first placeholder begins the second: the entry first in the table wins.
  const std::string first = "11111111-1111-1111-1111-1111abcdef01";
  const std::string second = "abcdef01-2222-2222-2222-222222222222";
  const std::string page = "x 11111111-1111-1111-1111-1111abcdef01-2222-2222-2222-222222222222 " + second + " y";
  PictureTable firstFirst;
  firstFirst.Register({"Picture_1.bmp", first});
  firstFirst.Register({"Picture_2.bmp", second});
  firstFirst.Register({"Picture_3.bmp", first});  // already replaced everywhere by its first entry
  std::string one = page;
  firstFirst.Substitute(one);
  EXPECT_EQ(one, "x <IMG SRC='Picture_1.bmp'>-2222-2222-2222-222222222222 <IMG SRC='Picture_2.bmp'> y");
  PictureTable secondFirst;
  secondFirst.Register({"Picture_2.bmp", second});
  secondFirst.Register({"Picture_1.bmp", first});
  std::string two = page;
  secondFirst.Substitute(two);
  EXPECT_EQ(two, "x 11111111-1111-1111-1111-1111<IMG SRC='Picture_2.bmp'> <IMG SRC='Picture_2.bmp'> y");

  // An entry registered after a page was done counts for the next page.
  secondFirst.Register({"Picture_4.bmp", "44444444-4444-4444-4444-444444444444"});
  std::string later = "44444444-4444-4444-4444-444444444444";
  secondFirst.Substitute(later);
  EXPECT_EQ(later, "<IMG SRC='Picture_4.bmp'>");

  // Placeholders of other forms still replace entry by entry, even inside an element put in.
  PictureTable other;
  other.Register({"Picture_0.bmp", "ab"});
  other.Register({"Picture_1.bmp", "bmp"});
  std::string plain = "ab bmp";
  other.Substitute(plain);
  EXPECT_EQ(plain, "<IMG SRC='Picture_0.<IMG SRC='Picture_1.bmp'>'> <IMG SRC='Picture_1.bmp'>");
}

}  // namespace
}  // namespace t2c
