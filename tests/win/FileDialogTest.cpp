// The dialogs for real: a second thread finds the dialog the test thread has opened, fills it
// in and presses its buttons as a user would. Every dialog is cancelled by the driver if its
// script does not end it in time, so a failing case never leaves the suite waiting.

#include "win/FileDialog.h"

#include <gtest/gtest.h>

#include <dlgs.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

namespace {

using namespace std::chrono_literals;

const std::string kSaveFilter = "PNG (*.png)|*.png|BMP (*.bmp)|*.bmp|JPGE (*.jpg)|*.jpg|GIF (*.gif)|*.gif";

// ---- talking to a dialog of another thread ----

struct ThreadDialogs {
  std::vector<HWND> found;
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM list) {
  char className[16] = {};
  GetClassNameA(window, className, sizeof className);
  if (std::string(className) == "#32770" && IsWindowVisible(window))
    reinterpret_cast<ThreadDialogs*>(list)->found.push_back(window);
  return TRUE;
}

std::vector<HWND> DialogsOf(DWORD threadId) {
  ThreadDialogs dialogs;
  EnumThreadWindows(threadId, CollectDialog, reinterpret_cast<LPARAM>(&dialogs));
  return dialogs.found;
}

HWND FileNameBox(HWND dialog) {
  HWND box = GetDlgItem(dialog, cmb13);
  return box ? box : GetDlgItem(dialog, edt1);
}

std::string TextOf(HWND window) {
  char text[1024] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                      &copied);
  return text;
}

void Type(HWND dialog, const std::string& text) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(FileNameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG,
                      2000, &ignored);
}

// Selects the 1-based filter in the file-type box and tells the dialog, as a click would.
void ChooseFilter(HWND dialog, int filterIndex) {
  HWND box = GetDlgItem(dialog, cmb1);
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(box, CB_SETCURSEL, filterIndex - 1, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
  SendMessageTimeoutA(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK), reinterpret_cast<LPARAM>(box),
                      SMTO_ABORTIFHUNG, 2000, &ignored);
}

void Press(HWND dialog, int buttonId) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
}

// Runs script on the first file dialog the constructing thread shows. When the dialog is
// still open after the time limit (script failed, or never found one), it is cancelled.
class DialogDriver {
 public:
  using Script = std::function<void(HWND dialog)>;

  explicit DialogDriver(Script script, std::chrono::milliseconds limit = 15s)
      : ownerThread_(GetCurrentThreadId()), script_(std::move(script)), limit_(limit), thread_([this] { Run(); }) {}
  ~DialogDriver() { Stop(); }
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  // Call once the dialog call has returned; true when the script ran (no forced cancel).
  bool Finish() {
    Stop();
    return scriptRan_ && !forcedCancel_;
  }
  // What the dialog showed when the script started.
  std::string caption;
  std::string nameBoxText;

 private:
  void Stop() {
    finished_ = true;
    if (thread_.joinable()) thread_.join();
  }

  void Run() {
    const auto deadline = std::chrono::steady_clock::now() + limit_;
    bool scripted = false;
    while (!finished_) {
      std::this_thread::sleep_for(50ms);
      const std::vector<HWND> dialogs = DialogsOf(ownerThread_);
      if (std::chrono::steady_clock::now() > deadline) {
        forcedCancel_ = true;
        for (HWND dialog : dialogs) Press(dialog, IDCANCEL);
        std::this_thread::sleep_for(200ms);
        continue;
      }
      if (scripted || dialogs.empty() || !FileNameBox(dialogs.front())) continue;
      std::this_thread::sleep_for(200ms);  // let the dialog finish filling its controls
      HWND dialog = dialogs.front();
      caption = TextOf(dialog);
      nameBoxText = TextOf(FileNameBox(dialog));
      script_(dialog);
      scripted = true;
      scriptRan_ = true;
    }
  }

  DWORD ownerThread_;
  Script script_;
  std::chrono::milliseconds limit_;
  std::atomic<bool> finished_{false};
  std::atomic<bool> scriptRan_{false};
  std::atomic<bool> forcedCancel_{false};
  std::thread thread_;
};

// ---- a private temporary directory ----

class TempDir {
 public:
  TempDir() {
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    path_ = std::string(base) + "screencut-dialog-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~TempDir() { Remove(path_); }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const { return path_; }
  std::string Touch(const std::string& name) const {
    const std::string file = path_ + name;
    HANDLE handle = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    return file;
  }
  std::string Subdirectory(const std::string& name) const {
    const std::string directory = path_ + name + "\\";
    CreateDirectoryA(directory.c_str(), nullptr);
    return directory;
  }

 private:
  static void Remove(const std::string& directory) {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((directory + "*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = entry.cFileName;
        if (name == "." || name == "..") continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
          Remove(directory + name + "\\");
        else
          DeleteFileA((directory + name).c_str());
      } while (FindNextFileA(find, &entry));
      FindClose(find);
    }
    RemoveDirectoryA(directory.c_str());
  }

  std::string path_;
};

// ---- save ----

TEST(FileDialogSave, PresetNameAndFirstFilterGiveThePngPath) {
  TempDir temp;
  FileDialog dialog;
  dialog.SetDefaultName("截图20240102030405");
  dialog.SetFlags(OFN_OVERWRITEPROMPT);
  DialogDriver driver([](HWND window) { Press(window, IDOK); });
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
    Type(window, "shot.old.jpg");
    ChooseFilter(window, 4);
    Press(window, IDOK);
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
    Type(window, "name.png");
    Press(window, IDOK);
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
      Type(window, "first");
      ChooseFilter(window, 2);
      Press(window, IDOK);
    });
    ASSERT_FALSE(dialog.ShowSave(nullptr, "", kSaveFilter, temp.Path()).empty());
    ASSERT_TRUE(driver.Finish());
  }
  ASSERT_EQ(dialog.GetChosenPath(), temp.Path() + "first.bmp");

  DialogDriver driver([](HWND window) {
    Type(window, "second");
    ChooseFilter(window, 3);
    Press(window, IDCANCEL);
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
  dialog.SetDefaultName(std::string(300, 'n'));
  DialogDriver driver([](HWND window) { Press(window, IDCANCEL); });
  EXPECT_EQ(dialog.ShowSave(nullptr, "", kSaveFilter, temp.Path()), "");
  ASSERT_TRUE(driver.Finish());
  EXPECT_EQ(driver.nameBoxText, "");
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
      Type(window, "a.txt");
      Press(window, IDOK);
    });
    EXPECT_EQ(dialog.ShowOpen(nullptr, "", "", temp.Path()), a);
    ASSERT_TRUE(driver.Finish());
    EXPECT_EQ(dialog.GetChosenPath(), a);
  }
  DialogDriver driver([](HWND window) {
    Type(window, "\"a.txt\" \"b.txt\"");
    Press(window, IDOK);
  });
  EXPECT_EQ(dialog.ShowOpen(nullptr, "", "", temp.Path(), OFN_ALLOWMULTISELECT | OFN_EXPLORER), a + ";" + b);
  ASSERT_TRUE(driver.Finish());
  EXPECT_EQ(dialog.GetChosenPath(), a + ";" + b);
  // Opening leaves the save results alone.
  EXPECT_EQ(dialog.GetFilterIndex(), 0);
  EXPECT_EQ(dialog.GetChosenName(), "");
}

}  // namespace
