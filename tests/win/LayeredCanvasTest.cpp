#include "win/LayeredCanvas.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "win/TestWindow.h"

namespace {

// A 32-bit top-down DIB section in its own memory DC, whose bytes the test writes and reads
// directly: the source of blends and the place surface pixels are copied back to.
class PixelBuffer {
 public:
  PixelBuffer(int width, int height) : width_(width) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<std::uint32_t*>(bits);
    previous_ = SelectObject(dc_, bitmap_);
  }
  ~PixelBuffer() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  PixelBuffer(const PixelBuffer&) = delete;
  PixelBuffer& operator=(const PixelBuffer&) = delete;

  HDC DC() const { return dc_; }
  // Pixels as 0xAARRGGBB, premultiplied where alpha is used.
  std::uint32_t& At(int x, int y) { return bits_[y * width_ + x]; }
  void Fill(std::uint32_t argb, int width, int height) {
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) At(x, y) = argb;
  }

 private:
  int width_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  std::uint32_t* bits_ = nullptr;
};

// All four bytes of one pixel of a surface, alpha included (GetPixel drops it).
std::uint32_t ReadPixel(HDC surface, int x, int y) {
  PixelBuffer copy(1, 1);
  copy.At(0, 0) = 0xDEADBEEF;
  BitBlt(copy.DC(), 0, 0, 1, 1, surface, x, y, SRCCOPY);
  GdiFlush();
  return copy.At(0, 0);
}

// Blending rounds; every channel may be one off.
void ExpectPixelNear(std::uint32_t actual, std::uint32_t expected) {
  for (int shift = 0; shift < 32; shift += 8)
    EXPECT_NEAR(static_cast<int>((actual >> shift) & 0xFF), static_cast<int>((expected >> shift) & 0xFF), 1)
        << std::hex << "pixel " << actual << ", expected about " << expected;
}

LONG ExStyle(HWND window) { return GetWindowLongA(window, GWL_EXSTYLE); }

TEST(LayeredCanvas, DetachedCanvasDoesNothing) {
  LayeredCanvas canvas;
  PixelBuffer source(8, 8);
  source.Fill(0xFFFF0000, 8, 8);
  std::string format = "{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}";

  auto expectDetached = [&] {
    EXPECT_FALSE(canvas.IsAttached());
    EXPECT_FALSE(canvas.Present());
    EXPECT_FALSE(canvas.AlphaBlendFrom(source.DC()));
    EXPECT_FALSE(canvas.SetCanvasAlpha(10));
    EXPECT_EQ(canvas.GetCanvasAlpha(), -1);
    EXPECT_EQ(canvas.GetSurfaceWidth(), 0);
    EXPECT_EQ(canvas.GetSurfaceHeight(), 0);
    EXPECT_TRUE(canvas.EncodeSurface(format).empty());
    EXPECT_FALSE(canvas.ClearToBlack());
    EXPECT_FALSE(canvas.ClearRect(0, 0, 2, 2));
    EXPECT_FALSE(canvas.ResizeSurface(4, 4));
    EXPECT_EQ(canvas.GetWindow(), nullptr);
    EXPECT_EQ(canvas.GetSurfaceDC(), nullptr);
    EXPECT_FALSE(canvas.Detach());
  };
  expectDetached();

  TestWindow window;
  ASSERT_TRUE(canvas.Attach(window.Handle()));
  ASSERT_TRUE(canvas.SetCanvasAlpha(77));
  EXPECT_EQ(canvas.GetCanvasAlpha(), 77);
  EXPECT_TRUE(canvas.Detach());
  expectDetached();
}

TEST(LayeredCanvas, AttachGivesALayeredWindowAndATransparentSurfaceOfItsSize) {
  TestWindow window(120, 80, WS_EX_TOOLWINDOW);
  LayeredCanvas canvas;
  EXPECT_TRUE(canvas.Attach(window.Handle()));
  EXPECT_TRUE(canvas.IsAttached());
  EXPECT_EQ(canvas.GetWindow(), window.Handle());
  EXPECT_EQ(ExStyle(window.Handle()), WS_EX_TOOLWINDOW | WS_EX_LAYERED);
  EXPECT_EQ(canvas.GetSurfaceWidth(), 120);
  EXPECT_EQ(canvas.GetSurfaceHeight(), 80);
  EXPECT_EQ(canvas.GetCanvasAlpha(), 255);
  ASSERT_NE(canvas.GetSurfaceDC(), nullptr);
  EXPECT_EQ(ReadPixel(canvas.GetSurfaceDC(), 0, 0), 0u);
  EXPECT_EQ(ReadPixel(canvas.GetSurfaceDC(), 119, 79), 0u);
  EXPECT_EQ(canvas.GetSurfacePixel(119, 79), 0u);
  EXPECT_EQ(canvas.GetSurfacePixel(120, 0), CLR_INVALID);
  EXPECT_TRUE(canvas.Present());
  std::string png = "{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}";
  const Bytes encoded = canvas.EncodeSurface(png);
  ASSERT_GE(encoded.size(), 8u);
  EXPECT_EQ(std::string(encoded.begin() + 1, encoded.begin() + 4), "PNG");

  ASSERT_TRUE(canvas.ResizeSurface(50, 40));
  EXPECT_EQ(canvas.GetSurfaceWidth(), 50);
  EXPECT_EQ(canvas.GetSurfaceHeight(), 40);
  EXPECT_EQ(canvas.GetSurfacePixel(49, 39), 0u);
  EXPECT_EQ(canvas.GetSurfacePixel(50, 0), CLR_INVALID);
}

