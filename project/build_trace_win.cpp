// The benchmark trace: a file kept open for appending, and a millisecond clock with fractions.
#include "project/build_trace_win.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>

namespace t2c {
namespace {

struct TraceFile {
  HANDLE file = INVALID_HANDLE_VALUE;
  LARGE_INTEGER frequency = {};
  std::mutex lock;
  // Lines wait here: a write per event (two per node) would weigh on what is measured.
  std::string pending;

  ~TraceFile() {
    Flush();
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }

  void Flush() {
    if (file == INVALID_HANDLE_VALUE || pending.empty()) return;
    DWORD written = 0;
    WriteFile(file, pending.data(), static_cast<DWORD>(pending.size()), &written, nullptr);
    pending.clear();
  }

  TraceFile() {
    char path[MAX_PATH] = "";
    const DWORD length = GetEnvironmentVariableA("TESSALY2CHM_TRACE", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    QueryPerformanceFrequency(&frequency);
  }
};

TraceFile& traceFile() {
  static TraceFile trace;
  return trace;
}

bool tracing() { return traceFile().file != INVALID_HANDLE_VALUE; }

}  // namespace

void traceEvent(const char* event) {
  TraceFile& trace = traceFile();
  if (trace.file == INVALID_HANDLE_VALUE || trace.frequency.QuadPart == 0) return;
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%.3f ", static_cast<double>(now.QuadPart) * 1000.0 / trace.frequency.QuadPart);
  std::lock_guard<std::mutex> hold(trace.lock);
  trace.pending += stamp;
  trace.pending += event;
  trace.pending += '\n';
  // The ends of collecting, of opening the window and of a build are written at once, so the
  // trace is whole while the host still runs (a host may end without unloading the plug-in).
  const bool phaseEnd = std::strcmp(event, "collect end") == 0 || std::strcmp(event, "window end") == 0 ||
                        std::strcmp(event, "copy end") == 0;
  if (phaseEnd || trace.pending.size() > 64 * 1024) trace.Flush();
}

TracedPhase::TracedPhase(const char* phase) : phase_(tracing() ? phase : nullptr) {
  if (phase_) traceEvent((std::string(phase_) + " begin").c_str());
}

TracedPhase::~TracedPhase() {
  if (phase_) traceEvent((std::string(phase_) + " end").c_str());
}

}  // namespace t2c
