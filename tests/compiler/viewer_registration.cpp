// Registering the fake viewer in the class registry and putting back what was there.
#include "viewer_registration.h"

#include <shlwapi.h>
#include <tlhelp32.h>
#include "support/windows_path.h"

namespace t2c {

namespace {

// Wine's HKEY_CLASSES_ROOT is the machine's class key alone, so the tests write there and put
// back what they changed.
void setClassValue(const std::string& key, const std::string& value) {
  HKEY handle;
  RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr);
  RegSetValueExA(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
  RegCloseKey(handle);
}

// The default value of a class key, or none when the key is missing.
bool classValue(const std::string& key, std::string& value) {
  char buffer[MAX_PATH] = "";
  LONG size = sizeof buffer;
  if (RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), buffer, &size) != ERROR_SUCCESS) return false;
  value = buffer;
  return true;
}

}  // namespace

std::string fakeViewer() { return windowsPath(T2C_FAKE_VIEWER); }

Registration::Registration(const std::string& extension, const std::string& command) : extension_(extension) {
  hadClass_ = classValue(extension, previousClass_);
  setClassValue(extension, "T2CTest.Viewer");
  setClassValue("T2CTest.Viewer\\shell\\open\\command", command);
}

Registration::~Registration() {
  if (hadClass_)
    setClassValue(extension_, previousClass_);
  else
    SHDeleteKeyA(HKEY_CLASSES_ROOT, extension_.c_str());
  SHDeleteKeyA(HKEY_CLASSES_ROOT, "T2CTest.Viewer");
}

void closeFakeViewers() {
  while (HWND window = FindWindowA("T2CFakeViewer", nullptr)) SendMessageA(window, WM_CLOSE, 0, 0);
  // A viewer that has not shown its window yet (a slow start) is ended too: it would otherwise
  // outlive the test and hold its output open.
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return;
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (lstrcmpiA(entry.szExeFile, "fake_viewer.exe") != 0) continue;
    if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID)) {
      TerminateProcess(process, 1);
      WaitForSingleObject(process, INFINITE);
      CloseHandle(process);
    }
  }
  CloseHandle(snapshot);
}

}  // namespace t2c
