// The language list 3016: the languages of the user's keyboard layouts, the default preselected.
#pragma once

#include <windows.h>

#include <string>

namespace t2c {

class LanguageList {
 public:
  // Adds one entry per installed layout to the sorted drop-down list and selects the user's
  // default language, or the first entry when no layout has it.
  void Fill(HWND list);
  // The selected entry's text, which the project file takes as its language; the fallback
  // language when nothing is selected.
  std::string languageText() const;

 private:
  HWND list_ = nullptr;
};

}  // namespace t2c
