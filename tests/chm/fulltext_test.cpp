// Full-text search: generated projects in five languages and code pages, written by the help-file
// writer and searched with pychm, whose results must be exactly the pages holding each word.
#include <iconv.h>

#include <cctype>

#include <map>
#include <random>
#include <set>
#include <sstream>

#include <gtest/gtest.h>

#include "chm/chm_writer.h"
#include "support/chm_readers.h"

namespace {

using Pages = std::set<std::string>;  // page names

std::string converted(const std::string& utf8, const std::string& charset) {
  iconv_t cd = iconv_open(charset.c_str(), "UTF-8");
  std::string out(utf8.size() * 4 + 4, '\0');
  char* in = const_cast<char*>(utf8.data());
  char* to = &out[0];
  size_t inLeft = utf8.size(), outLeft = out.size();
  EXPECT_NE(static_cast<size_t>(-1), iconv(cd, &in, &inLeft, &to, &outLeft)) << utf8 << " in " << charset;
  iconv_close(cd);
  out.resize(out.size() - outLeft);
  return out;
}

std::vector<std::string> split(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> parts;
  for (std::string part; in >> part;) parts.push_back(part);
  return parts;
}

// The first UTF-8 character of a word as a numeric character reference.
std::string withReference(const std::string& word) {
  const unsigned char b = static_cast<unsigned char>(word[0]);
  const size_t n = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
  uint32_t c = n == 1 ? b : b & (0xFF >> (n + 1));
  for (size_t i = 1; i < n; ++i) c = c << 6 | (static_cast<unsigned char>(word[i]) & 0x3F);
  return "&#" + std::to_string(c) + ";" + word.substr(n);
}

struct Language {
  const char* name;
  uint32_t lcid;
  const char* storedCharset;  // the project's ANSI code page
  const char* pageCharset;    // what the pages are written in
  const char* meta;           // the charset the pages declare, or none
  const char* syllables;      // lower case; the next line the same in capitals
  const char* capitals;
  const char* endings;
  const char* capitalEndings;
};

const Language kLanguages[] = {
    {"english", 0x409, "CP1252", "CP1252", nullptr, "ka lo mi ren sa to vel an dor is caf\xC3\xA9 na\xC3\xAF", "KA LO MI REN SA TO VEL AN DOR IS CAF\xC3\x89 NA\xC3\x8F", "er s ing", "ER S ING"},
    {"russian", 0x419, "CP1251", "UTF-8", "utf-8", "ка ло ми рен жу то вёл ан дор щи ъе ю", "КА ЛО МИ РЕН ЖУ ТО ВЁЛ АН ДОР ЩИ ЪЕ Ю", "ий ая ость", "ИЙ АЯ ОСТЬ"},
    {"greek", 0x408, "CP1253", "CP1253", nullptr, "κα λό μι ρεν ψυ το βέλ αν δορ ξι ώ ϊ", "ΚΑ ΛΌ ΜΙ ΡΕΝ ΨΥ ΤΟ ΒΈΛ ΑΝ ΔΟΡ ΞΙ Ώ Ϊ", "ος ης α", "ΟΣ ΗΣ Α"},
    {"polish", 0x415, "CP1250", "CP1250", "windows-1250", "ka ło mi ręn żu tó wel ań dor ści źe ąg", "KA ŁO MI RĘN ŻU TÓ WEL AŃ DOR ŚCI ŹE ĄG", "ość ek y", "OŚĆ EK Y"},
};

// A generated project: pages by name, and for every word (UTF-8, lower case) the pages holding it.
struct Project {
  chmtest::Files files;
  std::map<std::string, Pages> pagesOf;
  std::map<std::string, std::string> titleOf;  // page -> the title search results show
};

std::string page(const std::string& title, const std::string& body, const char* meta) {
  return std::string("<html><head>") + (meta ? "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=" + std::string(meta) + "\">" : "") +
         "<title>" + title + "</title><style>p { font: zzstyle }</style></head><body bgcolor=\"#FFFFFF\">" +
         "<script>var zzscript = 1;</script><!-- zzcomment --><p><a title=\"zzattribute\" href=\"p0.htm\">" + body +
         "</a></p></body></html>";
}

// Pages of words made of the language's syllables, written in lower case, capitalized, in capitals
// or starting with a character reference; page 1's title is empty and its contents label names it.
// Search results must show the other titles in the project's code page, references read.
Project alphabeticProject(const Language& l, int pageCount, int vocabulary, int wordsPerPage) {
  std::mt19937 random(2026);
  const auto lower = split(l.syllables), upper = split(l.capitals);
  const auto endings = split(l.endings), capitalEndings = split(l.capitalEndings);
  std::vector<std::vector<size_t>> words(static_cast<size_t>(vocabulary));  // syllable numbers, ending last
  for (auto& word : words) {
    for (size_t n = 2 + random() % 3; n > 0; --n) word.push_back(random() % lower.size());
    word.push_back(lower.size() + random() % endings.size());
  }
  auto spelled = [&](const std::vector<size_t>& word, int capitals) {
    std::string text;
    for (size_t i = 0; i < word.size(); ++i) {
      const bool capital = capitals == 2 || (capitals == 1 && i == 0);
      const size_t s = word[i];
      text += s < lower.size() ? (capital ? upper : lower)[s] : (capital ? capitalEndings : endings)[s - lower.size()];
    }
    return text;
  };
  Project p;
  std::string toc = "<html><body><ul>";
  for (int n = 0; n < pageCount; ++n) {
    const std::string name = "p" + std::to_string(n) + ".htm";
    // Titles hold a word of the language, its first letter as a reference; page 1 has none.
    const auto& titleWord = words[static_cast<size_t>(n) % words.size()];
    const std::string title = "Page " + std::to_string(n) + " " + spelled(titleWord, 1);
    p.titleOf[name] = n == 1 ? "Label &amp; 1" : title;
    if (n != 1)
      for (const std::string& word : {std::string("page"), std::to_string(n), spelled(titleWord, 0)}) p.pagesOf[word].insert(name);
    std::string body = "common";
    p.pagesOf["common"].insert(name);
    if (n % 2 == 0) body += " even", p.pagesOf["even"].insert(name);
    for (int w = 0; w < wordsPerPage; ++w) {
      const auto& word = words[random() % words.size()];
      const int form = static_cast<int>(random() % 10);
      std::string shown = spelled(word, form < 6 ? 0 : form < 8 ? 1 : 2);
      body += (form == 9 ? " <b>" + withReference(shown) + "</b>, " : " " + shown);
      p.pagesOf[spelled(word, 0)].insert(name);
    }
    const std::string written = n == 1 ? "" : "Page " + std::to_string(n) + " " + withReference(spelled(titleWord, 1));
    p.files["/" + name] = converted(page(written, body, l.meta), l.pageCharset);
    toc += "<li><object type=\"text/sitemap\"><param name=\"Name\" value=\"" + p.titleOf[name] +
           "\"><param name=\"Local\" value=\"" + name + "\"></object>";
  }
  p.titleOf["p1.htm"] = "Label & 1";
  p.files["/toc.hhc"] = toc + "</ul></body></html>";
  return p;
}

std::string compiled(const Project& p, uint32_t lcid, bool search = true) {
  chm::HelpFileInfo info;
  info.title = "Search";
  info.defaultTopic = "p0.htm";
  info.contentsFile = "toc.hhc";
  info.compiledStem = "search";
  info.lcid = lcid;
  info.fullTextSearch = search;
  chm::MemorySink scratch, out;
  chm::ChmWriter writer(info, scratch);
  for (const auto& [name, bytes] : p.files) EXPECT_EQ(chm::WriteError::None, writer.addFile(name.substr(1), bytes));
  EXPECT_EQ(chm::WriteError::None, writer.finish(out));
  return chmtest::saveTemporary(out.bytes);
}

// Searches for each word (UTF-8) and compares with the pages expected, titled as expected.
void expectFound(const std::string& chm, const Project& p, const std::map<std::string, Pages>& expected,
                 const char* charset, chmtest::SearchMode mode) {
  std::vector<std::string> queries;
  for (const auto& item : expected) queries.push_back(converted(item.first, charset));
  auto results = chmtest::pychmSearch(chm, queries, mode);
  size_t n = 0;
  for (const auto& [word, pages] : expected) {
    chmtest::SearchResult wanted;
    for (const std::string& name : pages) wanted.found[converted(p.titleOf.at(name), charset)] = name;
    EXPECT_EQ(wanted.found, results[queries[n++]].found) << word << " in " << charset;
  }
  EXPECT_EQ(queries.size(), results.size()) << "pychm answered another number of queries";
}

std::map<std::string, Pages> sample(const Project& p, size_t every) {
  std::map<std::string, Pages> chosen;
  size_t n = 0;
  for (const auto& item : p.pagesOf)
    if (n++ % every == 0 || item.first == "common") chosen.insert(item);
  for (const char* markup : {"zzstyle", "zzscript", "zzcomment", "zzattribute", "html", "bgcolor", "ffffff"})
    chosen[markup];
  return chosen;
}

TEST(FullTextSearch, EveryWordOfEveryPageInFourAlphabetsIsFoundOnExactlyItsPages) {
  for (const Language& l : kLanguages) {
    const Project p = alphabeticProject(l, 40, 300, 60);
    const std::string chm = compiled(p, l.lcid);
    expectFound(chm, p, sample(p, 3), l.storedCharset, chmtest::SearchMode::WholeWords);
  }
}

TEST(FullTextSearch, HundredsOfPagesMakeSeveralLeavesAnIndexNodeAndPrefixSearchesWork) {
  const Project p = alphabeticProject(kLanguages[0], 300, 3000, 80);
  const std::string chm = compiled(p, 0x409);
  const std::string index = chmtest::readWithPychm(chm).files["/$FIftiMain"];
  ASSERT_GE(index.size(), 0x400u);
  EXPECT_GE(static_cast<unsigned char>(index[0x10]), 3) << "leaves";
  EXPECT_GE(index[0x18], 2) << "depth";
  expectFound(chm, p, sample(p, 7), "CP1252", chmtest::SearchMode::WholeWords);

  std::map<std::string, Pages> prefixes;
  for (const char* prefix : {"kalo", "caf\xC3\xA9", "rendo", "na\xC3\xAFis", "comm", "ev"})
    for (const auto& [word, pages] : p.pagesOf)
      if (word.compare(0, std::string(prefix).size(), prefix) == 0) prefixes[prefix].insert(pages.begin(), pages.end());
  expectFound(chm, p, prefixes, "CP1252", chmtest::SearchMode::Prefix);
  chmtest::expectEveryReaderReadsBack(chm, p.files);
  EXPECT_FALSE(chmtest::readWithPychm(compiled(p, 0x409, false)).files.count("/$FIftiMain")) << "search off";
}

TEST(FullTextSearch, JapaneseIdeographRunsAndEachIdeographAreFound) {
  // Shift-JIS characters whose second byte is an ASCII letter are left out: pychm compares words
  // with ASCII letters folded, so two such characters differing in that letter's case are one to it.
  std::vector<std::string> kanji, katakana = split("データ ファイル ヘルプ ページ メモ");
  for (const std::string& c : split("日 本 語 文 章 検 索 全 書 式 開 発 者 説 明 表 示 言 葉 漢 字 画 面 設 定"))
    if (!isalpha(static_cast<unsigned char>(converted(c, "SHIFT_JIS")[1]))) kanji.push_back(c);
  const auto particles = split("の は を に です");
  std::mt19937 random(932);
  Project p;
  for (int n = 0; n < 40; ++n) {
    const std::string name = "p" + std::to_string(n) + ".htm";
    p.titleOf[name] = "Page " + std::to_string(n);
    p.pagesOf["page"].insert(name);
    p.pagesOf[std::to_string(n)].insert(name);
    std::string body;
    for (int w = 0; w < 30; ++w) {
      std::string word;
      if (random() % 4 == 0) {
        word = katakana[random() % katakana.size()];
      } else {
        for (size_t k = 2 + random() % 2; k > 0; --k) {
          const std::string& c = kanji[random() % kanji.size()];
          word += c;
          p.pagesOf[c].insert(name);
        }
      }
      const std::string& particle = particles[random() % particles.size()];
      body += word + particle;
      p.pagesOf[word].insert(name);
      p.pagesOf[particle].insert(name);
      for (size_t at = 0; at < particle.size(); at += 3) p.pagesOf[particle.substr(at, 3)].insert(name);
    }
    p.files["/" + name] = converted(page(p.titleOf[name], body, nullptr), "SHIFT_JIS");
  }
  p.files["/toc.hhc"] = "<html><body></body></html>";
  const std::string chm = compiled(p, 0x411);
  expectFound(chm, p, sample(p, 2), "SHIFT_JIS", chmtest::SearchMode::WholeWords);
}

}  // namespace
