// A time-stamped trace of the plug-in's phases for the benchmarks: off unless the environment
// variable TESSALY2CHM_TRACE names a file, and then one line per event appended to it.
#pragma once

namespace t2c {

// Appends "<milliseconds> <event>"; a single check when tracing is off. Lines are written in
// batches, at the end of a build ("copy end") and when the plug-in is unloaded.
void traceEvent(const char* event);

// "<phase> begin" now and "<phase> end" when the scope ends.
class TracedPhase {
 public:
  explicit TracedPhase(const char* phase);
  ~TracedPhase();
  TracedPhase(const TracedPhase&) = delete;
  TracedPhase& operator=(const TracedPhase&) = delete;

 private:
  const char* phase_;
};

}  // namespace t2c
