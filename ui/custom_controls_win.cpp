// HeaderLabel and OptionButton: subclassed static and button controls.
#include "ui/custom_controls_win.h"

namespace t2c {

namespace {

constexpr char kPreviousProcedure[] = "T2C.HeaderLabel.Previous";

// One pixel of dark grey above one pixel of white, half way down a line of height h.
void drawEtchedLine(HDC dc, int x1, int x2, int h) {
  RECT dark = {x1, h / 2 - 1, x2, h / 2};
  FillRect(dc, &dark, static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH)));
  RECT light = {x1, h / 2, x2, h / 2 + 1};
  FillRect(dc, &light, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

void paintHeaderLabel(HWND label, HDC dc) {
  char text[256] = "";
  int length = GetWindowTextA(label, text, sizeof text);
  RECT client;
  GetClientRect(label, &client);
  SetBkMode(dc, TRANSPARENT);
  if (length <= 0) {
    drawEtchedLine(dc, 0, client.right, client.bottom);
    return;
  }
  HFONT bold = nullptr;
  LOGFONTA description;
  HFONT current = reinterpret_cast<HFONT>(SendMessageA(label, WM_GETFONT, 0, 0));
  if (current && GetObjectA(current, sizeof description, &description) == sizeof description) {
    description.lfWeight = FW_BOLD;
    bold = CreateFontIndirectA(&description);
  }
  HGDIOBJ previousFont = bold ? SelectObject(dc, bold) : nullptr;
  COLORREF previousColour =
      SetTextColor(dc, GetSysColor(IsWindowEnabled(label) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  SIZE size = {};
  GetTextExtentPoint32A(dc, text, length, &size);
  RECT textRect = {0, 0, size.cx, size.cy};
  DrawTextA(dc, text, length, &textRect, DT_SINGLELINE | DT_LEFT | DT_TOP | DT_NOPREFIX);
  SetTextColor(dc, previousColour);
  int averageWidth = size.cx / length;
  drawEtchedLine(dc, size.cx + averageWidth, client.right, size.cy);
  if (bold) {
    SelectObject(dc, previousFont);
    DeleteObject(bold);
  }
}

LRESULT CALLBACK headerLabelProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
  auto previous = reinterpret_cast<WNDPROC>(GetPropA(label, kPreviousProcedure));
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(label, &paint);
      paintHeaderLabel(label, dc);
      EndPaint(label, &paint);
      return 0;
    }
    case WM_ENABLE: {
      LRESULT result = CallWindowProcA(previous, label, message, wParam, lParam);
      InvalidateRect(label, nullptr, TRUE);
      UpdateWindow(label);
      return result;
    }
    case WM_NCDESTROY:
      SetWindowLongPtrA(label, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
      RemovePropA(label, kPreviousProcedure);
      break;
  }
  return CallWindowProcA(previous, label, message, wParam, lParam);
}

// Shared by every option button of the process, made once and kept while the library is loaded.
HFONT g_regularFont = nullptr;
HFONT g_boldFont = nullptr;
WNDPROC g_buttonProcedure = nullptr;

void applyOptionFont(HWND button) {
  if (!g_regularFont) {
    LOGFONTA description = {};
    if (SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof description, &description, 0))
      g_regularFont = CreateFontIndirectA(&description);
  }
  if (g_regularFont && !g_boldFont) {
    LOGFONTA description = {};
    GetObjectA(g_regularFont, sizeof description, &description);
    description.lfWeight = FW_BOLD;
    g_boldFont = CreateFontIndirectA(&description);
  }
  bool checked = (CallWindowProcA(g_buttonProcedure, button, BM_GETSTATE, 0, 0) & BST_CHECKED) != 0;
  HFONT font = checked ? g_boldFont : g_regularFont;
  if (font) CallWindowProcA(g_buttonProcedure, button, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

LRESULT CALLBACK optionButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != BM_SETCHECK) return CallWindowProcA(g_buttonProcedure, button, message, wParam, lParam);
  LRESULT before = CallWindowProcA(g_buttonProcedure, button, BM_GETCHECK, 0, 0);
  LRESULT result = CallWindowProcA(g_buttonProcedure, button, message, wParam, lParam);
  if (CallWindowProcA(g_buttonProcedure, button, BM_GETCHECK, 0, 0) != before) applyOptionFont(button);
  return result;
}

}  // namespace

void makeHeaderLabel(HWND label) {
  if (!label || GetPropA(label, kPreviousProcedure)) return;
  auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(label, GWLP_WNDPROC));
  SetPropA(label, kPreviousProcedure, reinterpret_cast<HANDLE>(previous));
  SetWindowLongPtrA(label, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(headerLabelProc));
  InvalidateRect(label, nullptr, TRUE);
}

void makeOptionButton(HWND button) {
  if (!button) return;
  auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(button, GWLP_WNDPROC));
  if (current == optionButtonProc) return;
  if (!g_buttonProcedure) g_buttonProcedure = current;
  applyOptionFont(button);
  SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(optionButtonProc));
}

}  // namespace t2c
