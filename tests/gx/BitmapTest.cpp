// GxBitmap against the GDI+ of the running system: creation, lifetime of the bytes a bitmap is
// loaded from, conversion to and from GDI bitmaps, and the rotated copy, read back pixel by pixel.

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <vector>

#include "gx/GxBitmap.h"
#include "gx/ImageTestImages.h"

using namespace testimages;

namespace {

// Watches the stream a bitmap is loaded from: remembers it (holding a reference of its own) and
// how many references were held on it when GDI+ disposed the bitmap.
class StreamWatch {
 public:
  StreamWatch() : realCreate_(GdiplusEntries().GdipCreateBitmapFromStream), realDispose_(GdiplusEntries().GdipDisposeImage) {
    stream = nullptr;
    referencesAtDispose = -1;
    realCreate = realCreate_;
    realDispose = realDispose_;
    GdiplusEntries().GdipCreateBitmapFromStream = &Create;
    GdiplusEntries().GdipDisposeImage = &Dispose;
  }
  ~StreamWatch() {
    GdiplusEntries().GdipCreateBitmapFromStream = realCreate_;
    GdiplusEntries().GdipDisposeImage = realDispose_;
  }
  // References left after dropping ours.
  ULONG ReleaseOurs() {
    ULONG left = stream->Release();
    stream = nullptr;
    return left;
  }

  static inline IStream* stream = nullptr;
  static inline long referencesAtDispose = -1;

 private:
  static long References(IStream* s) {
    s->AddRef();
    return static_cast<long>(s->Release());
  }
  static Gdiplus::GpStatus WINGDIPAPI Create(IStream* s, Gdiplus::GpBitmap** bitmap) {
    stream = s;
    if (s) s->AddRef();
    return realCreate(s, bitmap);
  }
  static Gdiplus::GpStatus WINGDIPAPI Dispose(Gdiplus::GpImage* image) {
    if (stream) referencesAtDispose = References(stream);
    return realDispose(image);
  }
  static inline decltype(GdiplusApi::GdipCreateBitmapFromStream) realCreate = nullptr;
  static inline decltype(GdiplusApi::GdipDisposeImage) realDispose = nullptr;
  decltype(GdiplusApi::GdipCreateBitmapFromStream) realCreate_;
  decltype(GdiplusApi::GdipDisposeImage) realDispose_;
};

Bytes PngOf(GxBitmap& bitmap) {
  std::string format = kPngFormat;
  return bitmap.SaveToBytes(format, true);
}

// A 32-bit top-down DIB section whose pixels (0xAARRGGBB) the test can write and read directly.
class DibSection {
 public:
  DibSection(int width, int height) : width_(width) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    handle_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
  }
  explicit DibSection(HBITMAP adopted) : handle_(adopted) {}
  ~DibSection() {
    if (handle_) DeleteObject(handle_);
  }
  DibSection(const DibSection&) = delete;
  DibSection& operator=(const DibSection&) = delete;
  HBITMAP handle() const { return handle_; }
  std::uint32_t& at(int x, int y) { return bits_[y * width_ + x]; }

 private:
  HBITMAP handle_ = nullptr;
  std::uint32_t* bits_ = nullptr;
  int width_ = 0;
};

// The pixels of any GDI bitmap as 0xAARRGGBB, top row first, through GetDIBits.
std::vector<std::uint32_t> PixelsOf(HBITMAP bitmap, int width, int height) {
  std::vector<std::uint32_t> pixels(static_cast<size_t>(width) * height, 0xdeadbeef);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return pixels;
}

}  // namespace

TEST(BitmapCreation, CreateDefaultsTo32BitArgb) {
  GxBitmap bitmap;
  ASSERT_TRUE(bitmap.Create(200, 100));
  EXPECT_EQ(bitmap.GetWidth(), 200);
  EXPECT_EQ(bitmap.GetHeight(), 100);
  EXPECT_EQ(bitmap.GetPixelFormat(), 0x0026200A);
  EXPECT_EQ(bitmap.GetPixel(199, 99), 0u) << "a new ARGB bitmap is transparent black";

  ASSERT_TRUE(bitmap.Create(3, 4, PixelFormat24bppRGB));
  EXPECT_EQ(bitmap.GetPixelFormat(), PixelFormat24bppRGB);
  EXPECT_EQ(bitmap.GetWidth(), 3);
}

TEST(BitmapCreation, FailedCreateLeavesTheBitmapEmpty) {
  GxBitmap bitmap;
  ASSERT_TRUE(bitmap.Create(2, 2));
  EXPECT_FALSE(bitmap.Create(0, 5));
  EXPECT_EQ(LastStatus, GxInvalidParameter);
  EXPECT_FALSE(bitmap.IsValid());
  EXPECT_EQ(bitmap.GetPixel(0, 0), 0u);
  EXPECT_NE(LastStatus, GxOk);
}

