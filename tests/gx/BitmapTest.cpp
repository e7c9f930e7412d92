// GxBitmap against the GDI+ of the running system: creation, lifetime of the bytes a bitmap is
// loaded from, conversion to and from GDI bitmaps, and the rotated copy, read back pixel by pixel.

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <functional>
#include <utility>
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

  static long References(IStream* s) {
    s->AddRef();
    return static_cast<long>(s->Release());
  }

  static inline IStream* stream = nullptr;
  static inline long referencesAtDispose = -1;

 private:
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
    const long held = StreamWatch::References(StreamWatch::stream);
    EXPECT_EQ(loaded.GetPixel(0, 0), kRed);

    EXPECT_TRUE(loaded.Delete());
    EXPECT_EQ(StreamWatch::referencesAtDispose, held) << "the bitmap's stream was released before the bitmap";
    EXPECT_EQ(watch.ReleaseOurs(), 0u) << "Delete kept a reference to the stream";

    LastStatus = 42;
    EXPECT_FALSE(loaded.Delete());
    EXPECT_EQ(LastStatus, 42);
  }
  long held = 0;
  {
    GxBitmap destroyed;
    ASSERT_TRUE(destroyed.LoadFromBytes(png));
    ASSERT_NE(StreamWatch::stream, nullptr);
    held = StreamWatch::References(StreamWatch::stream);
  }
  EXPECT_EQ(StreamWatch::referencesAtDispose, held) << "destroying released the stream before the bitmap";
  EXPECT_EQ(watch.ReleaseOurs(), 0u) << "destroying kept a reference to the stream";
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

TEST(BitmapRotation, RotatedSizeIsMeasuredBetweenPixelCentres) {
  float width = -1, height = -1;
  GxBitmap::GetRotatedSize(101, 51, 0, width, height);
  EXPECT_FLOAT_EQ(width, 100);
  EXPECT_FLOAT_EQ(height, 50);
  GxBitmap::GetRotatedSize(101, 51, 90, width, height);
  EXPECT_NEAR(width, 50, 1e-4);
  EXPECT_NEAR(height, 100, 1e-4);
  GxBitmap::GetRotatedSize(21, 21, 45, width, height);
  EXPECT_NEAR(width, 20 * 1.41421356f, 1e-3);
}

TEST(BitmapRotation, ZeroDegreesGivesACanvasOnePixelSmaller) {
  GxBitmap source;
  ASSERT_TRUE(source.Create(101, 51));
  GxBitmap rotated;
  ASSERT_TRUE(source.CreateRotated(0, rotated));
  EXPECT_EQ(rotated.GetWidth(), 100);
  EXPECT_EQ(rotated.GetHeight(), 50);
  EXPECT_EQ(rotated.GetPixelFormat(), PixelFormat32bppARGB);

  GxBitmap sized;
  ASSERT_TRUE(source.CreateRotated(30, sized, std::nullopt, std::nullopt, GxSizeF{64, 32}));
  EXPECT_EQ(sized.GetWidth(), 64);
  EXPECT_EQ(sized.GetHeight(), 32);
}

TEST(BitmapRotation, CornersOutsideTheTurnedImageStayTransparent) {
  GxBitmap source;
  ASSERT_TRUE(source.Create(21, 21));
  for (int y = 0; y < 21; ++y)
    for (int x = 0; x < 21; ++x) source.SetPixel(x, y, kRed);

  GxBitmap plain;
  ASSERT_TRUE(source.CreateRotated(45, plain));
  ASSERT_EQ(plain.GetWidth(), 28);
  EXPECT_EQ(plain.GetPixel(14, 14), kRed);
  for (auto [x, y] : {std::pair{0, 0}, {27, 0}, {0, 27}, {27, 27}}) EXPECT_EQ(plain.GetPixel(x, y) >> 24, 0u) << x << "," << y;

  GxBitmap filled;
  ASSERT_TRUE(source.CreateRotated(45, filled, kGreen));
  EXPECT_EQ(filled.GetPixel(14, 14), kRed);
  EXPECT_EQ(filled.GetPixel(0, 0), kGreen);
  EXPECT_EQ(filled.GetPixel(27, 27), kGreen);
}

TEST(BitmapRotation, NinetyDegreesTurnsClockwise) {
  GxBitmap source;  // left half red, right half blue
  ASSERT_TRUE(source.Create(11, 5));
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 11; ++x) source.SetPixel(x, y, x < 5 ? kRed : x > 5 ? kBlue : kWhite);
  GxBitmap rotated;
  ASSERT_TRUE(source.CreateRotated(90, rotated, std::nullopt, Gdiplus::InterpolationModeNearestNeighbor));
  ASSERT_EQ(rotated.GetWidth(), 4);
  ASSERT_EQ(rotated.GetHeight(), 10);
  EXPECT_EQ(rotated.GetPixel(2, 1), kRed);
  EXPECT_EQ(rotated.GetPixel(1, 8), kBlue);
}