TEST(LayeredCanvas, AttachToASecondWindowRestoresTheFirst) {
  TestWindow first(120, 80, WS_EX_TOOLWINDOW);
  TestWindow second(60, 30);
  LayeredCanvas canvas;
  ASSERT_TRUE(canvas.Attach(first.Handle()));
  ASSERT_TRUE(canvas.SetCanvasAlpha(100));
  ASSERT_TRUE(canvas.Attach(second.Handle()));
  EXPECT_EQ(ExStyle(first.Handle()), WS_EX_TOOLWINDOW);
  EXPECT_EQ(ExStyle(second.Handle()), WS_EX_LAYERED);
  EXPECT_EQ(canvas.GetWindow(), second.Handle());
  EXPECT_EQ(canvas.GetSurfaceWidth(), 60);
  EXPECT_EQ(canvas.GetSurfaceHeight(), 30);
  EXPECT_EQ(canvas.GetCanvasAlpha(), 255);

  // The same window again: its own style, not the layered one, is what Detach restores.
  ASSERT_TRUE(canvas.Attach(second.Handle()));
  ASSERT_TRUE(canvas.Detach());
  EXPECT_EQ(ExStyle(second.Handle()), 0);
}

TEST(LayeredCanvas, DetachRestoresTheExactExtendedStyle) {
  TestWindow topmost(100, 60, WS_EX_TOPMOST);
  LayeredCanvas canvas;
  ASSERT_TRUE(canvas.Attach(topmost.Handle()));
  ASSERT_TRUE(canvas.Detach());
  EXPECT_EQ(ExStyle(topmost.Handle()), WS_EX_TOPMOST);

  // A window that was layered already stays layered.
  TestWindow layered(100, 60, WS_EX_LAYERED | WS_EX_TOOLWINDOW);
  ASSERT_TRUE(canvas.Attach(layered.Handle()));
  ASSERT_TRUE(canvas.Detach());
  EXPECT_EQ(ExStyle(layered.Handle()), WS_EX_LAYERED | WS_EX_TOOLWINDOW);

  // Destruction detaches too.
  TestWindow plain;
  {
    LayeredCanvas scoped;
    ASSERT_TRUE(scoped.Attach(plain.Handle()));
    ASSERT_EQ(ExStyle(plain.Handle()), WS_EX_LAYERED);
  }
  EXPECT_EQ(ExStyle(plain.Handle()), 0);
}

TEST(LayeredCanvas, AttachToSomethingThatIsNoWindowIsRefused) {
  HWND gone;
  {
    TestWindow window;
    gone = window.Handle();
  }
  LayeredCanvas canvas;
  EXPECT_FALSE(canvas.Attach(nullptr));
  EXPECT_FALSE(canvas.Attach(gone));
  EXPECT_FALSE(canvas.IsAttached());

  // An attached canvas stays with its window.
  TestWindow window;
  ASSERT_TRUE(canvas.Attach(window.Handle()));
  EXPECT_FALSE(canvas.Attach(gone));
  EXPECT_EQ(canvas.GetWindow(), window.Handle());
  EXPECT_EQ(ExStyle(window.Handle()), WS_EX_LAYERED);
}

TEST(LayeredCanvas, HalfTransparentPixelBlendsOntoTheSurface) {
  TestWindow window(40, 30);
  LayeredCanvas canvas;
  ASSERT_TRUE(canvas.Attach(window.Handle()));
  PixelBuffer source(40, 30);
  source.Fill(0x80800000, 40, 30);  // red at alpha 128, premultiplied
  source.At(5, 5) = 0;              // fully transparent

  // Per-pixel alpha onto the transparent surface: the half-transparent red arrives as it is.
  ASSERT_TRUE(canvas.AlphaBlendFrom(source.DC(), {}, {}, {}, {}, {}, {}, {}, {}, 255, 1));
  EXPECT_EQ(ReadPixel(canvas.GetSurfaceDC(), 0, 0), 0x80800000u);
  EXPECT_EQ(ReadPixel(canvas.GetSurfaceDC(), 39, 29), 0x80800000u);
  EXPECT_EQ(ReadPixel(canvas.GetSurfaceDC(), 5, 5), 0u);
  EXPECT_EQ(canvas.GetSurfacePixel(0, 0), RGB(0x80, 0, 0));

  // Half-transparent blue over it, into one corner only.
  PixelBuffer blue(4, 4);
  blue.Fill(0x80000080, 4, 4);
  ASSERT_TRUE(canvas.AlphaBlendFrom(blue.DC(), 0, 0, 4, 4, 10, 10, 4, 4, 255, 1));
  ExpectPixelNear(ReadPixel(canvas.GetSurfaceDC(), 10, 10), 0xC0400080u);
  EXPECT_EQ(ReadPixel(canvas.GetSurfaceDC(), 14, 14), 0x80800000u);

  // Constant alpha 128 without per-pixel alpha: an opaque green at half strength.
  PixelBuffer green(40, 30);
  green.Fill(0xFF00FF00, 40, 30);
  ASSERT_TRUE(canvas.ClearRect(0, 0, 40, 30));
  EXPECT_EQ(ReadPixel(canvas.GetSurfaceDC(), 0, 0), 0u);
  ASSERT_TRUE(canvas.AlphaBlendFrom(green.DC(), {}, {}, {}, {}, {}, {}, {}, {}, 128));
  ExpectPixelNear(ReadPixel(canvas.GetSurfaceDC(), 20, 20), 0x80008000u);

  EXPECT_TRUE(canvas.ClearToBlack());
  EXPECT_EQ(canvas.GetSurfacePixel(20, 20), 0u);
}

}  // namespace
