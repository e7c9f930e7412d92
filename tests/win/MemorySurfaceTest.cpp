// The memory surface of GxGraphics: creation, the four blits, clearing, reading pixels, and what
// is left after Delete. Pixels are written and read as raw DIB bytes (0xAARRGGBB), top row first.

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "gx/GraphicsTestObjects.h"
#include "gx/ToolTestSupport.h"
#include "gx/GxBitmap.h"
#include "gx/GxGraphics.h"
#include "gx/GxImage.h"

using namespace testobjects;
using Pixels = std::vector<std::uint32_t>;

namespace {

// A surface of the given size holding the given bytes.
void MakeSurface(GxGraphics& surface, int width, int height, const Pixels& pixels) {
  ASSERT_TRUE(surface.CreateSurface(width, height));
  SetSurfaceBytes(surface, pixels);
  ASSERT_EQ(SurfaceBytes(surface), pixels);
}

}  // namespace

TEST(MemorySurface, NewSurfaceIsZeroBytesAndInvalidOutside) {
  GxGraphics surface;
  ASSERT_TRUE(surface.CreateSurface(5, 3));
  EXPECT_TRUE(surface.IsValid());
  EXPECT_NE(surface.GetSurfaceDC(), nullptr);
  EXPECT_EQ(surface.GetSurfaceWidth(), 5);
  EXPECT_EQ(surface.GetSurfaceHeight(), 3);
  EXPECT_EQ(surface.GetSurfacePixel(0, 0), 0u);
  EXPECT_EQ(surface.GetSurfacePixel(4, 2), 0u);
  EXPECT_EQ(surface.GetSurfacePixel(5, 0), CLR_INVALID);
  EXPECT_EQ(surface.GetSurfacePixel(0, -1), CLR_INVALID);
  EXPECT_EQ(SurfaceBytes(surface), Pixels(15, 0u));

  DIBSECTION dib{};
  ASSERT_EQ(GetObjectA(surface.GetSurfaceBitmap(), sizeof dib, &dib), static_cast<int>(sizeof dib));
  EXPECT_EQ(dib.dsBmih.biWidth, 5);
  EXPECT_EQ(dib.dsBmih.biHeight, 3) << "rows are stored bottom-up";
  EXPECT_EQ(dib.dsBmih.biBitCount, 32);
  EXPECT_EQ(GetCurrentObject(surface.GetSurfaceDC(), OBJ_BITMAP), surface.GetSurfaceBitmap());
  EXPECT_EQ(GetBkMode(surface.GetSurfaceDC()), TRANSPARENT);
}

TEST(MemorySurface, EmptySizeIsNoSurface) {
  GxGraphics surface;
  EXPECT_FALSE(surface.CreateSurface(0, 0));
  EXPECT_EQ(LastStatus, 1);
  HDC dc = surface.GetSurfaceDC();
  surface.Delete();
  EXPECT_EQ(surface.GetSurfaceDC(), nullptr);
  EXPECT_EQ(GetObjectType(dc), 0u) << "Delete released the memory DC all the same";
}

TEST(MemorySurface, PixelIsColorRefWithoutAlpha) {
  GxGraphics surface;
  MakeSurface(surface, 2, 1, {0x80112233, 0xFF0000FF});
  EXPECT_EQ(surface.GetSurfacePixel(0, 0), RGB(0x11, 0x22, 0x33));
  EXPECT_EQ(surface.GetSurfacePixel(1, 0), RGB(0, 0, 0xFF));
}

TEST(MemorySurface, CreatingAgainReplacesTheSurface) {
  GxGraphics surface;
  ASSERT_TRUE(surface.CreateSurface(4, 4));
  HDC firstDC = surface.GetSurfaceDC();
  HBITMAP firstBitmap = surface.GetSurfaceBitmap();
  ASSERT_TRUE(surface.CreateSurface(6, 2));
  EXPECT_NE(surface.GetSurfaceDC(), firstDC);
  EXPECT_EQ(GetObjectType(firstDC), 0u) << "the first memory DC was deleted";
  EXPECT_EQ(GetObjectType(firstBitmap), 0u) << "the first DIB section was deleted";
  EXPECT_EQ(surface.GetSurfaceWidth(), 6);
  EXPECT_EQ(surface.GetSurfaceHeight(), 2);
}

