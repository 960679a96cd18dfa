// Running the compiler as a real process: parameter, working folder, wait and exit code.
#include <windows.h>

#include <gtest/gtest.h>

#include "compiler/compiler_runner_win.h"
#include "project/path_names.h"
#include "project/work_folder_win.h"
#include "support/file_bytes.h"
#include "support/windows_path.h"

namespace t2c {
namespace {

class CompilerRunnerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = tempFolder() + "t2c compiler test";
    CreateDirectoryA(folder_.c_str(), nullptr);
  }
  void TearDown() override { removeWorkFolder(folder_); }
  std::string folder_;
};

TEST_F(CompilerRunnerTest, DefaultPathIsBesideTheModuleAndPresenceFollowsTheFile) {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string expected = folderOf(self, false) + "HHC.exe";
  EXPECT_EQ(compilerDefaultPath(), expected);
  DeleteFileA(expected.c_str());
  EXPECT_FALSE(compilerPresent());
  CloseHandle(CreateFileA(expected.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  EXPECT_TRUE(compilerPresent());
  DeleteFileA(expected.c_str());
}

TEST_F(CompilerRunnerTest, BareProjectPathInTheProjectFolderAndTheExitCodeComesBack) {
  std::string project = folder_ + "\\my project exit=7.hhp";
  CompilerOutcome outcome = runCompiler(windowsPath(T2C_FAKE_COMPILER), project);
  EXPECT_TRUE(outcome.started);
  EXPECT_EQ(outcome.exitCode, 7u);
  EXPECT_EQ(outcome.warnings, std::vector<std::string>{"HHC: warning: exiting with 7"});
  std::string call = fileBytes(folder_ + "\\compiler_call.txt");
  size_t lineEnd = call.find('\n');
  ASSERT_NE(lineEnd, std::string::npos) << call;
  std::string commandLine = call.substr(0, lineEnd);
  std::string suffix = " " + project;
  ASSERT_GE(commandLine.size(), suffix.size());
  EXPECT_EQ(commandLine.substr(commandLine.size() - suffix.size()), suffix) << commandLine;
  EXPECT_STRCASEEQ(call.substr(lineEnd + 1).c_str(), folder_.c_str());
}

TEST_F(CompilerRunnerTest, ZeroExitCodeAndAMissingCompiler) {
  CompilerOutcome ran = runCompiler(windowsPath(T2C_FAKE_COMPILER), folder_ + "\\project.hhp");
  EXPECT_TRUE(ran.started);
  EXPECT_EQ(ran.exitCode, 0u);
  CompilerOutcome missing = runCompiler(folder_ + "\\HHC.exe", folder_ + "\\project.hhp");
  EXPECT_FALSE(missing.started);
  EXPECT_EQ(missing.exitCode, 0u);
}

}  // namespace
}  // namespace t2c
