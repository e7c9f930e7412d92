// GxImage encoding against the GDI+ of the running system: every format the program writes is
// saved to bytes, checked by its signature and layout, and decoded back.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

#include "gx/GxBitmap.h"
#include "gx/GxImage.h"
#include "gx/GxText.h"
#include "gx/ImageTestImages.h"

using namespace testimages;

namespace {

struct FormatCase {
  const char* name;
  std::string format;
  std::string signature;
  bool lossless;
};

const FormatCase kFormats[] = {
    {"PNG", kPngFormat, "\x89PNG\r\n\x1a\n", true},
    {"BMP", kBmpFormat, "BM", true},
    {"JPEG", kJpegFormat, "\xFF\xD8\xFF", false},
};

const char kGifSignature[] = "GIF89a";

std::uint32_t LittleEndian32(const Bytes& bytes, std::size_t offset) {
  std::uint32_t value = 0;
  std::memcpy(&value, bytes.data() + offset, 4);
  return value;
}

Bytes PngBytesOfFewColours() {
  GxBitmap bitmap;
  MakeFewColours(bitmap);
  std::string format = kPngFormat;
  return bitmap.SaveToBytes(format, true);
}

Bytes ReadFile(const std::wstring& path) {
  std::ifstream file(path.c_str(), std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// A 1 x 1 GIF with two frames: red shown for 10/100 s, then blue for 20/100 s.
const Bytes kTwoFrameGif = {
    'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0,  // screen 1 x 1, two-colour table
    0xFF, 0, 0, 0, 0, 0xFF,                                 // red, blue
    0x21, 0xF9, 4, 0, 10, 0, 0, 0,                          // frame 1: delay 10
    0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x44, 0x01, 0,   // one pixel of colour 0
    0x21, 0xF9, 4, 0, 20, 0, 0, 0,                          // frame 2: delay 20
    0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x4C, 0x01, 0,   // one pixel of colour 1
    0x3B};

const std::string kTimeDimension = "{6AEDBD6D-3FB5-418A-83A6-7F45229DC872}";

std::wstring TempPath(const wchar_t* name) {
  wchar_t directory[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, directory);
  return std::wstring(directory) + name;
}

}  // namespace

TEST(ImageEncoding, PngBmpAndJpegRoundTripThroughBytes) {
  GxBitmap source;
  MakeFewColours(source);
  for (const FormatCase& c : kFormats) {
    SCOPED_TRACE(c.name);
    std::string format = c.format;
    Bytes bytes = source.SaveToBytes(format, true);
    EXPECT_EQ(LastStatus, GxOk);
    EXPECT_EQ(format, c.format) << "a given format is left as it was";
    ASSERT_TRUE(StartsWith(bytes, c.signature));

    GxBitmap decoded;
    ASSERT_TRUE(decoded.LoadFromBytes(bytes));
    EXPECT_EQ(decoded.GetWidth(), 7);
    EXPECT_EQ(decoded.GetHeight(), 5);
    EXPECT_EQ(decoded.GetRawFormat(), c.format);
    if (c.lossless) {
      EXPECT_EQ(FirstDifference(source, decoded), "");
    }
  }
}

TEST(ImageEncoding, GifOfAnIndexedBitmapRoundTrips) {
  GxBitmap source;
  MakeIndexedFewColours(source);
  ASSERT_EQ(source.GetPixel(0, 4), kBlue);
  GxPalette palette;
  ASSERT_TRUE(source.GetPalette(palette));
  EXPECT_EQ(palette.entries, (std::vector<std::uint32_t>{kWhite, kRed, kGreen, kBlue, kBlack}));
  std::string format = kGifFormat;
  Bytes bytes = source.SaveToBytes(format, true);
  EXPECT_EQ(LastStatus, GxOk);
  ASSERT_TRUE(StartsWith(bytes, kGifSignature));

  GxBitmap decoded;
  ASSERT_TRUE(decoded.LoadFromBytes(bytes));
  EXPECT_EQ(decoded.GetRawFormat(), kGifFormat);
  GxBitmap expected;
  MakeFewColours(expected);
  EXPECT_EQ(FirstDifference(expected, decoded), "");
}

TEST(ImageEncoding, GifOfAnArgbBitmapRoundTrips) {
  GxBitmap source;
  MakeFewColours(source);
  std::string format = kGifFormat;
  Bytes bytes = source.SaveToBytes(format, true);
  EXPECT_EQ(LastStatus, GxOk);
  ASSERT_TRUE(StartsWith(bytes, kGifSignature));

  GxBitmap decoded;
  if (!decoded.LoadFromBytes(bytes) && bytes.size() < 32)
    GTEST_SKIP() << "this GDI+ writes only a " << bytes.size()
                 << "-byte GIF header for a 32-bit ARGB bitmap (Wine's GIF encoder takes indexed bitmaps only)";
  ASSERT_TRUE(decoded.IsValid());
  EXPECT_EQ(decoded.GetWidth(), 7);
  EXPECT_EQ(decoded.GetHeight(), 5);
  EXPECT_EQ(FirstDifference(source, decoded), "");
}

TEST(ImageEncoding, SavedBytesEndWhereTheEncoderStopped) {
  GxBitmap source;
  MakeFewColours(source);
  std::string format = kBmpFormat;
  Bytes bmp = source.SaveToBytes(format, true);
  ASSERT_GE(bmp.size(), 14u);
  EXPECT_EQ(LittleEndian32(bmp, 2), bmp.size()) << "bfSize";

  format = kPngFormat;
  Bytes png = source.SaveToBytes(format, true);
  ASSERT_GE(png.size(), 12u);
  const Bytes iend = {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};
  EXPECT_TRUE(std::equal(iend.begin(), iend.end(), png.end() - 12)) << "a PNG ends with its IEND chunk";
}

TEST(ImageEncoding, AFormatWithoutEncoderGivesNoBytes) {
  GxBitmap source;
  MakeFewColours(source);
  const std::string lowerCasePng = "{b96b3caf-0728-11d3-9d7b-0000f81ef32e}";
  const std::string iconFormat = "{B96B3CB5-0728-11D3-9D7B-0000F81EF32E}";  // decoder only
  for (std::string format : {std::string(), lowerCasePng, iconFormat, std::string("not a guid")}) {
    SCOPED_TRACE(format);
    LastStatus = GxOk;
    EXPECT_TRUE(source.SaveToBytes(format, true).empty());
    EXPECT_NE(LastStatus, GxOk);
  }
}

TEST(ImageEncoding, SaveToBytesDefaultsToTheLoadedFormat) {
  GxImage image;
  ASSERT_TRUE(image.LoadFromBytes(PngBytesOfFewColours()));
  EXPECT_EQ(image.GetRawFormat(), kPngFormat);

  std::string format = kBmpFormat;  // replaced, because the format is not given
  Bytes bytes = image.SaveToBytes(format);
  EXPECT_EQ(format, kPngFormat);
  EXPECT_TRUE(StartsWith(bytes, "\x89PNG"));
}

TEST(ImageEncoding, SaveToFileWDefaultsToBmp) {
  GxImage image;
  ASSERT_TRUE(image.LoadFromBytes(PngBytesOfFewColours()));
  const std::wstring path = TempPath(L"gx-image-default-\x56fe.bmp");
  std::string format = kPngFormat;
  ASSERT_TRUE(image.SaveToFileW(path, format));
  EXPECT_EQ(format, kBmpFormat);
  Bytes written = ReadFile(path);
  DeleteFileW(path.c_str());
  EXPECT_TRUE(StartsWith(written, "BM"));
  EXPECT_EQ(LittleEndian32(written, 2), written.size());
}

TEST(ImageLoading, BytesThatAreNoImageDoNotLoad) {
  GxImage image;
  const Bytes garbage = {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e', 0, 1, 2, 3};
  EXPECT_FALSE(image.LoadFromBytes(garbage));
  EXPECT_NE(LastStatus, GxOk);
  EXPECT_FALSE(image.IsValid());
  EXPECT_EQ(image.GetWidth(), 0);
  EXPECT_FALSE(image.LoadFromBytes(Bytes()));
  EXPECT_FALSE(image.IsValid());
}

TEST(ImageLoading, FileNamesInTheAnsiCodePageAndInUtf16) {
  GxBitmap source;
  MakeFewColours(source);
  char directory[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, directory);
  const std::string path = std::string(directory) + "\xE6\x88\xAA\xE5\x9B\xBE-gx.png";  // "截图" in UTF-8
  std::string format = kPngFormat;
  ASSERT_TRUE(source.SaveToFile(path, format, true));
  {
    GxImage image;
    ASSERT_TRUE(image.LoadFromFile(path));
    EXPECT_EQ(image.GetWidth(), 7);
    GxBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadFromFileW(Utf8ToWide(path)));
    EXPECT_EQ(FirstDifference(source, bitmap), "");
  }
  EXPECT_TRUE(DeleteFileW(Utf8ToWide(path).c_str())) << "the name reached the file system as UTF-16";

  GxImage missing;
  EXPECT_FALSE(missing.LoadFromFile(path));
  EXPECT_FALSE(missing.IsValid());
}

TEST(ImageFrames, AnimatedGifFramesAndDelays) {
  GxImage image;
  ASSERT_TRUE(image.LoadFromBytes(kTwoFrameGif));
  std::vector<std::string> dimensions = {"stale", "stale"};
  ASSERT_EQ(image.GetFrameDimensionsList(dimensions), 1);
  EXPECT_EQ(dimensions, std::vector<std::string>{kTimeDimension});
  EXPECT_EQ(image.GetFrameCount(kTimeDimension), 2);

  std::vector<int> delays;
  ASSERT_TRUE(image.GetFrameDelays(delays));
  EXPECT_EQ(delays, (std::vector<int>{10, 20}));
  std::vector<int> ids;
  EXPECT_GE(image.GetPropertyIdList(ids), 1);
  EXPECT_NE(std::find(ids.begin(), ids.end(), PropertyTagFrameDelay), ids.end());

  GxBitmap frames;
  ASSERT_TRUE(frames.LoadFromBytes(kTwoFrameGif));
  EXPECT_EQ(frames.GetPixel(0, 0), kRed);
  ASSERT_TRUE(frames.SelectActiveFrame(kTimeDimension, 1));
  EXPECT_EQ(frames.GetPixel(0, 0), kBlue);
}

TEST(ImageFrames, AStillImageHasNoFrameDelays) {
  GxImage image;
  ASSERT_TRUE(image.LoadFromBytes(PngBytesOfFewColours()));
  std::vector<int> delays = {5};
  EXPECT_FALSE(image.GetFrameDelays(delays));
  EXPECT_EQ(delays, std::vector<int>{5});
}

TEST(ImageGetters, AnEmptyImageAnswersZeroAndEmpty) {
  GxImage image;
  EXPECT_EQ(image.GetRawFormat(), "");
  EXPECT_EQ(LastStatus, GxInvalidParameter);
  Gdiplus::Unit unit = Gdiplus::UnitMillimeter;
  GxRectF bounds = image.GetBounds(unit);
  EXPECT_EQ(bounds.width, 0);
  EXPECT_EQ(unit, Gdiplus::UnitWorld);
  EXPECT_EQ(image.GetDimension().width, 0);
  EXPECT_EQ(image.GetHorizontalResolution(), 0);
  EXPECT_EQ(image.GetPixelFormat(), 0);
  std::vector<std::string> dimensions = {"kept"};
  EXPECT_EQ(image.GetFrameDimensionsList(dimensions), 0);
  EXPECT_EQ(dimensions.size(), 1u);
  std::string format;
  EXPECT_TRUE(image.SaveToBytes(format).empty());
  EXPECT_NE(LastStatus, GxOk);
}
