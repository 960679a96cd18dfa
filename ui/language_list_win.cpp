// LanguageList: keyboard layouts, their languages' display names, the preselection.
#include "ui/language_list_win.h"

#include <vector>

#include "ui/dialog_texts.h"

namespace t2c {

namespace {

std::string languageName(uint16_t languageId) {
  char name[100] = "";
  int length = GetLocaleInfoA(MAKELCID(languageId, SORT_DEFAULT), LOCALE_SLANGUAGE, name, 99);
  return length > 1 ? std::string(name) : std::string();
}

}  // namespace

void LanguageList::Fill(HWND list) {
  list_ = list;
  int count = GetKeyboardLayoutList(0, nullptr);
  if (count <= 0) return;
  std::vector<HKL> layouts(static_cast<size_t>(count));
  count = GetKeyboardLayoutList(count, layouts.data());
  if (count <= 0) return;
  layouts.resize(static_cast<size_t>(count));

  std::vector<uint16_t> languageIds;
  std::vector<std::string> entries;
  for (HKL layout : layouts) {
    uint16_t languageId = LOWORD(reinterpret_cast<UINT_PTR>(layout));
    languageIds.push_back(languageId);
    entries.push_back(languageEntryText(languageId, languageName(languageId)));
    SendMessageA(list_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entries.back().c_str()));
  }
  int preselected = preselectedLayout(languageIds, GetUserDefaultLCID());
  LRESULT index = 0;
  if (preselected >= 0) {
    index = SendMessageA(list_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>(entries[static_cast<size_t>(preselected)].c_str()));
    if (index == CB_ERR) index = 0;
  }
  SendMessageA(list_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::string LanguageList::languageText() const {
  LRESULT index = SendMessageA(list_, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) return kFallbackLanguage;
  LRESULT length = SendMessageA(list_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == CB_ERR) return kFallbackLanguage;
  std::string text(static_cast<size_t>(length) + 1, '\0');
  length = SendMessageA(list_, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
  if (length == CB_ERR) return kFallbackLanguage;
  text.resize(static_cast<size_t>(length));
  return text;
}

}  // namespace t2c
