// The bytes and names the output commands produce.

#include <gtest/gtest.h>

#include <cstring>

#include "gx/GxGraphics.h"
#include "gx/GxSolidBrush.h"
#include "support/CanvasToBmp.h"
#include "output/CropAndEncode.h"
#include "output/ChooseSaveFile.h"
#include "output/SaveCapture.h"

namespace {

template <typename T>
T Field(const Bytes& bytes, size_t offset) {
  T value{};
  std::memcpy(&value, bytes.data() + offset, sizeof value);
  return value;
}

}  // namespace

TEST(CaptureTimestamp, FourteenDigitsWithLeadingZeros) {
  SYSTEMTIME morning{};
  morning.wYear = 2024, morning.wMonth = 7, morning.wDay = 4, morning.wHour = 9, morning.wMinute = 5,
  morning.wSecond = 3;
  EXPECT_EQ(CaptureTimestamp(morning), "20240704090503");
  SYSTEMTIME lastSecond{};
  lastSecond.wYear = 2025, lastSecond.wMonth = 12, lastSecond.wDay = 31, lastSecond.wHour = 23,
  lastSecond.wMinute = 59, lastSecond.wSecond = 59;
  EXPECT_EQ(CaptureTimestamp(lastSecond), "20251231235959");
  EXPECT_EQ(CaptureTimestamp().size(), 14u);
}

TEST(SaveFilter, IndexesMapToTheFourFormats) {
  EXPECT_EQ(FormatForFilter(1), "{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}");
  EXPECT_EQ(FormatForFilter(2), "{B96B3CAB-0728-11D3-9D7B-0000F81EF32E}");
  EXPECT_EQ(FormatForFilter(3), "{B96B3CAE-0728-11D3-9D7B-0000F81EF32E}");
  EXPECT_EQ(FormatForFilter(4), "{B96B3CB0-0728-11D3-9D7B-0000F81EF32E}");
  EXPECT_EQ(FormatForFilter(0), "");
  EXPECT_EQ(FormatForFilter(5), "");
  EXPECT_STREQ(kSaveFilter, "PNG (*.png)|*.png|BMP (*.bmp)|*.bmp|JPGE (*.jpg)|*.jpg|GIF (*.gif)|*.gif");
}

TEST(BmpExport, HeadersCountPixelsButNotTheColourTable) {
  const Bytes eight = BmpHeaders(10, 3, 8);
  EXPECT_EQ(Field<uint32_t>(eight, 2), 54u + 10 * 3 * 8 / 8) << "bfSize";
  EXPECT_EQ(Field<uint32_t>(eight, 10), 54u + 1024) << "bfOffBits";
  const Bytes full = BmpHeaders(7, 5, 32);
  EXPECT_EQ(Field<uint16_t>(full, 0), 0x4D42);
  EXPECT_EQ(Field<uint32_t>(full, 2), 54u + 7 * 5 * 4);
  EXPECT_EQ(Field<uint32_t>(full, 10), 54u);
  EXPECT_EQ(Field<int32_t>(full, 18), 7);
  EXPECT_EQ(Field<int32_t>(full, 22), 5) << "positive height: bottom-up rows";
  EXPECT_EQ(Field<uint16_t>(full, 28), 32);
  EXPECT_EQ(Field<uint32_t>(full, 34), 7u * 5 * 4);
}

TEST(BmpExport, TheCanvasComesOutUprightAndCropsExactly) {
  GxGraphics surface;
  ASSERT_TRUE(surface.CreateSurface(6, 4));
  GxSolidBrush red, blue;
  red.Create(0xFFFF0000);
  blue.Create(0xFF0000FF);
  surface.FillRectangle(blue, 0, 0, 6, 4);
  surface.FillRectangle(red, 0, 0, 1, 1);  // top-left pixel red
  const Bytes bmp = CanvasToBmp(surface.GetSurfaceDC(), 6, 4);
  ASSERT_EQ(bmp.size(), 54u + 6 * 4 * 4);
  ASSERT_EQ(Field<uint32_t>(bmp, 2), bmp.size()) << "bfSize is the byte count";
  // Bottom-up: the top-left pixel is the first pixel of the last row.
  const size_t topLeft = 54 + 3 * 6 * 4;
  EXPECT_EQ(bmp[topLeft + 2], 0xFF) << "red";
  EXPECT_EQ(bmp[topLeft + 0], 0x00);
  EXPECT_EQ(bmp[54 + 2], 0x00) << "bottom-left is blue";
  EXPECT_EQ(bmp[54 + 0], 0xFF);

  std::string format;
  const Bytes crop = CropAndEncode(bmp, 0, 0, 2, 1, format);
  EXPECT_EQ(format, "{B96B3CAB-0728-11D3-9D7B-0000F81EF32E}") << "the source's own format, BMP";
  ASSERT_GT(crop.size(), 54u);
  EXPECT_EQ(Field<int32_t>(crop, 18), 2);
  EXPECT_EQ(Field<int32_t>(crop, 22), 1);
  EXPECT_EQ(Field<uint32_t>(crop, 2), crop.size()) << "no trailing bytes";

  std::string none = "{00000000-0000-0000-0000-000000000000}";
  EXPECT_TRUE(CropAndEncode(bmp, 0, 0, 2, 1, none).empty()) << "no encoder for that format";
}
