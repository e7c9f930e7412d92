// Saving where no file can be made: a directory that refuses new files, one that vanished after
// the dialog chose it, a write that fails half way, an encoder that fails and a dialog that fails.
// Each is reported, the capture stays as it was, an old file stays as it was, and a second try
// elsewhere writes the file.

#include <gtest/gtest.h>
#include <windows.h>
#include <cderr.h>
#include <sddl.h>

#include <fstream>
#include <iterator>
#include <string>

#include "app/input/OverlayWindowProc.h"
#include "app/process/CaptureOverlay.h"
#include "gx/GdiplusApi.h"
#include "output/ReplaceQuestion.h"
#include "output/SaveCapture.h"
#include "support/DialogDriver.h"
#include "support/ImportPatch.h"
#include "support/OverlayFixture.h"

namespace {

const ScreenRect kSelection{100, 100, 160, 140};
constexpr int kSaveButtonDx = 181;
constexpr int kSaveRowDy = 190;

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

Bytes FileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The names in a directory, other than "." and "..".
std::vector<std::string> Entries(const std::string& directory) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((directory + "*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = entry.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  return names;
}

// A disk that fills up half way through any write.
WINBOOL WINAPI WriteHalfThenFail(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED overlapped) {
  static auto* real = reinterpret_cast<decltype(&WriteFile)>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32"), "WriteFile")));
  real(file, data, size / 2, written, overlapped);
  SetLastError(ERROR_DISK_FULL);
  return FALSE;
}

// Encoders that fail: one reports an error after writing a whole picture, one writes a bare GIF
// header and reports Ok.
decltype(GdiplusApi::GdipSaveImageToStream) realSave = nullptr;
Gdiplus::GpStatus WINGDIPAPI SaveThenReportError(Gdiplus::GpImage* image, IStream* stream, const CLSID* encoder,
                                                 const Gdiplus::EncoderParameters* parameters) {
  realSave(image, stream, encoder, parameters);
  return Gdiplus::Win32Error;
}
Gdiplus::GpStatus WINGDIPAPI WriteBareHeader(Gdiplus::GpImage*, IStream* stream, const CLSID*,
                                             const Gdiplus::EncoderParameters*) {
  ULONG written = 0;
  stream->Write("GIF89a", 6, &written);
  return Gdiplus::Ok;
}

WINBOOL WINAPI DialogThatFails(LPOPENFILENAMEW) { return FALSE; }
DWORD WINAPI BufferTooSmall() { return FNERR_BUFFERTOOSMALL; }

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
    ConfirmReplace = [](HWND, const std::string&) { return true; };
    Select(kSelection.left, kSelection.top, kSelection.right, kSelection.bottom);
  }
  void TearDown() override {
    OverlayTest::TearDown();
    ReportSaveFailure = [](HWND owner, const std::string& path) { MessageBoxA(owner, path.c_str(), "", MB_OK); };
    ConfirmReplace = [](HWND, const std::string&) { return false; };
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

TEST_F(SaveFaultTest, AWriteThatFailsHalfWayKeepsTheOldFile) {
  const std::string old = scratch_.Touch("shot.png");
  { std::ofstream(old, std::ios::binary) << std::string(5000, 'o'); }
  const Bytes oldBytes = FileBytes(old);
  {
    ImportPatch fullDisk("kernel32.dll", "WriteFile", reinterpret_cast<const void*>(&WriteHalfThenFail));
    ASSERT_TRUE(fullDisk.Applied());
    ASSERT_TRUE(SaveAs(scratch_.Path() + "shot"));
  }
  ASSERT_EQ(reported_, std::vector<std::string>{old});
  EXPECT_EQ(FileBytes(old), oldBytes) << "the old picture is whole";
  EXPECT_EQ(Entries(scratch_.Path()), std::vector<std::string>{"shot.png"}) << "no temporary file is left";
  ExpectCaptureKept();
  ExpectSecondTryWrites();
}

TEST_F(SaveFaultTest, AnEncoderThatFailsWritesNothing) {
  realSave = GdiplusEntries().GdipSaveImageToStream;
  for (auto* encoder : {&SaveThenReportError, &WriteBareHeader}) {
    reported_.clear();
    GdiplusEntries().GdipSaveImageToStream = encoder;
    const bool saved = SaveAs(scratch_.Path() + "shot");
    GdiplusEntries().GdipSaveImageToStream = realSave;
    ASSERT_TRUE(saved);
    EXPECT_EQ(reported_, std::vector<std::string>{scratch_.Path() + "shot.png"});
    EXPECT_FALSE(FileExists(scratch_.Path() + "shot.png"));
    ExpectCaptureKept();
  }
  ExpectSecondTryWrites();
}

TEST_F(SaveFaultTest, ADialogThatFailsIsReportedNotTakenAsACancel) {
  {
    ImportPatch dialog("comdlg32.dll", "GetSaveFileNameW", reinterpret_cast<const void*>(&DialogThatFails));
    ImportPatch error("comdlg32.dll", "CommDlgExtendedError", reinterpret_cast<const void*>(&BufferTooSmall));
    ASSERT_TRUE(dialog.Applied() && error.Applied());
    const ScreenRect toolbar = State().ToolbarRect;
    MoveTo(toolbar.left + kSaveButtonDx, toolbar.top + 12);
    Press(toolbar.left + kSaveButtonDx, toolbar.top + 12);
  }
  EXPECT_EQ(reported_, std::vector<std::string>{""});
  ExpectCaptureKept();
  ExpectSecondTryWrites();
}

// Whatever a handler throws stops at the window procedure: the capture ends cleanly and the user
// is told, instead of the process ending.
TEST_F(SaveFaultTest, AnExceptionInAHandlerEndsTheCaptureAndIsReported) {
  std::vector<std::string> unexpected;
  ReportUnexpectedFailure = [&](HWND, const std::string& what) { unexpected.push_back(what); };
  ReportSaveFailure = [](HWND, const std::string&) { throw std::runtime_error("thrown by a handler"); };
  {
    ImportPatch dialog("comdlg32.dll", "GetSaveFileNameW", reinterpret_cast<const void*>(&DialogThatFails));
    ImportPatch error("comdlg32.dll", "CommDlgExtendedError", reinterpret_cast<const void*>(&BufferTooSmall));
    ASSERT_TRUE(dialog.Applied() && error.Applied());
    Key('S', kControl);
  }
  EXPECT_EQ(unexpected, std::vector<std::string>{"thrown by a handler"});
  EXPECT_FALSE(CaptureOpen());
  EXPECT_FALSE(TheOverlay().IsLoaded());
  ReportUnexpectedFailure = [](HWND, const std::string&) {};
}
