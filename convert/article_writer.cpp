// The writing walk's visitor: decides from kind and RTF mode what each node's article becomes.
#include "convert/article_writer.h"

#include <cstdint>

#include "convert/article_plan.h"
#include "convert/html_passes.h"
#include "project/article_naming.h"
#include "project/project_writers.h"
#include "project/text_mode.h"
#include "project/tick_clock.h"

namespace t2c {
namespace {

// Conversions slower than this get their duration logged.
constexpr uint32_t kSlowConversionMs = 3000;
// A text this large (it holds pictures, as a rule) can take a noticeable time to convert, so the
// log shows its line before the conversion begins. Smaller ones convert in less time than
// showing the log takes, and their lines keep the log's pace.
constexpr size_t kLongConversionBytes = 64 * 1024;

std::string inWorkFolder(const std::string& workFolder, const std::string& fileName) {
  return workFolder + "\\" + fileName;
}

void replaceEvery(std::string& text, const std::string& marker, const std::string& replacement) {
  std::string out;
  size_t from = 0;
  for (size_t at; (at = text.find(marker, from)) != std::string::npos; from = at + marker.size()) {
    out.append(text, from, at - from);
    out += replacement;
  }
  if (from == 0) return;
  out.append(text, from, std::string::npos);
  text.swap(out);
}

}  // namespace

std::string fillRtfLinkTemplate(const std::string& pageTemplate, const std::string& rtfFileName,
                                const std::string& header) {
  std::string page = pageTemplate;
  // The file name goes in first, so a header that happens to contain the file marker keeps it.
  replaceEvery(page, "%RTF_FILE%", rtfFileName);
  replaceEvery(page, "%RTF_HEADER%", header);
  return page;
}

bool convertArticle(std::string& text, const ExportRun& run, const std::string& header) {
  run.Log("Convert to HTML " + header + kEllipsis);
  if (text.size() >= kLongConversionBytes) run.ShowLog();
  const uint32_t started = tickCount();
  const bool converted = run.conversions && run.conversions->RtfToPage(text, run);
  // Unsigned difference: correct across the counter's wrap after 49.7 days.
  const uint32_t elapsed = tickCount() - started;
  if (elapsed > kSlowConversionMs) {
    run.Log(std::string("   ") + (converted ? "OK" : "Fail!") + ", " + std::to_string(elapsed / 1000) +
            " seconds");
  }
  return converted;
}

WriteResult writeArticle(const std::string& workFolder, const std::string& fileName, const ExportNode& node,
                         const ExportRun& run) {
  std::string text = node.text;
  switch (articleText(node.kind, run.job.convertHtml, run.job.plainTextAsHtml)) {
    case ArticleText::kAsIs:
      break;
    case ArticleText::kConvertedRtf:
      convertArticle(text, run, node.header);
      tidyLinkTexts(text);
      break;
    case ArticleText::kTidiedRtf:
      tidyLinkTexts(text);
      break;
    case ArticleText::kConvertedPlainText: {
      if (run.conversions) text = run.conversions->PlainTextAsRtf(text);
      convertArticle(text, run, node.header);
      break;
    }
  }
  return writeBuildFile(run, inWorkFolder(workFolder, fileName), text);
}

WriteResult writeRtfLinkPage(ExportRun& run, const ExportNode& node, const std::string& rtfFileName) {
  const std::string page = fillRtfLinkTemplate(run.job.rtfLinkTemplate, rtfFileName, node.header);
  const WriteResult result =
      writeBuildFile(run, inWorkFolder(run.workFolder, node.fileName), textModeBytes(page));
  if (result == WriteResult::kWritten) run.fileList.push_back(node.fileName);
  return result;
}

WriteResult writeRtfLinkArticle(ExportRun& run, const ExportNode& node) {
  const std::string rtfFileName = rtfCompanionName(node.id);
  const WriteResult result = writeBuildFile(run, inWorkFolder(run.workFolder, rtfFileName), node.text);
  if (result != WriteResult::kWritten) return result;
  run.fileList.push_back(rtfFileName);
  return writeRtfLinkPage(run, node, rtfFileName);
}

bool writeNodeArticle(TreeItem* item, void* context) {
  auto* run = static_cast<ExportRun*>(context);
  if (!run) return false;
  const ExportNode* node = item ? item->node : nullptr;
  if (!node) return true;
  WriteResult result = WriteResult::kWritten;
  switch (nodeArticle(*node, run->job.convertHtml)) {
    case NodeArticle::kNone:
      return true;
    case NodeArticle::kRtfWithLinkPage:
      result = writeRtfLinkArticle(*run, *node);
      break;
    case NodeArticle::kArticle:
      result = writeArticle(run->workFolder, node->fileName, *node, *run);
      // A file that cannot be created stays listed: the compiler then names it in its report.
      if (result == WriteResult::kNotCreated) result = WriteResult::kWritten;
      if (result == WriteResult::kWritten) {
        run->fileList.push_back(node->fileName);
        if (node->id == run->job.firstArticleId) run->defaultTopic = node->fileName;
      }
      break;
  }
  if (result == WriteResult::kWriteFailed) run->writeFailed = true;
  return result == WriteResult::kWritten;
}

}  // namespace t2c
