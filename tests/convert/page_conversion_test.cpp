// From RTF to page with a stand-in converter: arguments handed on, pass order, hook, failures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "convert/html_passes.h"

namespace t2c {
namespace {

const std::string kConverterPage =
    "<html>\r\n"
    "<head>\r\n"
    "<meta name=\"GENERATOR\" content=\"Msftedit 5.41.21.2510;\">\r\n"
    "<!-- Created by RtfToWeb 2.0 -->\r\n"
    "<title>http://title.org</title>\r\n"
    "</head>\r\n"
    "<body>\r\n"
    "bookmark&lt;Intro&gt;See http://a.org&lt;b&gt;;bold&lt;/b&gt;; and "
    "<A HREF=\"http://b.org\">http://b.org</A>, 1 &gt; 0\r\n"
    "</body>\r\n"
    "</html>\r\n";

const std::string kFinishedPage1252 =
    "<html>\r\n"
    "<head>\n"
    "<meta http-equiv='Content-Type' content='text/html charset=windows-1252'>\n"
    "\r\n"
    "<meta name=\"GENERATOR\" content=\"\">\r\n"
    "<!-- Created by:Tessaly2CHM Plugin by Brenmoor http://www.tessaly.example-->\r\n"
    "<title>http://title.org</title>\r\n"
    "</head>\r\n"
    "<body>\r\n"
    "<A NAME=\"Intro\">See <A TARGET=_blank HREF=\"http://a.org\">http://a.org</A><b>bold</b> and "
    "<A HREF=\"http://b.org\">http://b.org</A>, 1 &gt; 0\r\n"
    "</body>\r\n"
    "</html>\r\n";

struct ConverterCall {
  std::string rtfText;
  std::string libraryPlace;
  std::string colourText;
};

struct StandInConverter {
  bool succeed = true;
  std::string output = kConverterPage;
  std::vector<ConverterCall> calls;

  RtfConverter function() {
    return [this](const std::string& rtf, std::string& result, const std::string& place,
                  const std::string& colour) {
      calls.push_back({rtf, place, colour});
      result = succeed ? output : std::string("Cannot load irun dll");
      return succeed;
    };
  }
};

struct HookRecord {
  int calls = 0;
  std::string pageSeen;
};

int recordingHook(std::string& page, void* context) {
  auto* record = static_cast<HookRecord*>(context);
  ++record->calls;
  record->pageSeen = page;
  page += "<!-- pictures -->";
  return 0;
}

TEST(ConvertRtfToPageTest, ConverterGetsTheRtfThePlaceAndTheColourText) {
  StandInConverter converter;
  std::string text = "{\\rtf1 hello}";
  ASSERT_TRUE(convertRtfToPage(text, "C:\\Plugins\\", 0x00563412u, 1252, converter.function(),
                               nullptr, nullptr));
  ASSERT_EQ(converter.calls.size(), 1u);
  EXPECT_EQ(converter.calls[0].rtfText, "{\\rtf1 hello}");
  EXPECT_EQ(converter.calls[0].libraryPlace, "C:\\Plugins\\");
  EXPECT_EQ(converter.calls[0].colourText, "123456");
}

TEST(ConvertRtfToPageTest, PassesRunInOrderAndWithoutHookThePageIsFinal) {
  StandInConverter converter;
  std::string text = "{\\rtf1 x}";
  ASSERT_TRUE(convertRtfToPage(text, "", 0u, 1252, converter.function(), nullptr, nullptr));
  EXPECT_EQ(text, kFinishedPage1252);
  EXPECT_EQ(converter.calls.at(0).colourText, "000000");
}

TEST(ConvertRtfToPageTest, HookSeesTheFinishedPageAndItsChangesAreKept) {
  StandInConverter converter;
  HookRecord record;
  std::string text = "{\\rtf1 x}";
  ASSERT_TRUE(convertRtfToPage(text, "", 0u, 1252, converter.function(), recordingHook, &record));
  EXPECT_EQ(record.calls, 1);
  EXPECT_EQ(record.pageSeen, kFinishedPage1252);
  EXPECT_EQ(text, kFinishedPage1252 + "<!-- pictures -->");
}

TEST(ConvertRtfToPageTest, CodePageChoosesTheDeclaration) {
  StandInConverter converter;
  converter.output = "<HEAD></head>x";
  std::string text = "{\\rtf1 x}";
  ASSERT_TRUE(convertRtfToPage(text, "", 0u, 932, converter.function(), nullptr, nullptr));
  EXPECT_EQ(text, "<HEAD>\n<meta http-equiv='Content-Type' content='text/html charset=shift_jis'>\n</head>x");
}

TEST(ConvertRtfToPageTest, EmptyConverterOutputStillGetsTheDeclaration) {
  StandInConverter converter;
  converter.output.clear();
  std::string text = "{\\rtf1 }";
  ASSERT_TRUE(convertRtfToPage(text, "", 0u, 1200, converter.function(), nullptr, nullptr));
  EXPECT_EQ(text, "<meta http-equiv='Content-Type' content='text/html charset=utf-8'>\n");
}

TEST(ConvertRtfToPageTest, FailureLeavesTheRtfAndSkipsTheHook) {
  StandInConverter converter;
  converter.succeed = false;
  HookRecord record;
  std::string text = "{\\rtf1 keep me}";
  EXPECT_FALSE(convertRtfToPage(text, "lib", 0u, 1252, converter.function(), recordingHook, &record));
  EXPECT_EQ(text, "{\\rtf1 keep me}");
  EXPECT_EQ(record.calls, 0);
  EXPECT_EQ(converter.calls.size(), 1u);
}

TEST(ConvertRtfToPageTest, MissingConverterFails) {
  std::string text = "{\\rtf1 keep me}";
  EXPECT_FALSE(convertRtfToPage(text, "", 0u, 1252, RtfConverter(), nullptr, nullptr));
  EXPECT_EQ(text, "{\\rtf1 keep me}");
}

TEST(FinishConvertedPageTest, AddressesAreLinkedBeforeEscapesBecomeMarkup) {
  std::string page = "x http://a.org&lt;br&gt;;http://b.org&gt;;\r\n";
  finishConvertedPage(page, 1251);
  EXPECT_EQ(page,
            "<meta http-equiv='Content-Type' content='text/html charset=windows-1251'>\n"
            "x <A TARGET=_blank HREF=\"http://a.org\">http://a.org</A><br>"
            "<A TARGET=_blank HREF=\"http://b.org>\">http://b.org></A>\r\n");
}

TEST(FinishConvertedPageTest, MarkupTypedInANoteKeepsItsAddressInItsTag) {
  std::string page = "<HEAD></head>&lt;a href=\"http://x.org\"&gt;;x.org&lt;/a&gt;;\r\n";
  finishConvertedPage(page, 1252);
  EXPECT_EQ(page,
            "<HEAD>\n<meta http-equiv='Content-Type' content='text/html charset=windows-1252'>\n"
            "</head><a href=\"http://x.org\">x.org</a>\r\n");
}

}  // namespace
}  // namespace t2c
