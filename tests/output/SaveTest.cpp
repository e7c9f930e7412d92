// Saving through the real save dialog, driven from a second thread as a user would fill it in.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <thread>

#include "app/process/CaptureOverlay.h"
#include "gx/GxBitmap.h"
#include "output/EncodeForFile.h"
#include "output/EncodingAhead.h"
#include "output/SaveCapture.h"
#include "settings/CurrentSettings.h"
#include "support/DialogDriver.h"
#include "support/OverlayFixture.h"

namespace {

const ScreenRect kSelection{100, 100, 160, 140};

Bytes FileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool StartsWith(const Bytes& bytes, const std::string& signature) {
  return bytes.size() >= signature.size() &&
         std::equal(signature.begin(), signature.end(), bytes.begin(),
                    [](char want, std::uint8_t got) { return static_cast<std::uint8_t>(want) == got; });
}

// The mean difference per channel between the decoded file and the screen (0 when exact).
double MeanError(const Bytes& file) {
  GxBitmap decoded;
  if (!decoded.LoadFromBytes(file) || decoded.GetWidth() == 0) return 1e9;
  double total = 0;
  for (int y = 0; y < decoded.GetHeight(); ++y)
    for (int x = 0; x < decoded.GetWidth(); ++x) {
      const std::uint32_t argb = decoded.GetPixel(x, y);
      const COLORREF want = ScreenColour(kSelection.left + x, kSelection.top + y);
      total += std::abs(static_cast<int>((argb >> 16) & 0xFF) - GetRValue(want)) +
               std::abs(static_cast<int>((argb >> 8) & 0xFF) - GetGValue(want)) +
               std::abs(static_cast<int>(argb & 0xFF) - GetBValue(want));
    }
  return total / (3.0 * decoded.GetWidth() * decoded.GetHeight());
}

}  // namespace

// The selection's pixels as the save encodes them.
std::unique_ptr<GxBitmap> Crop(const ScreenRect& selection) {
  auto crop = std::make_unique<GxBitmap>();
  EXPECT_TRUE(OutputBitmap(Output(selection), *crop));
  return crop;
}

class SaveTest : public OverlayTest {
 protected:
  void SetUp() override {
    OverlayTest::SetUp();
    ReportSaveFailure = [this](HWND, const std::string& path) { reported_ = path; };
    Select(kSelection.left, kSelection.top, kSelection.right, kSelection.bottom);
  }
  void TearDown() override {
    OverlayTest::TearDown();
    ReportSaveFailure = [](HWND owner, const std::string& path) {
      MessageBoxA(owner, path.c_str(), "", MB_OK);
    };
  }
  // Presses the toolbar's save button; the driver fills in the dialog that opens.
  bool SaveWith(DialogDriver::Script script) {
    DialogDriver driver(std::move(script));
    const ScreenRect toolbar = State().ToolbarRect;
    MoveTo(toolbar.left + 180, toolbar.top + 12);
    Press(toolbar.left + 180, toolbar.top + 12);
    return driver.Finish();
  }
  TempDir directory_;
  std::string reported_;
};

TEST_F(SaveTest, EachFilterWritesItsFormatOfTheSelection) {
  // JPEG loses detail; GIF keeps 256 colours. PNG and BMP must be exact.
  struct Case { int filter; const char* extension; std::string signature; double meanError; };
  const Case cases[] = {{1, ".png", "\x89PNG", 0}, {2, ".bmp", "BM", 0}, {3, ".jpg", "\xFF\xD8\xFF", 12},
                        {4, ".gif", "GIF8", 30}};
  for (const Case& c : cases) {
    if (!TheOverlay().IsLoaded()) {
      ASSERT_TRUE(TheOverlay().Load(false));
      Select(kSelection.left, kSelection.top, kSelection.right, kSelection.bottom);
    }
    const std::string name = "shot" + std::to_string(c.filter);
    ASSERT_TRUE(SaveWith([&](HWND dialog) {
      TypeFileName(dialog, directory_.Path() + name + ".old.txt");  // the filter decides, not the typed name
      ChooseFilter(dialog, c.filter);
      PressButton(dialog, IDOK);
    })) << "filter " << c.filter;
    const Bytes file = FileBytes(directory_.Path() + name + c.extension);
    ASSERT_TRUE(StartsWith(file, c.signature)) << "filter " << c.filter << ", " << file.size() << " bytes";
    GxBitmap decoded;
    ASSERT_TRUE(decoded.LoadFromBytes(file));
    EXPECT_EQ(decoded.GetWidth(), 60);
    EXPECT_EQ(decoded.GetHeight(), 40);
    EXPECT_LE(MeanError(file), c.meanError) << "filter " << c.filter;
    EXPECT_FALSE(TheOverlay().IsLoaded()) << "a saved capture ends";
  }
}

