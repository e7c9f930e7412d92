// A screen copy that failed or cannot be decoded: the overlay shows black, takes a selection,
// and Esc and finishing still end the capture.

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/capture/CaptureSession.h"
#include "app/input/OverlayWindowProc.h"
#include "app/process/CaptureOverlay.h"
#include "app/desktop/Desktop.h"
#include "app/desktop/ScreenGrab.h"
#include "support/ClipboardContents.h"
#include "support/OverlayFixture.h"

namespace {

struct BrokenSnapshot {
  const char* name;
  std::function<Bytes()> bytes;
};

Bytes Garbage(size_t size) {
  Bytes bytes(size);
  std::uint32_t state = 12345;
  for (std::uint8_t& byte : bytes) {
    state = state * 1103515245 + 12345;
    byte = static_cast<std::uint8_t>(state >> 16);
  }
  return bytes;
}

// A BMP file header and info header that promise a picture the bytes do not hold.
Bytes HeaderOnly(int width, int height) {
  Bytes bytes = SyntheticScreen(1, 1);
  bytes.resize(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER));
  BITMAPINFOHEADER info;
  std::memcpy(&info, bytes.data() + sizeof(BITMAPFILEHEADER), sizeof info);
  info.biWidth = width;
  info.biHeight = height;
  info.biSizeImage = 0;
  std::memcpy(bytes.data() + sizeof(BITMAPFILEHEADER), &info, sizeof info);
  return bytes;
}

const BrokenSnapshot kBroken[] = {
    {"empty", [] { return Bytes(); }},
    {"garbage", [] { return Garbage(5000); }},
    {"a BMP header without pixels", [] { return HeaderOnly(kTestScreenWidth, kTestScreenHeight); }},
    {"a BMP header promising 100000 x 100000", [] { return HeaderOnly(100000, 100000); }},
    {"a BMP header with a negative width", [] { return HeaderOnly(-800, 600); }},
};

// Pixels of the whole canvas that are not black.
int LitCanvasPixels() {
  HDC canvas = Session().OverlayCanvas.GetSurfaceDC();
  int width = 0, height = 0;
  const std::vector<std::uint32_t> pixels =
      BitmapPixels(static_cast<HBITMAP>(GetCurrentObject(canvas, OBJ_BITMAP)), width, height);
  int lit = 0;
  for (std::uint32_t pixel : pixels) lit += (pixel & 0xFFFFFF) != 0;
  return width == kTestScreenWidth && height == kTestScreenHeight ? lit : -1;
}

}  // namespace

class SnapshotFaultTest : public OverlayTest {
 protected:
  void SetUp() override {
    OverlayTest::SetUp();
    KeyEscape();  // each case opens its own overlay over its own broken copy
  }
  void Open(const BrokenSnapshot& broken) {
    ScreenSnapshotSource = broken.bytes;
    ASSERT_TRUE(TheOverlay().Load(false));
    ASSERT_TRUE(Session().OverlayCanvas.IsAttached());
  }
};

TEST_F(SnapshotFaultTest, TheOverlayShowsBlackAndEscEndsIt) {
  for (const BrokenSnapshot& broken : kBroken) {
    SCOPED_TRACE(broken.name);
    Open(broken);
    EXPECT_EQ(LitCanvasPixels(), 0);
    KeyEscape();
    EXPECT_FALSE(TheOverlay().IsLoaded());
  }
}

TEST_F(SnapshotFaultTest, ASelectionOverBlackFinishesAsABlackBitmap) {
  for (const BrokenSnapshot& broken : kBroken) {
    SCOPED_TRACE(broken.name);
    ClearClipboard();
    Open(broken);
    Select(200, 150, 330, 240);
    EXPECT_EQ(Canvas(260, 200), RGB(0, 0, 0)) << "inside the selection";
    EXPECT_EQ(Canvas(100, 400), RGB(0, 0, 0)) << "outside the selection";
    MoveTo(260, 200);
    Send(WM_LBUTTONDBLCLK, 260, 200, MK_LBUTTON);
    EXPECT_FALSE(TheOverlay().IsLoaded());
    const ClipboardBitmap clip = ReadClipboard();
    ASSERT_EQ(clip.width, 130);
    ASSERT_EQ(clip.height, 90);
    int lit = 0;
    for (int y = 0; y < clip.height; ++y)
      for (int x = 0; x < clip.width; ++x) lit += clip.At(x, y) != 0;
    EXPECT_EQ(lit, 0);
  }
}

// A screen too large for the memory left: the capture does not open at all (no black overlay
// that would pass for one), the user is told why, and the next opening works.
TEST_F(SnapshotFaultTest, AScreenWithoutMemoryForItsCopyOpensNothingAndSaysWhy) {
  std::vector<std::string> told;
  ReportUnexpectedFailure = [&](HWND, const std::string& what) { told.push_back(what); };
  OverrideScreenSize(SIZE{30000, 30000});  // 3.6 GB for each layer
  TheOverlay().Load(false);
  OverrideScreenSize(SIZE{kTestScreenWidth, kTestScreenHeight});
  ReportUnexpectedFailure = [](HWND, const std::string&) {};
  EXPECT_FALSE(TheOverlay().IsLoaded());
  EXPECT_FALSE(CaptureOpen());
  ASSERT_EQ(told.size(), 1u);
  EXPECT_NE(told[0].find("内存不足"), std::string::npos) << told[0];
  EXPECT_NE(told[0].find("30000 × 30000"), std::string::npos) << told[0];
  ScreenSnapshotSource = [] { return SyntheticScreen(ScreenWidth(), ScreenHeight()); };
  ASSERT_TRUE(TheOverlay().Load(false));
  EXPECT_TRUE(CaptureOpen());
  EXPECT_GT(LitCanvasPixels(), 0);
}
