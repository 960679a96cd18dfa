// The help-file writer: every reader reads back what it was given, the viewer's settings and topic
// tables say what the project said, and bad names and failing media are reported.
#include "chm/chm_writer.h"

#include <gtest/gtest.h>

#include "support/chm_readers.h"

namespace {

using chm::ChmWriter;
using chm::LzxCompressor;
using chm::WriteError;
using chmtest::Files;

chm::HelpFileInfo sampleInfo() {
  return {"Field Guide", "file0.htm", "content.hhc", "index.hhk", "Tessaly2CHM", 0x0407, false, 1700000000};
}

std::string page(int n, size_t filler = 0) {
  return "<html><head><TITLE>  Page\n" + std::to_string(n) + " &amp; more</TITLE></head><body>" +
         std::string(filler, static_cast<char>('a' + n % 26)) + "</body></html>";
}

// The help file made of `files`; every addFile must succeed.
std::string write(const Files& files, LzxCompressor::Mode mode, const chm::HelpFileInfo& info = sampleInfo()) {
  chm::MemorySink scratch, out;
  ChmWriter writer(info, scratch, mode);
  for (const auto& [name, bytes] : files) EXPECT_EQ(WriteError::None, writer.addFile(name.substr(1), bytes)) << name;
  EXPECT_EQ(WriteError::None, writer.finish(out));
  return out.bytes;
}

uint32_t dword(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

std::string le(uint64_t value, int size) {
  std::string out;
  for (int i = 0; i < size; ++i) out.push_back(static_cast<char>(i < 8 ? value >> (8 * i) : 0));
  return out;
}

std::string record(int code, const std::string& data) { return le(code, 2) + le(data.size(), 2) + data; }

// The compressed section's length: the files listed in it lie back to back.
uint64_t sectionLength(const Files& viewed) {
  uint64_t total = 0;
  for (const auto& [name, bytes] : viewed)
    if (name != "/#SYSTEM" && name != "/#ITBITS") total += bytes.size();
  return total;
}

TEST(ChmWriter, EveryReaderReadsEveryProjectBack) {
  std::vector<Files> projects(5);
  projects[1]["/file0.htm"] = page(0);
  for (int i = 0; i < 3; ++i) projects[2]["/big" + std::to_string(i) + ".htm"] = page(i, 70000 + 1000 * i);
  for (int i = 0; i < 420; ++i) projects[3]["/Files/Chapter-" + std::to_string(i) + "/page" + std::to_string(i) + ".htm"] = page(i, i);
  projects[4] = {{"/Images/Logo-2.PNG", std::string(300, '\x89')}, {"/a/B/c/d-9.htm", page(9)},
                 {"/empty.txt", ""}, {"/page 1.html", page(1)}, {"/Zeta.htm", page(26)}, {"/zz_top.htm", page(3)}};
  for (auto mode : {LzxCompressor::Mode::StoreOnly, LzxCompressor::Mode::Compress})
    for (const Files& files : projects) chmtest::expectEveryReaderReadsBack(chmtest::saveTemporary(write(files, mode)), files);
}

TEST(ChmWriter, SectionLengthsAroundFrameMultiplesReadBack) {
  const Files base{{"/file0.htm", page(0)}, {"/pad.bin", "x"}};
  const uint64_t baseLength = sectionLength(chmtest::readWithMspack(chmtest::saveTemporary(write(base, LzxCompressor::Mode::StoreOnly))).files);
  for (uint64_t target : {32767u, 32768u, 32769u, 65535u, 65536u, 98304u}) {
    Files files = base;
    files["/pad.bin"] = std::string(1 + target - baseLength, 'p');
    std::string path = chmtest::saveTemporary(write(files, LzxCompressor::Mode::StoreOnly));
    chmtest::expectEveryReaderReadsBack(path, files);
    EXPECT_EQ(target % 32768 == 0 ? target + 1 : target, sectionLength(chmtest::readWithMspack(path).files));
  }
}

TEST(ChmWriter, ViewerSettingsAndTopicsSayWhatTheProjectSays) {
  const chm::HelpFileInfo info = sampleInfo();
  const Files files{{"/file0.htm", page(0)}, {"/page 1.html", page(1)}, {"/notes.txt", "plain"}, {"/content.hhc", "<UL></UL>"}};
  const std::string path = chmtest::saveTemporary(write(files, LzxCompressor::Mode::StoreOnly, info));
  const chmtest::PychmFacts facts = chmtest::pychmFacts(path);
  EXPECT_EQ("|Field Guide|/file0.htm|/content.hhc|1031",
            facts.problems + "|" + facts.title + "|" + facts.home + "|" + facts.topics + "|" + std::to_string(facts.lcid));

  const Files viewed = chmtest::readWithMspack(path).files;
  const std::string idxhdr = viewed.at("/#IDXHDR");
  EXPECT_EQ("T#SM 2 4096", idxhdr.substr(0, 4) + " " + std::to_string(dword(idxhdr, 0x0C)) + " " + std::to_string(idxhdr.size()));
  const uint64_t fileTime = (1700000000ULL + 11644473600ULL) * 10000000ULL;
  EXPECT_EQ(le(3, 4) + record(10, le(1700000000, 4)) + record(9, std::string("Tessaly2CHM HHC", 16)) +
                record(4, le(0x0407, 4) + le(0, 16) + le(fileTime, 8) + le(0, 8)) +
                record(2, std::string("file0.htm", 10)) + record(3, std::string("Field Guide", 12)) +
                record(6, std::string("tessaly2chm", 12)) + record(0, std::string("content.hhc", 12)) +
                record(1, std::string("index.hhk", 10)) + record(5, std::string("main", 5)) +
                record(12, le(0, 4)) + record(13, idxhdr) + record(15, le(0, 4)),
            viewed.at("/#SYSTEM"));

  // Each topic leads to its page and its title; the URL table is sorted by the viewer's hash.
  const std::string topics = viewed.at("/#TOPICS"), table = viewed.at("/#URLTBL");
  const std::string urls = viewed.at("/#URLSTR"), strings = viewed.at("/#STRINGS");
  std::map<std::string, std::string> titleOfPage;
  std::map<std::string, uint32_t> hashOfPage;
  for (size_t t = 0; t + 16 <= topics.size(); t += 16) {
    uint32_t row = dword(topics, t + 8);
    EXPECT_EQ(t / 16, dword(table, row + 4));
    std::string url = urls.c_str() + dword(table, row + 8) + 8;
    titleOfPage[url] = strings.c_str() + dword(topics, t + 4);
    hashOfPage[url] = dword(table, row);
    EXPECT_LE(row > 0 ? dword(table, row - 12) : 0, dword(table, row));
  }
  EXPECT_EQ((std::map<std::string, std::string>{{"file0.htm", "Page 0 & more"}, {"page 1.html", "Page 1 & more"}}), titleOfPage);
  EXPECT_EQ(0x333DFDC1u, hashOfPage["page 1.html"]);
}

TEST(ChmWriter, BadNamesAndFailingMediaAreReported) {
  chm::MemorySink scratch, out;
  ChmWriter writer(sampleInfo(), scratch);
  for (const std::string& name : std::vector<std::string>{"", "/abs.htm", "a//b.htm", "a/../b.htm", "./a.htm", "dir/",
                                                          "#SYSTEM", "$OBJINST", "a\\b.htm", "c:x.htm", "tab\t.htm",
                                                          "\xC3(.htm", std::string(512, 'n')})
    EXPECT_EQ(WriteError::BadName, writer.addFile(name, "x")) << name;
  EXPECT_EQ(WriteError::None, writer.addFile("Dir/Page.htm", "x"));
  EXPECT_EQ(WriteError::BadName, writer.addFile("dir/PAGE.HTM", "y"));
  EXPECT_EQ(WriteError::None, writer.addFile("dir/#1.htm", "\xC3\xA9"));

  struct FailingSink : chm::MemorySink {
    size_t room;
    bool readable = true;
    explicit FailingSink(size_t r) : room(r) {}
    bool write(const void* data, size_t size) override {
      if (size > room) return false;
      room -= size;
      return MemorySink::write(data, size);
    }
    bool copyTo(ByteSink& to) override { return readable && MemorySink::copyTo(to); }
  };
  FailingSink full(10000);
  EXPECT_EQ(WriteError::OutputFailed, writer.finish(full));
  EXPECT_EQ(WriteError::Finished, writer.addFile("late.htm", "x"));
  EXPECT_EQ(WriteError::Finished, writer.finish(out));

  FailingSink brokenScratch(40000);
  ChmWriter second(sampleInfo(), brokenScratch, LzxCompressor::Mode::StoreOnly);
  EXPECT_EQ(WriteError::ScratchFailed, second.addFile("big.htm", std::string(100000, 'b')));
  EXPECT_EQ(WriteError::ScratchFailed, second.finish(out));
  FailingSink unreadable(100000);
  ChmWriter third(sampleInfo(), unreadable, LzxCompressor::Mode::StoreOnly);
  unreadable.readable = false;
  EXPECT_EQ(WriteError::ScratchFailed, third.finish(out));
}

}  // namespace
