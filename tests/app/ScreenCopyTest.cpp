// The screen copied straight into the frozen layer holds the bytes that the way through a 24-bit
// BMP file of the screen, decoded and drawn by GDI+, gave: the same colours, every pixel opaque.

#include <gtest/gtest.h>

#include <cstring>

#include "app/desktop/ScreenGrab.h"
#include "gx/GdiOwners.h"
#include "gx/GxGraphics.h"
#include "support/CanvasToBmp.h"
#include "support/OverlayFixture.h"

namespace {

constexpr int kSide = 200;  // a multiple of 4 pixels: 24-bit rows need no padding

// A window at the screen's top-left corner showing a picture whose neighbouring pixels differ.
class PictureWindow {
 public:
  PictureWindow() {
    window_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, kSide,
                              kSide, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    UpdateWindow(window_);
    std::vector<std::uint32_t> pixels(kSide * kSide);
    for (int y = 0; y < kSide; ++y)
      for (int x = 0; x < kSide; ++x) pixels[y * kSide + x] = Colour(x, y);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kSide;
    info.bmiHeader.biHeight = -kSide;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    HDC dc = GetDC(window_);
    SetDIBitsToDevice(dc, 0, 0, kSide, kSide, 0, 0, 0, kSide, pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(window_, dc);
    GdiFlush();
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  ~PictureWindow() { DestroyWindow(window_); }
  PictureWindow(const PictureWindow&) = delete;
  PictureWindow& operator=(const PictureWindow&) = delete;

  // 0x00RRGGBB
  static std::uint32_t Colour(int x, int y) {
    return static_cast<std::uint32_t>((x * 5 + 17) % 256 << 16 | (y * 3 + 40) % 256 << 8 | (x + y * 7) % 256);
  }

 private:
  HWND window_;
};

// The screen's top-left kSide × kSide pixels as the program used to take them: copied into a
// device bitmap and read back as a 24-bit BMP file.
Bytes ScreenAsBmpFile() {
  ScreenDC screen;
  MemoryDC memory(screen.get());
  GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.get(), kSide, kSide));
  {
    Selection selected(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, kSide, kSide, screen.get(), 0, 0, SRCCOPY);
  }
  Bytes file = BmpHeaders(kSide, kSide, 24);
  BITMAPINFOHEADER info{};
  std::memcpy(&info, file.data() + sizeof(BITMAPFILEHEADER), sizeof info);
  file.resize(file.size() + static_cast<size_t>(kSide) * kSide * 3);
  GetDIBits(memory.get(), bitmap.get(), 0, kSide, file.data() + 54, reinterpret_cast<BITMAPINFO*>(&info),
            DIB_RGB_COLORS);
  return file;
}

}  // namespace

TEST(ScreenCopy, TheFrozenLayerGetsTheBytesOfTheWayThroughABmpFile) {
  PictureWindow picture;
  GxGraphics direct, throughFile;
  ASSERT_TRUE(direct.CreateSurface(kSide, kSide));
  ASSERT_TRUE(throughFile.CreateSurface(kSide, kSide));
  ASSERT_TRUE(TakeScreenSnapshot(direct));
  ScreenSource fromFile{[](GxGraphics&) { return false; }};
  fromFile = [] { return ScreenAsBmpFile(); };
  ASSERT_TRUE(fromFile(throughFile));

  const SurfaceBits a = direct.GetSurfaceBits(), b = throughFile.GetSurfaceBits();
  EXPECT_EQ(a.Row(37)[91] & 0xFFFFFF, PictureWindow::Colour(91, 37)) << "the copy shows the screen";
  int differing = 0;
  for (int y = 0; y < kSide; ++y) differing += std::memcmp(a.Row(y), b.Row(y), kSide * 4) != 0;
  EXPECT_EQ(differing, 0) << "rows differ; top-left pixel " << std::hex << a.Row(0)[0] << " and " << b.Row(0)[0];
}