TEST(BitmapPixels, SetAndGetPixel) {
  GxBitmap bitmap;
  ASSERT_TRUE(bitmap.Create(4, 3));
  EXPECT_TRUE(bitmap.SetPixel(3, 2, 0x80123456));
  EXPECT_EQ(bitmap.GetPixel(3, 2), 0x80123456u);
  EXPECT_FALSE(bitmap.SetPixel(4, 0, kRed));
  EXPECT_EQ(bitmap.GetPixel(4, 0), 0u) << "outside the bitmap";
  EXPECT_NE(LastStatus, GxOk);
}

TEST(BitmapLoading, LoadFromBytesDecodesThePixels) {
  GxBitmap source;
  MakeFewColours(source);
  GxBitmap loaded;
  ASSERT_TRUE(loaded.LoadFromBytes(PngOf(source)));
  EXPECT_EQ(FirstDifference(source, loaded), "");
  EXPECT_EQ(loaded.GetRawFormat(), kPngFormat);

  EXPECT_FALSE(loaded.LoadFromBytes(Bytes(40, 0x55)));
  EXPECT_FALSE(loaded.IsValid());
}

TEST(BitmapLoading, DeleteReleasesTheStreamOnlyAfterTheBitmap) {
  GxBitmap source;
  MakeFewColours(source);
  const Bytes png = PngOf(source);
  StreamWatch watch;
  {
    GxBitmap loaded;
    ASSERT_TRUE(loaded.LoadFromBytes(png));
    ASSERT_NE(StreamWatch::stream, nullptr);
    EXPECT_EQ(loaded.GetPixel(0, 0), kRed);

    EXPECT_TRUE(loaded.Delete());
    EXPECT_GE(StreamWatch::referencesAtDispose, 2) << "the bitmap's stream was released before the bitmap";
    EXPECT_EQ(watch.ReleaseOurs(), 0u) << "Delete kept a reference to the stream";

    LastStatus = 42;
    EXPECT_FALSE(loaded.Delete());
    EXPECT_EQ(LastStatus, 42);
  }
}

TEST(BitmapLoading, DestroyingALoadedBitmapReleasesTheStream) {
  GxBitmap source;
  MakeFewColours(source);
  const Bytes png = PngOf(source);
  StreamWatch watch;
  { GxBitmap loaded; ASSERT_TRUE(loaded.LoadFromBytes(png)); }
  ASSERT_NE(StreamWatch::stream, nullptr);
  EXPECT_GE(StreamWatch::referencesAtDispose, 2);
  EXPECT_EQ(watch.ReleaseOurs(), 0u);
}

TEST(BitmapGdi, CreateFromHBITMAPReadsTheGdiPixels) {
  DibSection dib(3, 2);
  dib.at(0, 0) = 0x00FF0000;
  dib.at(2, 1) = 0x000000FF;
  dib.at(1, 0) = 0x0000FF00;
  GdiFlush();
  GxBitmap bitmap;
  ASSERT_TRUE(bitmap.CreateFromHBITMAP(dib.handle()));
  EXPECT_EQ(bitmap.GetWidth(), 3);
  EXPECT_EQ(bitmap.GetHeight(), 2);
  EXPECT_EQ(bitmap.GetPixel(0, 0), kRed);
  EXPECT_EQ(bitmap.GetPixel(1, 0), kGreen);
  EXPECT_EQ(bitmap.GetPixel(2, 1), kBlue);
  EXPECT_EQ(bitmap.GetPixel(0, 1), kBlack);
}

TEST(BitmapGdi, GetHBITMAPGivesTheCallerACopy) {
  GxBitmap bitmap;
  ASSERT_TRUE(bitmap.Create(4, 3));
  bitmap.SetPixel(0, 0, kRed);
  bitmap.SetPixel(3, 2, kBlue);
  bitmap.SetPixel(1, 1, 0x00000000);  // transparent: composed over the background
  DibSection copy(bitmap.GetHBITMAP(0xFF00FF00));
  ASSERT_NE(copy.handle(), nullptr);
  bitmap.Delete();  // the GDI bitmap does not depend on the GDI+ one

  std::vector<std::uint32_t> pixels = PixelsOf(copy.handle(), 4, 3);
  EXPECT_EQ(pixels[0] & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(pixels[2 * 4 + 3] & 0xFFFFFF, 0x0000FFu);
  EXPECT_EQ(pixels[1 * 4 + 1] & 0xFFFFFF, 0x00FF00u);

  GxBitmap empty;
  EXPECT_EQ(empty.GetHBITMAP(), nullptr);
}
