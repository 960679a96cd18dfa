// Test support: a stand-in help viewer registered for an extension for the length of a test.
#pragma once

#include <windows.h>

#include <string>

namespace t2c {

// The fake viewer program (its window caption is the text of the file it opens).
std::string fakeViewer();

// Registers a viewer class for an extension; the destructor restores the earlier registration.
class Registration {
 public:
  Registration(const std::string& extension, const std::string& command);
  ~Registration();
  Registration(const Registration&) = delete;
  Registration& operator=(const Registration&) = delete;

 private:
  std::string extension_;
  std::string previousClass_;
  bool hadClass_ = false;
};

// Closes every fake viewer window still open, and ends the viewers that have none yet.
void closeFakeViewers();

}  // namespace t2c