TEST(BitmapRotation, AFailedStepCleansUpAndLeavesTheTargetAlone) {
  GxBitmap empty, target;
  EXPECT_FALSE(empty.CreateRotated(10, target));
  EXPECT_NE(LastStatus, GxOk);
  EXPECT_FALSE(target.IsValid());

  // A canvas that cannot be had: the new bitmap is disposed and the canvas status reported.
  static int disposed;
  static decltype(GdiplusApi::GdipDisposeImage) realDispose;
  disposed = 0;
  realDispose = GdiplusEntries().GdipDisposeImage;
  auto realContext = GdiplusEntries().GdipGetImageGraphicsContext;
  GdiplusEntries().GdipGetImageGraphicsContext = [](Gdiplus::GpImage*, Gdiplus::GpGraphics**) WINGDIPAPI {
    return Gdiplus::OutOfMemory;
  };
  GdiplusEntries().GdipDisposeImage = [](Gdiplus::GpImage* image) WINGDIPAPI {
    ++disposed;
    return realDispose(image);
  };
  GxBitmap source;
  source.Create(5, 5);
  const bool rotated = source.CreateRotated(10, target, kGreen);
  const int status = LastStatus;
  GdiplusEntries().GdipGetImageGraphicsContext = realContext;
  GdiplusEntries().GdipDisposeImage = realDispose;

  EXPECT_FALSE(rotated);
  EXPECT_EQ(status, Gdiplus::OutOfMemory);
  EXPECT_EQ(disposed, 1);
  EXPECT_FALSE(target.IsValid());
}

TEST(BitmapCopies, EveryCopyReleasesWhatItsTargetHeld) {
  GxBitmap source;
  ASSERT_TRUE(source.Create(4, 4));
  GxBitmap target;
  ASSERT_TRUE(target.LoadFromBytes(PngOf(source)));
  static std::vector<void*> disposed;
  static decltype(GdiplusApi::GdipDisposeImage) realDispose;
  realDispose = GdiplusEntries().GdipDisposeImage;
  GdiplusEntries().GdipDisposeImage = [](Gdiplus::GpImage* image) WINGDIPAPI {
    disposed.push_back(image);
    return realDispose(image);
  };
  // Each copy lands in the target that holds the one before it.
  const std::pair<const char*, std::function<bool()>> copies[] = {
      {"Clone", [&] { return source.Clone(target); }},
      {"GetThumbnail", [&] { return source.GetThumbnail(2, 2, target); }},
      {"CloneArea", [&] { return source.CloneArea({0, 0, 2, 2}, PixelFormat32bppARGB, target); }},
      {"CloneAreaI", [&] { return source.CloneAreaI({1, 1, 2, 2}, PixelFormat32bppARGB, target); }},
      {"CreateRotated", [&] { return source.CreateRotated(90, target); }},
  };
  for (const auto& [name, copy] : copies) {
    void* held = target.GetNativeHandle();
    disposed.clear();
    EXPECT_TRUE(copy()) << name;
    EXPECT_EQ(disposed, std::vector<void*>{held}) << name;
    EXPECT_TRUE(target.IsValid()) << name;
  }
  GdiplusEntries().GdipDisposeImage = realDispose;
}

namespace {

// A GDI+ that answers every effect with fresh auxiliary data, and records what is given back.
struct FakeEffects {
  static inline std::vector<void*> freed;
  static inline BOOL askedForAuxData = FALSE;
  static Gdiplus::GpStatus WINGDIPAPI Apply(Gdiplus::GpBitmap*, Gdiplus::CGpEffect*, RECT*, BOOL useAuxData,
                                            void** auxData, INT* auxDataSize) {
    askedForAuxData = useAuxData;
    *auxData = GdiplusEntries().GdipAlloc(8);
    *auxDataSize = 8;
    return Gdiplus::Ok;
  }
  static void WINGDIPAPI Free(void* pointer) {
    freed.push_back(pointer);
    realFree(pointer);
  }
  static inline decltype(GdiplusApi::GdipFree) realFree = nullptr;
};

}  // namespace

TEST(BitmapEffects, AuxiliaryDataOfThePreviousApplicationIsReturnedToGdiplus) {
  GdiplusApi& api = GdiplusEntries();
  auto realApply = api.GdipBitmapApplyEffect;
  FakeEffects::realFree = api.GdipFree;
  FakeEffects::freed.clear();
  api.GdipBitmapApplyEffect = &FakeEffects::Apply;
  api.GdipFree = &FakeEffects::Free;
  GxBitmap bitmap;
  bitmap.Create(2, 2);
  std::vector<void*> given;
  {
    GxEffect effect(nullptr, true);
    EXPECT_TRUE(bitmap.ApplyEffect(effect, nullptr, false));
    given.push_back(effect.GetAuxData());
    EXPECT_EQ(effect.GetAuxDataSize(), 8);
    EXPECT_TRUE(bitmap.ApplyEffect(effect, nullptr, false));
    given.push_back(effect.GetAuxData());
  }
  api.GdipBitmapApplyEffect = realApply;
  api.GdipFree = FakeEffects::realFree;

  EXPECT_TRUE(FakeEffects::askedForAuxData);
  EXPECT_EQ(FakeEffects::freed, given) << "each block once: the first on reapplying, the second with the effect";

  GxEffect effect;
  EXPECT_FALSE(bitmap.ApplyEffect(effect, nullptr, false)) << "no effect to apply";
  EXPECT_NE(LastStatus, GxOk);
  EXPECT_EQ(effect.GetAuxData(), nullptr);
}