TEST(MemorySurface, DeleteReleasesEverythingAndBlitsThenFail) {
  GxGraphics source;
  ASSERT_TRUE(source.CreateSurface(2, 2));
  GxGraphics surface;
  ASSERT_TRUE(surface.CreateSurface(2, 2));
  HDC dc = surface.GetSurfaceDC();
  HBITMAP bitmap = surface.GetSurfaceBitmap();

  EXPECT_TRUE(surface.Delete());
  EXPECT_FALSE(surface.IsValid());
  EXPECT_EQ(surface.GetSurfaceDC(), nullptr);
  EXPECT_EQ(surface.GetSurfaceBitmap(), nullptr);
  EXPECT_EQ(surface.GetSurfaceWidth(), 0);
  EXPECT_EQ(surface.GetSurfaceHeight(), 0);
  EXPECT_EQ(GetObjectType(dc), 0u);
  EXPECT_EQ(GetObjectType(bitmap), 0u);
  EXPECT_EQ(surface.GetSurfacePixel(0, 0), CLR_INVALID);

  HDC from = source.GetSurfaceDC();
  LastStatus = 0;
  EXPECT_FALSE(surface.BitBltFrom(from, 0, 0, 0, 0, 2, 2));
  EXPECT_EQ(LastStatus, 1);
  LastStatus = 0;
  EXPECT_FALSE(surface.StretchBltFrom(from, 0, 0, 2, 2, 0, 0, 2, 2));
  EXPECT_EQ(LastStatus, 1);
  LastStatus = 0;
  EXPECT_FALSE(surface.AlphaBlendFrom(from, 0, 0, 2, 2, 0, 0, 2, 2));
  EXPECT_EQ(LastStatus, 1);
  LastStatus = 0;
  EXPECT_FALSE(surface.TransparentBltFrom(from, 0, 0, 2, 2, 0, 0, 2, 2));
  EXPECT_EQ(LastStatus, 1);
  LastStatus = 0;
  EXPECT_FALSE(surface.TransparentBltFrom(from, 0, 0, 2, 2, 0, 0, 2, 2, 0, 1));
  EXPECT_EQ(LastStatus, 1);
  LastStatus = 0;
  EXPECT_FALSE(surface.ClearRect(0, 0, 1, 1));
  EXPECT_FALSE(surface.Delete()) << "a second Delete finds nothing";
}

namespace {

// What happens, in order, while a surface goes: a DC handed out by GetHDC given back, and the
// graphics deleted, noting whether the DC it draws on was still alive then.
struct Teardown {
  static inline std::vector<std::string> events;
  static inline HDC surfaceDC = nullptr;
  static inline decltype(GdiplusApi::GdipReleaseDC) realRelease = nullptr;
  static inline decltype(GdiplusApi::GdipDeleteGraphics) realDelete = nullptr;
  static Gdiplus::GpStatus WINGDIPAPI ReleaseDC(Gdiplus::GpGraphics* graphics, HDC dc) {
    events.push_back("give back the DC");
    return realRelease(graphics, dc);
  }
  static Gdiplus::GpStatus WINGDIPAPI DeleteGraphics(Gdiplus::GpGraphics* graphics) {
    events.push_back(GetObjectType(surfaceDC) ? "delete the graphics" : "delete the graphics after its DC");
    return realDelete(graphics);
  }
};

}  // namespace

TEST(MemorySurface, DeleteGivesBackTheHeldDCThenDeletesTheGraphicsBeforeItsDC) {
  GxGraphics surface;
  ASSERT_TRUE(surface.CreateSurface(4, 4));
  ASSERT_NE(surface.GetHDC(), nullptr);
  {
    tooltest::ScopedEntry release(GdiplusEntries().GdipReleaseDC, &Teardown::ReleaseDC);
    tooltest::ScopedEntry remove(GdiplusEntries().GdipDeleteGraphics, &Teardown::DeleteGraphics);
    Teardown::realRelease = release.original();
    Teardown::realDelete = remove.original();
    Teardown::events.clear();
    Teardown::surfaceDC = surface.GetSurfaceDC();
    EXPECT_TRUE(surface.Delete());
    EXPECT_EQ(Teardown::events, (std::vector<std::string>{"give back the DC", "delete the graphics"}));
  }
  EXPECT_EQ(GetObjectType(Teardown::surfaceDC), 0u);

  // Nothing is held any more: an empty graphics has no DC to give, a new surface gives its own.
  EXPECT_EQ(surface.GetHDC(), nullptr);
  EXPECT_FALSE(surface.ReleaseHDC());
  ASSERT_TRUE(surface.CreateSurface(4, 4));
  HDC fresh = surface.GetHDC();
  EXPECT_EQ(LastStatus, 0);
  EXPECT_NE(GetObjectType(fresh), 0u);
  EXPECT_TRUE(surface.ReleaseHDC());
}

