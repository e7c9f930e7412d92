// The dialogs for real: a second thread finds the dialog the test thread has opened, fills it
// in and presses its buttons as a user would. Every dialog is cancelled by the driver if its
// script does not end it in time, so a failing case never leaves the suite waiting.

#include "win/FileDialog.h"

#include <gtest/gtest.h>

#include "support/DialogDriver.h"

namespace {

const std::string kSaveFilter = "PNG (*.png)|*.png|BMP (*.bmp)|*.bmp|JPGE (*.jpg)|*.jpg|GIF (*.gif)|*.gif";

// ---- save ----

TEST(FileDialogSave, PresetNameAndFirstFilterGiveThePngPath) {
  TempDir temp;
  FileDialog dialog;
  dialog.SetDefaultName("截图20240102030405");
  dialog.SetFlags(OFN_OVERWRITEPROMPT);
  DialogDriver driver([](HWND window) { PressButton(window, IDOK); });
  const std::string result = dialog.ShowSave(nullptr, "", kSaveFilter, temp.Path());
  ASSERT_TRUE(driver.Finish());

  EXPECT_EQ(driver.nameBoxText, "截图20240102030405");
  EXPECT_EQ(result, temp.Path() + "截图20240102030405.png");
  EXPECT_EQ(dialog.GetChosenPath(), temp.Path() + "截图20240102030405.png");
  EXPECT_EQ(dialog.GetChosenName(), "截图20240102030405.png");
  EXPECT_EQ(dialog.GetFilterIndex(), 1);
}

TEST(FileDialogSave, TypedNameAndChosenFilterGiveTheFilterExtension) {
  TempDir temp;
  FileDialog dialog;
  dialog.SetInitialDir(temp.Path());
  dialog.SetTitle("Save the capture");
  DialogDriver driver([](HWND window) {
    TypeFileName(window, "shot.old.jpg");
    ChooseFilter(window, 4);
    PressButton(window, IDOK);
  });
  const std::string result = dialog.ShowSave(nullptr, "", kSaveFilter);
  ASSERT_TRUE(driver.Finish());

  EXPECT_EQ(driver.caption, "Save the capture");
  EXPECT_EQ(result, temp.Path() + "shot.old.jpg.gif");
  EXPECT_EQ(dialog.GetChosenName(), "shot.gif");
  EXPECT_EQ(dialog.GetChosenPath(), temp.Path() + "shot.gif");
  EXPECT_EQ(dialog.GetFilterIndex(), 4);
}

TEST(FileDialogSave, EmptyFilterAndDottedDirectoryAddNothing) {
  TempDir temp;
  const std::string directory = temp.Subdirectory("my.dir");
  FileDialog dialog;
  DialogDriver driver([](HWND window) {
    TypeFileName(window, "name.png");
    PressButton(window, IDOK);
  });
  const std::string result = dialog.ShowSave(nullptr, "", "", directory);
  ASSERT_TRUE(driver.Finish());

  EXPECT_EQ(result, directory + "name.png");
  EXPECT_EQ(dialog.GetChosenName(), "name");
  EXPECT_EQ(dialog.GetChosenPath(), directory + "name");
}

TEST(FileDialogSave, CancelledDialogChangesNothing) {
  TempDir temp;
  FileDialog dialog;
  {
    DialogDriver driver([](HWND window) {
      TypeFileName(window, "first");
      ChooseFilter(window, 2);
      PressButton(window, IDOK);
    });
    ASSERT_FALSE(dialog.ShowSave(nullptr, "", kSaveFilter, temp.Path()).empty());
    ASSERT_TRUE(driver.Finish());
  }
  ASSERT_EQ(dialog.GetChosenPath(), temp.Path() + "first.bmp");

  DialogDriver driver([](HWND window) {
    TypeFileName(window, "second");
    ChooseFilter(window, 3);
    PressButton(window, IDCANCEL);
  });
  EXPECT_EQ(dialog.ShowSave(nullptr, "", kSaveFilter, temp.Path()), "");
  ASSERT_TRUE(driver.Finish());
  EXPECT_EQ(dialog.GetChosenPath(), temp.Path() + "first.bmp");
  EXPECT_EQ(dialog.GetChosenName(), "first.bmp");
  EXPECT_EQ(dialog.GetFilterIndex(), 2);
}

TEST(FileDialogSave, PresetTooLongForTheBufferLeavesTheNameBoxEmpty) {
  TempDir temp;
  FileDialog dialog;
  dialog.SetDefaultName(std::string(FileDialog::kSaveBufferSize, 'n'));
  DialogDriver driver([](HWND window) { PressButton(window, IDCANCEL); });
  EXPECT_EQ(dialog.ShowSave(nullptr, "", kSaveFilter, temp.Path()), "");
  ASSERT_TRUE(driver.Finish());
  EXPECT_EQ(driver.nameBoxText, "");
}

TEST(FileDialogSave, ALongFolderNameOfChineseCharactersComesBackWhole) {
  TempDir temp;
  std::string name;
  for (int i = 0; i < 25; ++i) name += "长路径";  // 75 characters, 225 bytes of UTF-8
  const std::string directory = temp.Subdirectory(name);
  FileDialog dialog;
  dialog.SetDefaultName("截图20240102030405");
  DialogDriver driver([&](HWND window) {
    TypeFileName(window, directory + "截图20240102030405");
    PressButton(window, IDOK);
  });
  const std::string result = dialog.ShowSave(nullptr, "", kSaveFilter, temp.Path());
  ASSERT_TRUE(driver.Finish());
  EXPECT_EQ(dialog.GetError(), 0u);
  EXPECT_EQ(result, directory + "截图20240102030405.png");
  EXPECT_EQ(dialog.GetChosenPath(), directory + "截图20240102030405.png");
  EXPECT_EQ(dialog.GetChosenName(), "截图20240102030405.png");
}

// ---- open ----

TEST(FileDialogOpen, SingleAndMultipleSelections) {
  TempDir temp;
  const std::string a = temp.Touch("a.txt");
  const std::string b = temp.Touch("b.txt");
  FileDialog dialog;
  dialog.SetFilter("Text (*.txt)|*.txt|All|*.*");
  {
    DialogDriver driver([](HWND window) {
      TypeFileName(window, "a.txt");
      PressButton(window, IDOK);
    });
    EXPECT_EQ(dialog.ShowOpen(nullptr, "", "", temp.Path()), a);
    ASSERT_TRUE(driver.Finish());
    EXPECT_EQ(dialog.GetChosenPath(), a);
  }
  DialogDriver driver([](HWND window) {
    TypeFileName(window, "\"a.txt\" \"b.txt\"");
    PressButton(window, IDOK);
  });
  EXPECT_EQ(dialog.ShowOpen(nullptr, "", "", temp.Path(), OFN_ALLOWMULTISELECT | OFN_EXPLORER), a + ";" + b);
  ASSERT_TRUE(driver.Finish());
  EXPECT_EQ(dialog.GetChosenPath(), a + ";" + b);
  // Opening leaves the save results alone.
  EXPECT_EQ(dialog.GetFilterIndex(), 0);
  EXPECT_EQ(dialog.GetChosenName(), "");
}

}  // namespace
