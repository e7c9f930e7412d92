// GUID texts, the installed encoders and the EncoderParameters block handed to GDI+.

#include <gtest/gtest.h>

#include <cstring>

#include "gx/GuidText.h"
#include "gx/GxBitmap.h"
#include "gx/ImageEncoders.h"

TEST(GuidText, TextIsUpperCaseAndRoundTrips) {
  const GUID png = {0xB96B3CAF, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
  const std::string text = GuidToText(png);
  EXPECT_EQ(text, "{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}");
  EXPECT_TRUE(IsEqualGUID(TextToGuid(text), png));

  const GUID zero{};
  for (const char* bad : {"", "{B96B3CAF-0728}", "B96B3CAF-0728-11D3-9D7B-0000F81EF32E", "{XYZ}"})
    EXPECT_TRUE(IsEqualGUID(TextToGuid(bad), zero)) << bad;
}

TEST(ImageEncoders, TheFourFormatsHaveEncoders) {
  std::vector<EncoderInfo> encoders(1);
  encoders[0].codecName = "stale";
  const int count = GetImageEncoders(encoders);
  ASSERT_GE(count, 4);
  ASSERT_EQ(encoders.size(), static_cast<size_t>(count)) << "the list is replaced";
  for (const EncoderInfo& encoder : encoders) {
    EXPECT_EQ(encoder.clsid.size(), 38u);
    EXPECT_EQ(encoder.sigPattern.size(), static_cast<size_t>(encoder.sigCount * encoder.sigSize)) << encoder.mimeType;
    EXPECT_EQ(encoder.sigMask.size(), encoder.sigPattern.size());
  }
  for (const std::string& format : {kPngFormat, kBmpFormat, kJpegFormat, kGifFormat}) {
    const std::string clsid = FindEncoderClsid(format);
    EXPECT_EQ(clsid.size(), 38u) << format;
    std::string lowerCase = format;
    for (char& c : lowerCase) c = static_cast<char>(tolower(c));
    EXPECT_EQ(FindEncoderClsid(lowerCase), "") << "GUID texts are compared exactly";
  }
  const auto png = std::find_if(encoders.begin(), encoders.end(), [](auto& e) { return e.formatId == kPngFormat; });
  ASSERT_NE(png, encoders.end());
  EXPECT_EQ(png->mimeType, "image/png");
  EXPECT_EQ(png->sigPattern[1], 'P');
}

TEST(ImageEncoders, UnansweredEncoderCountLeavesTheListAlone) {
  auto real = GdiplusEntries().GdipGetImageEncodersSize;
  GdiplusEntries().GdipGetImageEncodersSize = [](UINT*, UINT*) WINGDIPAPI { return Gdiplus::GenericError; };
  std::vector<EncoderInfo> encoders(2);
  const int count = GetImageEncoders(encoders);
  const int status = LastStatus;
  const std::string found = FindEncoderClsid(kPngFormat);
  GdiplusEntries().GdipGetImageEncodersSize = real;
  EXPECT_EQ(count, 0);
  EXPECT_EQ(status, Gdiplus::GenericError);
  EXPECT_EQ(encoders.size(), 2u);
  EXPECT_EQ(found, "");
}

namespace {

// What GdipSaveImageToStream was handed as encoder parameters.
struct SeenParameters {
  static inline bool passed = false;
  static inline std::vector<EncoderParam> parameters;
  static Gdiplus::GpStatus WINGDIPAPI Save(Gdiplus::GpImage*, IStream*, const CLSID*,
                                           const Gdiplus::EncoderParameters* block) {
    passed = block != nullptr;
    parameters.clear();
    if (block)
      parameters = ReadEncoderParameters(
          *block, offsetof(Gdiplus::EncoderParameters, Parameter) + block->Count * sizeof(Gdiplus::EncoderParameter));
    return Gdiplus::Ok;
  }
};

}  // namespace

TEST(ImageEncoders, ParametersReachTheEncoderOnlyWhenGiven) {
  GxBitmap bitmap;
  bitmap.Create(2, 2);
  auto real = GdiplusEntries().GdipSaveImageToStream;
  GdiplusEntries().GdipSaveImageToStream = &SeenParameters::Save;
  std::string format = kJpegFormat;
  bitmap.SaveToBytes(format, true);
  const bool passedWithoutList = SeenParameters::passed;

  const std::string quality = "{1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB}";
  const std::vector<EncoderParam> given = {
      {quality, 1, Gdiplus::EncoderParameterValueTypeLong, {90, 0, 0, 0}},
      {quality, 2, Gdiplus::EncoderParameterValueTypeShort, {7}},  // short of bytes: padded
  };
  bitmap.SaveToBytes(format, true, &given);
  GdiplusEntries().GdipSaveImageToStream = real;

  EXPECT_FALSE(passedWithoutList);
  ASSERT_TRUE(SeenParameters::passed);
  const auto& seen = SeenParameters::parameters;
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].guid, quality);
  EXPECT_EQ(seen[0].valueCount, 1);
  EXPECT_EQ(seen[0].valueType, Gdiplus::EncoderParameterValueTypeLong);
  EXPECT_EQ(seen[0].values, (Bytes{90, 0, 0, 0}));
  EXPECT_EQ(seen[1].values, (Bytes{7, 0, 0, 0}));
}

