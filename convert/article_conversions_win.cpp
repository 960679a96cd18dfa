// The writing walk's conversions on Windows: the converter library and the host's text service.
#include "convert/article_conversions_win.h"

#include "convert/page_conversion_win.h"
#include "plugin/host_services_win.h"

namespace t2c {

namespace {

class WindowsArticleConversions : public ArticleConversions {
 public:
  bool RtfToPage(std::string& text, const ExportRun& run) override {
    return convertRtfToPage(text, run.job.converterPlace, run.job.htmlHook, run.job.htmlHookContext);
  }

  std::string PlainTextAsRtf(const std::string& text) override {
    // A host without the service leaves the plain text itself for the converter.
    std::string rendered = text;
    host::convertText(text, rendered);
    return rendered;
  }
};

}  // namespace

ArticleConversions& windowsArticleConversions() {
  static WindowsArticleConversions conversions;
  return conversions;
}

}  // namespace t2c
