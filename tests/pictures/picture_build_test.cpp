// Two whole builds in a row with pictures, through the export driver, the compiler stand-in and
// the converter library; the read-back script checks what reached the help files.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pictures/pictures_win.h"
#include "host/host_state_win.h"
#include "picture_samples.h"
#include "export/export_driver_win.h"
#include "project/file_output_win.h"
#include "project/work_folder_win.h"
#include "support/tree_fixture.h"
#include "pictures/rich_edit_callback_win.h"
#include "viewer_registration.h"
#include "support/windows_path.h"

namespace t2c {
namespace {

// Copies a file where the read-back script looks for it, when it asks.
void keep(const std::string& path, const std::string& name) {
  char folder[MAX_PATH] = "";
  if (GetEnvironmentVariableA("T2C_KEEP_DIR", folder, MAX_PATH))
    CopyFileA(path.c_str(), (std::string(folder) + "\\" + name).c_str(), FALSE);
}

TEST(PictureBuildTest, TwoBuildsInARowBothCarryThePictures) {
  OleInitialize(nullptr);
  LoadLibraryA("riched20.dll");
  HWND richEdit = CreateWindowExA(0, "RichEdit20A", "", ES_MULTILINE | ES_READONLY, 0, 0, 200, 100,
                                  nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(richEdit);
  ASSERT_EQ(attachRichEditCallback(richEdit), S_OK);
  tly::hostState().renderColour = RGB(0xF0, 0xF0, 0xE0);

  TreeFixture f;
  f.Add(1, 0, kContainer, "Handbook");
  f.Add(2, 1, kRichText, "Screens").text = "{\\rtf1\\ansi Before" + dibPicture(RGB(200, 0, 0), 600, 300) + "between" +
                                   dibPicture(RGB(0, 0, 200), 300, 300) + "after\\par}";
  f.Add(3, 1, kRichText, "Diagram").text = "{\\rtf1\\ansi Diagram:" + emfLeftHalfPicture(900, 300) + "\\par}";
  f.Fill();

  ExportJob base;
  base.title = "Handbook";
  base.compilerPath = windowsPath(T2C_HHC);
  base.converterPlace = windowsPath(T2C_IRUN);
  const std::string destinationFolder = tempFolder() + "t2c picture build";
  CreateDirectoryA(destinationFolder.c_str(), nullptr);
  const std::string destination = destinationFolder + "\\Handbook.chm";
  Registration viewer{".chm", "\"" + fakeViewer() + "\" %1"};

  for (const std::string build : {"1", "2"}) {
    SCOPED_TRACE("build " + build);
    const std::string workFolder = makeWorkFolder();
    ASSERT_FALSE(workFolder.empty());
    ExportJob job = base;
    {
      PictureTable table;
      preparePictures(f.tree, richEdit, workFolder, job.pictureFiles, table);
      job.htmlHook = substitutePictures;
      job.htmlHookContext = &table;
      HWND viewerWindow = nullptr;
      EXPECT_TRUE(runExport(f.tree, destination, job, workFolder, viewerWindow, "0x409 English (United States)"));
    }
    EXPECT_EQ(job.pictureFiles, (std::vector<std::string>{"Picture_0.bmp", "Picture_1.bmp", "Picture_2.bmp"}));
    std::string project;
    EXPECT_TRUE(readWholeFile(workFolder + "\\project.hhp", project));
    EXPECT_NE(project.find("file1.htm\r\nPicture_0.bmp\r\nPicture_1.bmp\r\nPicture_2.bmp"), std::string::npos)
        << project;
    keep(destination, "pictures-" + build + ".chm");
    for (const std::string& picture : job.pictureFiles)
      keep(workFolder + "\\" + picture, "pictures-" + build + "-" + picture);
    closeFakeViewers();
    removeWorkFolder(workFolder);
  }
  DeleteFileA(destination.c_str());
  RemoveDirectoryA(destinationFolder.c_str());
  DestroyWindow(richEdit);
}

}  // namespace
}  // namespace t2c