TEST(ImageEncoders, ParametersPromisingValuesTheyCannotHaveAreRefused) {
  GxBitmap bitmap;
  bitmap.Create(2, 2);
  static int saves;
  saves = 0;
  auto real = GdiplusEntries().GdipSaveImageToStream;
  GdiplusEntries().GdipSaveImageToStream = [](Gdiplus::GpImage*, IStream*, const CLSID*,
                                              const Gdiplus::EncoderParameters*) WINGDIPAPI {
    ++saves;
    return Gdiplus::Ok;
  };
  const std::string quality = "{1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB}";
  const std::vector<EncoderParam> negative = {{quality, -1, Gdiplus::EncoderParameterValueTypeLong, {}}};
  const std::vector<EncoderParam> huge = {{quality, 0x40000001, Gdiplus::EncoderParameterValueTypeLong, {}}};
  std::string format = kJpegFormat;
  LastStatus = 0;
  const bool negativeSaved = !bitmap.SaveToBytes(format, true, &negative).empty() || saves > 0;
  const int negativeStatus = LastStatus;
  const bool hugeSaved = !bitmap.SaveToBytes(format, true, &huge).empty() || saves > 0;
  const int hugeStatus = LastStatus;
  GdiplusEntries().GdipSaveImageToStream = real;

  EXPECT_FALSE(negativeSaved);
  EXPECT_EQ(negativeStatus, Gdiplus::InvalidParameter);
  EXPECT_FALSE(hugeSaved) << "4 GB of values, more than the padding could ever hold";
  EXPECT_EQ(hugeStatus, Gdiplus::OutOfMemory);
}

namespace {

// A JPEG encoder that lists one quality parameter: count, one record, its value after it.
struct FakeParameterList {
  static constexpr UINT kValueAt = offsetof(Gdiplus::EncoderParameters, Parameter) + sizeof(Gdiplus::EncoderParameter);
  static constexpr UINT kSize = kValueAt + 4;
  static inline Gdiplus::Status listStatus = Gdiplus::Ok;
  static Gdiplus::GpStatus WINGDIPAPI Size(Gdiplus::GpImage*, const CLSID*, UINT* size) {
    *size = kSize;
    return Gdiplus::Ok;
  }
  static Gdiplus::GpStatus WINGDIPAPI List(Gdiplus::GpImage*, const CLSID*, UINT size, Gdiplus::EncoderParameters* block) {
    if (size != kSize) return Gdiplus::InvalidParameter;
    auto* bytes = reinterpret_cast<std::uint8_t*>(block);
    block->Count = 1;
    block->Parameter[0].Guid = TextToGuid("{1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB}");
    block->Parameter[0].NumberOfValues = 1;
    block->Parameter[0].Type = Gdiplus::EncoderParameterValueTypeLong;
    block->Parameter[0].Value = bytes + kValueAt;
    const std::uint32_t quality = 77;
    std::memcpy(bytes + kValueAt, &quality, 4);
    return listStatus;
  }
};

}  // namespace

TEST(ImageEncoders, ParameterListIsReadFromTheEncodersBlock) {
  GxBitmap bitmap;
  bitmap.Create(2, 2);
  GdiplusApi& api = GdiplusEntries();
  auto realSize = api.GdipGetEncoderParameterListSize;
  auto realList = api.GdipGetEncoderParameterList;
  api.GdipGetEncoderParameterListSize = &FakeParameterList::Size;
  api.GdipGetEncoderParameterList = &FakeParameterList::List;
  std::vector<EncoderParam> list;
  const bool read = bitmap.GetEncoderParameterList(kJpegFormat, list);
  FakeParameterList::listStatus = Gdiplus::OutOfMemory;
  std::vector<EncoderParam> untouched(3);
  const bool failed = bitmap.GetEncoderParameterList(kJpegFormat, untouched);
  const int failedStatus = LastStatus;
  FakeParameterList::listStatus = Gdiplus::Ok;
  api.GdipGetEncoderParameterListSize = realSize;
  api.GdipGetEncoderParameterList = realList;

  ASSERT_TRUE(read);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].guid, "{1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB}");
  EXPECT_EQ(list[0].valueCount, 1);
  EXPECT_EQ(list[0].values, (Bytes{77, 0, 0, 0}));
  EXPECT_FALSE(failed);
  EXPECT_EQ(failedStatus, Gdiplus::OutOfMemory);
  EXPECT_EQ(untouched.size(), 3u);
}