TEST(MemorySurface, BitsReachThePixelsBothWays) {
  GxGraphics surface;
  EXPECT_EQ(surface.GetSurfaceBits().bits, nullptr);
  MakeSurface(surface, 3, 2, {0x01020304, 0x05060708, 0x090A0B0C,  //
                              0x11121314, 0x15161718, 0x191A1B1C});
  SurfaceBits bits = surface.GetSurfaceBits();
  ASSERT_NE(bits.bits, nullptr);
  EXPECT_EQ(bits.width, 3);
  EXPECT_EQ(bits.height, 2);
  EXPECT_EQ(bits.stride, 12);
  EXPECT_TRUE(bits.bottomUp);
  EXPECT_EQ(bits.Row(0)[1], 0x05060708u);
  EXPECT_EQ(bits.Row(1)[2], 0x191A1B1Cu);
  EXPECT_EQ(bits.bits + 12, reinterpret_cast<std::uint8_t*>(bits.Row(0))) << "the top row is last in memory";
  EXPECT_EQ(bits.Row(2), nullptr);
  EXPECT_EQ(bits.Row(-1), nullptr);

  // Writes show through GDI; GDI+ drawing shows in the bits once they are taken again.
  bits.Row(1)[0] = 0xFF332211;
  EXPECT_EQ(surface.GetSurfacePixel(0, 1), RGB(0x33, 0x22, 0x11));
  TestBrush white(0xFFFFFFFF);
  ASSERT_TRUE(surface.FillRectangleI(white, 2, 0, 1, 1));
  EXPECT_EQ(surface.GetSurfaceBits().Row(0)[2], 0xFFFFFFFFu);

  surface.Delete();
  EXPECT_EQ(surface.GetSurfaceBits().bits, nullptr);
  EXPECT_EQ(surface.GetSurfaceBits().Row(0), nullptr);
}

TEST(MemorySurface, AlphaBlendWithDefaultsCopiesOwnSizeOpaquely) {
  const Pixels source = {0x80102030, 0x00000000, 0xFF405060, 0x01020304,  //
                         0x11111111, 0x22222222, 0x33333333, 0x44444444,  //
                         0x55555555, 0x66666666, 0x77777777, 0x88888888};
  GxGraphics from;
  MakeSurface(from, 4, 3, source);
  GxGraphics surface;
  MakeSurface(surface, 2, 2, Pixels(4, 0xFFFFFFFF));

  ASSERT_TRUE(surface.AlphaBlendFrom(from.GetSurfaceDC()));
  EXPECT_EQ(SurfaceBytes(surface), (Pixels{0x80102030, 0x00000000, 0x11111111, 0x22222222}))
      << "a 2 x 2 region (this surface's size) copied byte for byte, alpha included";

  ASSERT_TRUE(surface.AlphaBlendFrom(from.GetSurfaceDC(), 2, 1, 1, 2, 1, 0, 1, 2));
  EXPECT_EQ(SurfaceBytes(surface), (Pixels{0x80102030, 0x33333333, 0x11111111, 0x77777777}));
}

TEST(MemorySurface, PerPixelAlphaSkipsFullyTransparentSourcePixels) {
  GxGraphics from;
  MakeSurface(from, 2, 2, {0x00000000, 0xFF00FF00, 0x00000000, 0xFF0000FF});
  GxGraphics surface;
  const std::uint32_t destination = 0xFF336699;
  MakeSurface(surface, 2, 2, Pixels(4, destination));

  ASSERT_TRUE(surface.AlphaBlendFrom(from.GetSurfaceDC(), {}, {}, {}, {}, {}, {}, {}, {}, 255, 1));
  EXPECT_EQ(SurfaceBytes(surface), (Pixels{destination, 0xFF00FF00, destination, 0xFF0000FF}));

  // Only exactly 1 turns per-pixel alpha on: 2 copies the zero pixels like the default.
  ASSERT_TRUE(surface.AlphaBlendFrom(from.GetSurfaceDC(), {}, {}, {}, {}, {}, {}, {}, {}, 255, 2));
  EXPECT_EQ(SurfaceBytes(surface), (Pixels{0, 0xFF00FF00, 0, 0xFF0000FF}));
}

