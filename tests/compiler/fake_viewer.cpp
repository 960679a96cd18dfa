// A help-viewer stand-in for tests: shows a window captioned with the text of the file it opens,
// or with T2C_VIEWER_CAPTION when that is set (a real viewer shows the help file's title).
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

LRESULT CALLBACK viewerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

std::string fileText(const char* path) {
  std::string text;
  if (FILE* in = std::fopen(path, "rb")) {
    char buffer[512];
    size_t length = std::fread(buffer, 1, sizeof buffer, in);
    text.assign(buffer, length);
    std::fclose(in);
  }
  return text;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show) {
  while (*commandLine == ' ') ++commandLine;
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = viewerProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "T2CFakeViewer";
  RegisterClassA(&windowClass);
  char caption[1024] = "";
  std::string title = GetEnvironmentVariableA("T2C_VIEWER_CAPTION", caption, sizeof caption) ? caption
                                                                                               : fileText(commandLine);
  HWND window = CreateWindowA("T2CFakeViewer", title.c_str(), WS_OVERLAPPEDWINDOW,
                              CW_USEDEFAULT, CW_USEDEFAULT, 300, 200, nullptr, nullptr, instance, nullptr);
  ShowWindow(window, show);
  // A viewer nobody closes (a test that crashed) leaves by itself, so that no process stays behind.
  SetTimer(window, 1, 120000, nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_TIMER) DestroyWindow(window);
    DispatchMessageA(&message);
  }
  return 0;
}