// Cancelling the dialog returns to the capture as it was: nothing the user made is thrown away.
TEST_F(SaveTest, ADismissedDialogKeepsTheCaptureAsItWas) {
  ASSERT_TRUE(SaveWith([](HWND dialog) { PressButton(dialog, IDCANCEL); }));
  EXPECT_TRUE(TheOverlay().IsLoaded());
  EXPECT_EQ(State().selectionMade, 1);
  EXPECT_EQ(State().SelectionRect, kSelection);
  EXPECT_NE(State().ToolbarRect, ScreenRect{});
}

TEST_F(SaveTest, AFileThatCannotBeWrittenIsReportedAndTheCaptureKept) {
  // A folder already holds the name the file would get.
  CreateDirectoryA((directory_.Path() + "taken.png").c_str(), nullptr);
  ASSERT_TRUE(SaveWith([&](HWND dialog) {
    TypeFileName(dialog, directory_.Path() + "taken");
    ChooseFilter(dialog, 1);
    PressButton(dialog, IDOK);
  }));
  EXPECT_EQ(reported_, directory_.Path() + "taken.png");
  EXPECT_TRUE(TheOverlay().IsLoaded());
  EXPECT_EQ(State().selectionMade, 1);
  EXPECT_EQ(State().SelectionRect, kSelection);
  EXPECT_NE(State().ToolbarRect, ScreenRect{}) << "the toolbar is back for another try";
}

TEST_F(SaveTest, ThePngEncodedWhileTheDialogIsOpenIsThePngEncodedAfter) {
  const std::string png = FormatForFilter(1);
  EncodingAhead ahead;
  ahead.Start(Crop(kSelection), png);
  std::string format = png;
  const Bytes after = EncodeForFile(Output(kSelection), format);
  const std::optional<Bytes> early = ahead.Take(png);
  ASSERT_TRUE(early.has_value());
  EXPECT_EQ(*early, after);
  ahead.Start(Crop(kSelection), png);
  EXPECT_FALSE(ahead.Take(FormatForFilter(3)).has_value()) << "only for the format encoded";
}

// A PNG nobody wants is never waited for: dropping the work (a dismissed dialog, another format,
// the capture's end) returns while the encoder is still busy, and the encoder finishes alone.
TEST_F(SaveTest, WorkDroppedIsNotWaitedFor) {
  HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE finished = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  // A drop that waited for the encoder would wait for ever: the watchdog lets the encoder go
  // after a while, and says so.
  bool watchdogLetGo = false;
  std::thread watchdog([&] {
    if (WaitForSingleObject(finished, 10000) != WAIT_TIMEOUT) return;
    watchdogLetGo = true;
    SetEvent(release);
  });
  {
    EncodingAhead ahead([&](GxBitmap&, std::string&) {
      WaitForSingleObject(release, INFINITE);
      SetEvent(finished);
      return Bytes{1};
    });
    ahead.Start(Crop(kSelection), FormatForFilter(1));
  }
  const bool droppedAtOnce = !watchdogLetGo;
  SetEvent(release);
  EXPECT_EQ(WaitForSingleObject(finished, 10000), WAIT_OBJECT_0) << "the encoder finishes on its own";
  watchdog.join();
  EXPECT_TRUE(droppedAtOnce) << "dropping waited for the encoder";
  CloseHandle(release);
  CloseHandle(finished);
}

// The quick-save button writes into its folder under the pattern, never over a file; a folder
// that cannot be made keeps the capture and says which.
TEST_F(SaveTest, QuickSaveWritesTheSelectionOrKeepsTheCapture) {
  const Settings before = CurrentSettings();
  Settings settings = before;
  settings.namePattern = "shot";
  settings.quickSaveFolder = directory_.Touch("a file") + "\\shots";
  UseSettings(settings);
  const auto quickSave = [this] {
    const ScreenRect toolbar = State().ToolbarRect;
    MoveTo(toolbar.left + 207, toolbar.top + 12);
    Press(toolbar.left + 207, toolbar.top + 12);
  };
  quickSave();
  ASSERT_TRUE(TheOverlay().IsLoaded());
  EXPECT_EQ(reported_, settings.quickSaveFolder);
  Release(State().ToolbarRect.left + 207, State().ToolbarRect.top + 12);

  settings.quickSaveFolder = directory_.Path() + "shots";
  UseSettings(settings);
  for (const char* name : {"shot.png", "shot (2).png"}) {
    if (!TheOverlay().IsLoaded()) {
      ASSERT_TRUE(TheOverlay().Load(false));
      Select(kSelection.left, kSelection.top, kSelection.right, kSelection.bottom);
    }
    quickSave();
    EXPECT_FALSE(TheOverlay().IsLoaded());
    EXPECT_EQ(MeanError(FileBytes(settings.quickSaveFolder + "\\" + name)), 0) << name;
  }
  UseSettings(before);
}