TEST(MemorySurface, ConstantAlphaBlendsHalfWay) {
  GxGraphics from;
  MakeSurface(from, 1, 1, {0xFFFFFFFF});
  GxGraphics surface;
  MakeSurface(surface, 1, 1, {0xFF000000});
  ASSERT_TRUE(surface.AlphaBlendFrom(from.GetSurfaceDC(), {}, {}, {}, {}, {}, {}, {}, {}, 128));
  const COLORREF mixed = surface.GetSurfacePixel(0, 0);
  EXPECT_NEAR(GetRValue(mixed), 128, 2);
  EXPECT_NEAR(GetGValue(mixed), 128, 2);
  EXPECT_NEAR(GetBValue(mixed), 128, 2);
}

TEST(MemorySurface, ClearRectZeroesAllFourBytesInsideOnly) {
  GxGraphics surface;
  MakeSurface(surface, 4, 3, Pixels(12, 0xFFFFFFFF));
  ASSERT_TRUE(surface.ClearRect(1, 1, 2, 2));
  const std::uint32_t W = 0xFFFFFFFF;
  EXPECT_EQ(SurfaceBytes(surface), (Pixels{W, W, W, W,  //
                                           W, 0, 0, W,  //
                                           W, 0, 0, W}));
}

TEST(MemorySurface, ClearRectWithoutSurfaceDrawsNothing) {
  GxGraphics empty;
  LastStatus = 0;
  EXPECT_FALSE(empty.ClearRect(0, 0, 2, 2));
  EXPECT_EQ(LastStatus, 0);

  // A graphics over a bitmap has no memory DC to clear.
  TestBitmap bitmap(2, 2, 0xFF00FF00);
  GxGraphics overBitmap;
  ASSERT_TRUE(overBitmap.CreateFromImage(bitmap));
  EXPECT_FALSE(overBitmap.ClearRect(0, 0, 2, 2));
  EXPECT_EQ(LastStatus, 1);
  overBitmap.Delete();
  EXPECT_EQ(bitmap.Pixel(0, 0), 0xFF00FF00u);
}

TEST(MemorySurface, BitBltCopiesFromPositionToPosition) {
  GxGraphics from;
  MakeSurface(from, 3, 2, {0x01, 0x02, 0x03, 0x04, 0x05, 0x06});
  GxGraphics surface;
  MakeSurface(surface, 3, 2, Pixels(6, 0xFFFFFFFF));

  ASSERT_TRUE(surface.BitBltFrom(from.GetSurfaceDC(), 1, 0, 0, 1, 2, 1));
  const std::uint32_t W = 0xFFFFFFFF;
  EXPECT_EQ(SurfaceBytes(surface), (Pixels{W, W, W, 0x02, 0x03, W}));

  ASSERT_TRUE(surface.BitBltFrom(from.GetSurfaceDC()));
  EXPECT_EQ(SurfaceBytes(surface), (Pixels{0x01, 0x02, 0x03, 0x04, 0x05, 0x06})) << "defaults: all of this surface";
}

TEST(MemorySurface, StretchBltScalesSourceToOwnSize) {
  GxGraphics from;
  MakeSurface(from, 2, 1, {0xFF0000FF, 0xFF00FF00});
  GxGraphics surface;
  ASSERT_TRUE(surface.CreateSurface(4, 2));
  ASSERT_TRUE(surface.StretchBltFrom(from.GetSurfaceDC(), 0, 0, 2, 1));
  for (int y = 0; y < 2; ++y) {
    EXPECT_EQ(surface.GetSurfacePixel(0, y), RGB(0, 0, 0xFF));
    EXPECT_EQ(surface.GetSurfacePixel(1, y), RGB(0, 0, 0xFF));
    EXPECT_EQ(surface.GetSurfacePixel(2, y), RGB(0, 0xFF, 0));
    EXPECT_EQ(surface.GetSurfacePixel(3, y), RGB(0, 0xFF, 0));
  }
}

