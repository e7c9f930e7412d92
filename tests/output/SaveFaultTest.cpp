// Saving where no file can be made: a directory that refuses new files, and one that vanished
// after the dialog chose it. Either is reported, the capture stays as it was, and a second try
// elsewhere writes the file.

#include <gtest/gtest.h>
#include <windows.h>
#include <sddl.h>

#include <string>

#include "app/CaptureOverlay.h"
#include "output/SaveCapture.h"
#include "support/DialogDriver.h"
#include "support/OverlayFixture.h"

namespace {

const ScreenRect kSelection{100, 100, 160, 140};
constexpr int kSaveButtonDx = 181;
constexpr int kSaveRowDy = 190;

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// True when a new file cannot be made in the directory (a probe file is removed again).
bool RefusesNewFiles(const std::string& directory) {
  const std::string probe = directory + "probe.tmp";
  HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return GetFileAttributesA(directory.c_str()) != INVALID_FILE_ATTRIBUTES;
  CloseHandle(file);
  DeleteFileA(probe.c_str());
  return false;
}

// Everyone may do anything in the directory except add a file to it.
bool DenyNewFiles(const std::string& directory) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(D;;0x2;;;WD)(A;OICI;FA;;;WD)", SDDL_REVISION_1,
                                                            &descriptor, nullptr))
    return false;
  const bool set = SetFileSecurityA(directory.c_str(), DACL_SECURITY_INFORMATION, descriptor) != FALSE;
  LocalFree(descriptor);
  return set;
}

// A directory that exists and takes no new file: one denied by its access list where the system
// enforces that; else, on Wine over Linux, the kernel's read-only /sys. Empty when there is none.
std::string ReadOnlyDirectory(const TempDir& scratch) {
  const std::string denied = scratch.Subdirectory("read-only");
  if (DenyNewFiles(denied) && RefusesNewFiles(denied)) return denied;
  const std::string kernel = "Z:\\sys\\";
  if (RefusesNewFiles(kernel)) return kernel;
  return {};
}

// Removes a directory the moment the save dialog goes away: the dialog has taken the name by
// then, and the capture has not yet written anything.
class RemoveWhenDialogCloses {
 public:
  explicit RemoveWhenDialogCloses(std::string directory) {
    directory_ = std::move(directory);
    removed_ = false;
    hook_ = SetWindowsHookExA(WH_CBT, &RemoveWhenDialogCloses::Hook, nullptr, GetCurrentThreadId());
  }
  ~RemoveWhenDialogCloses() {
    if (hook_) UnhookWindowsHookEx(hook_);
    directory_.clear();
  }
  RemoveWhenDialogCloses(const RemoveWhenDialogCloses&) = delete;
  RemoveWhenDialogCloses& operator=(const RemoveWhenDialogCloses&) = delete;
  bool Hooked() const { return hook_ != nullptr; }
  static bool Removed() { return removed_; }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    auto window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_DESTROYWND && !directory_.empty() && FileNameBox(window)) {
      removed_ = RemoveDirectoryA(directory_.c_str()) != FALSE;
      directory_.clear();
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  HHOOK hook_ = nullptr;
  static inline std::string directory_;
  static inline bool removed_ = false;
};

}  // namespace

class SaveFaultTest : public OverlayTest {
 protected:
  void SetUp() override {
    OverlayTest::SetUp();
    ReportSaveFailure = [this](HWND, const std::string& path) { reported_.push_back(path); };
    Select(kSelection.left, kSelection.top, kSelection.right, kSelection.bottom);
  }
  void TearDown() override {
    OverlayTest::TearDown();
    ReportSaveFailure = [](HWND owner, const std::string& path) { MessageBoxA(owner, path.c_str(), "", MB_OK); };
  }
  // Presses the toolbar's save button, or the menu's save row, and names the file in the dialog
  // (PNG filter).
  bool SaveAs(const std::string& path, bool fromMenu = false) {
    DialogDriver driver([&](HWND dialog) {
      TypeFileName(dialog, path);
      ChooseFilter(dialog, 1);
      PressButton(dialog, IDOK);
    });
    POINT at{State().ToolbarRect.left + kSaveButtonDx, State().ToolbarRect.top + 12};
    if (fromMenu) {
      RightClick(130, 120);
      at = POINT{State().MenuRect.left + 60, State().MenuRect.top + kSaveRowDy};
    }
    MoveTo(at.x, at.y);
    Press(at.x, at.y);
    return driver.Finish();
  }
  void ExpectCaptureKept() {
    EXPECT_TRUE(TheOverlay().IsLoaded());
    EXPECT_EQ(State().selectionMade, 1);
    EXPECT_EQ(State().SelectionRect, kSelection);
    EXPECT_NE(State().ToolbarRect, ScreenRect{}) << "the toolbar is back for another try";
  }
  // The kept capture can still be saved somewhere that works.
  void ExpectSecondTryWrites() {
    const std::string good = scratch_.Path() + "second-try";
    ASSERT_TRUE(SaveAs(good));
    EXPECT_TRUE(FileExists(good + ".png"));
    EXPECT_FALSE(TheOverlay().IsLoaded()) << "a saved capture ends";
  }
  TempDir scratch_;
  std::vector<std::string> reported_;
};

TEST_F(SaveFaultTest, ADirectoryThatTakesNoFilesIsReportedAndTheCaptureKept) {
  const std::string directory = ReadOnlyDirectory(scratch_);
  if (directory.empty()) GTEST_SKIP() << "no directory here refuses new files";
  std::printf("read-only directory: %s\n", directory.c_str());
  ASSERT_TRUE(SaveAs(directory + "shot"));
  ASSERT_EQ(reported_.size(), 1u);
  EXPECT_EQ(reported_[0], directory + "shot.png");
  EXPECT_FALSE(FileExists(directory + "shot.png"));
  ExpectCaptureKept();
  ExpectSecondTryWrites();
}

TEST_F(SaveFaultTest, ADirectoryThatVanishedAfterTheDialogIsReportedAndTheCaptureKept) {
  const std::string directory = scratch_.Subdirectory("vanishing");
  RemoveWhenDialogCloses remover(directory);
  ASSERT_TRUE(remover.Hooked());
  ASSERT_TRUE(SaveAs(directory + "shot"));
  ASSERT_TRUE(RemoveWhenDialogCloses::Removed()) << "the directory was still there for the write";
  ASSERT_EQ(reported_.size(), 1u);
  EXPECT_EQ(reported_[0], directory + "shot.png");
  EXPECT_FALSE(FileExists(directory));
  ExpectCaptureKept();
  ExpectSecondTryWrites();
}

TEST_F(SaveFaultTest, AFailedSaveFromTheMenuClosesTheMenu) {
  const std::string directory = scratch_.Subdirectory("vanishing");
  RemoveWhenDialogCloses remover(directory);
  ASSERT_TRUE(remover.Hooked());
  ASSERT_TRUE(SaveAs(directory + "shot", true));
  ASSERT_EQ(reported_.size(), 1u);
  ExpectCaptureKept();
  EXPECT_EQ(State().menuShown, 0);
  MoveTo(60, 100);  // the top-left corner, where a menu with a zeroed rectangle would be drawn
  EXPECT_TRUE(CloseTo(Canvas(60, 100), Dimmed(ScreenColour(60, 100)))) << "a menu was drawn at the corner";
}
