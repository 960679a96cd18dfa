// Runs an export's body so that no C++ exception reaches the host.
#pragma once

#include "plugin/plugin_module_win.h"

namespace t2c {

// Initialises the module on first use, runs `body` and returns its result; any exception
// yields `failure` instead.
template <typename Body>
int guardedExport(int failure, Body&& body) noexcept {
  try {
    ensureModuleInitialised();
    return body();
  } catch (...) {
    return failure;
  }
}

}  // namespace t2c