TEST(MemorySurface, TransparentBltSkipsTheKeyColourWithEitherLibrary) {
  GxGraphics from;
  MakeSurface(from, 3, 1, {0x00000000, 0x000000FF, 0x0000FF00});
  for (int useMsimg32 : {0, 1}) {
    GxGraphics surface;
    MakeSurface(surface, 3, 1, Pixels(3, 0x00FFFFFF));
    ASSERT_TRUE(surface.TransparentBltFrom(from.GetSurfaceDC(), {}, {}, {}, {}, {}, {}, {}, {}, {}, useMsimg32));
    EXPECT_EQ(surface.GetSurfacePixel(0, 0), RGB(0xFF, 0xFF, 0xFF)) << "black is the default key";
    EXPECT_EQ(surface.GetSurfacePixel(1, 0), RGB(0, 0, 0xFF));
    EXPECT_EQ(surface.GetSurfacePixel(2, 0), RGB(0, 0xFF, 0));

    MakeSurface(surface, 3, 1, Pixels(3, 0x00FFFFFF));
    ASSERT_TRUE(surface.TransparentBltFrom(from.GetSurfaceDC(), {}, {}, {}, {}, {}, {}, {}, {}, RGB(0, 0, 0xFF),
                                           useMsimg32));
    EXPECT_EQ(surface.GetSurfacePixel(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(surface.GetSurfacePixel(1, 0), RGB(0xFF, 0xFF, 0xFF)) << "the given key is skipped";
  }
}

TEST(MemorySurface, GdiplusDrawingLandsOnTheSurface) {
  GxGraphics surface;
  ASSERT_TRUE(surface.CreateSurface(4, 4));
  TestBrush red(0xFFFF0000);
  ASSERT_TRUE(surface.FillRectangle(red, 1, 1, 2, 2));
  EXPECT_EQ(surface.GetSurfacePixel(1, 1), RGB(0xFF, 0, 0));
  EXPECT_EQ(surface.GetSurfacePixel(2, 2), RGB(0xFF, 0, 0));
  EXPECT_EQ(surface.GetSurfacePixel(0, 0), 0u);
  EXPECT_EQ(surface.GetSurfacePixel(3, 3), 0u);
}

TEST(MemorySurface, ClearToBlackPaintsEveryPixelAndKeepsLastStatus) {
  GxGraphics surface;
  MakeSurface(surface, 3, 2, Pixels(6, 0xFF8090A0));
  LastStatus = 7;
  EXPECT_TRUE(surface.ClearToBlack());
  EXPECT_EQ(LastStatus, 7);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(surface.GetSurfacePixel(x, y), 0u) << x << "," << y;

  GxGraphics empty;
  EXPECT_FALSE(empty.ClearToBlack());
}

TEST(MemorySurface, EncodeSurfaceWithoutAFormatGivesJpeg) {
  GxGraphics surface;
  MakeSurface(surface, 8, 8, Pixels(64, 0xFF204080));
  std::string format;
  const Bytes jpeg = surface.EncodeSurface(format);
  EXPECT_EQ(format, "{B96B3CAE-0728-11D3-9D7B-0000F81EF32E}");
  ASSERT_GT(jpeg.size(), 2u);
  EXPECT_EQ(jpeg[0], 0xFF);
  EXPECT_EQ(jpeg[1], 0xD8);
}

TEST(MemorySurface, EncodeSurfaceAsPngKeepsThePixels) {
  GxGraphics surface;
  Pixels pixels(12, 0xFF000000);
  pixels[0] = 0xFFFF0000;   // top left red
  pixels[11] = 0xFF0000FF;  // bottom right blue
  MakeSurface(surface, 4, 3, pixels);
  std::string format = kPngFormat;
  const Bytes png = surface.EncodeSurface(format);
  EXPECT_EQ(format, kPngFormat);
  ASSERT_GT(png.size(), 8u);
  EXPECT_EQ(png[1], 'P');

  GxBitmap decoded;
  ASSERT_TRUE(decoded.LoadFromBytes(png));
  EXPECT_EQ(decoded.GetWidth(), 4);
  EXPECT_EQ(decoded.GetHeight(), 3);
  EXPECT_EQ(decoded.GetPixel(0, 0) & 0xFFFFFF, 0xFF0000u) << "rows keep their order";
  EXPECT_EQ(decoded.GetPixel(3, 2) & 0xFFFFFF, 0x0000FFu);
  EXPECT_EQ(decoded.GetPixel(1, 1) & 0xFFFFFF, 0u);
}

TEST(MemorySurface, EncodeSurfaceWithoutSurfaceIsEmpty) {
  GxGraphics empty;
  std::string format = kPngFormat;
  EXPECT_TRUE(empty.EncodeSurface(format).empty());
}
