// Fonts against the real GDI+ and the test prefix's fonts: creation by name (with its failure
// path), from GDI fonts, hand-over of the family, and text actually drawn.

#include <gtest/gtest.h>

#include <string>

#include "ToolTestSupport.h"
#include "gx/GxFont.h"
#include "gx/GxFontFamily.h"
#include "gx/GxSolidBrush.h"
#include "gx/GxStringFormat.h"

using namespace Gdiplus;
using tooltest::Api;
using tooltest::Canvas;

namespace {

// Faces installed with the test machine's CJK font package (the prefix maps "微软雅黑" to the
// first). The generic families of GDI+ need Windows fonts that the prefix does not have.
const char kFace[] = "WenQuanYi Micro Hei";
const char kMonoFace[] = "WenQuanYi Micro Hei Mono";

HFONT GdiFont(const char* face, int pixels) {
  return CreateFontA(-pixels, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face);
}

std::string FamilyNameOf(const GxFont& font) {
  GxFontFamily family;
  font.GetFamily(family);
  return family.GetFamilyName();
}

// Draws a line of text in the font and counts the pixels it painted.
int PaintedBy(const GxFont& font, const std::wstring& text) {
  Canvas canvas(120, 40);
  GxSolidBrush brush;
  brush.Create(0xFF000000);
  RectF layout(0, 0, 120, 40);
  Api().GdipDrawString(canvas.graphics(), text.c_str(), static_cast<int>(text.size()), NativeOf<GpFont>(font),
                       &layout, nullptr, NativeOf<GpBrush>(brush));
  return canvas.Painted();
}

}  // namespace

TEST(FontTest, CreateFromNameOfAMissingFamilyFailsAndLeavesTheFontEmpty) {
  GxFont font;
  ASSERT_TRUE(font.CreateDefaultGuiFont());
  EXPECT_FALSE(font.CreateFromName("No Such Family 4711", 12));
  EXPECT_FALSE(font.IsValid());
  EXPECT_EQ(font.GetNativeHandle(), nullptr);
  EXPECT_EQ(LastStatus, GxInvalidParameter);
  EXPECT_FALSE(font.CreateFromNameW(L"No Such Family 4711", 12));
  EXPECT_EQ(LastStatus, GxInvalidParameter);
}

TEST(FontTest, CreateFromNameReportsTheFontsFailureNotTheFamilysRelease) {
  GxFont font;
  EXPECT_FALSE(font.CreateFromName(kFace, -5));
  EXPECT_EQ(LastStatus, GxInvalidParameter) << "a refused size must not read as success";
  EXPECT_FALSE(font.IsValid());
}

TEST(FontTest, CreateFromNameFindsTheChineseUiFaceAndDrawsWithIt) {
  GxFont font;
  ASSERT_TRUE(font.CreateFromName("微软雅黑", 16, FontStyleBold, UnitPixel)) << "LastStatus " << LastStatus;
  EXPECT_EQ(font.GetSize(), 16.0f);
  EXPECT_EQ(font.GetStyle(), FontStyleBold);
  EXPECT_EQ(font.GetUnit(), UnitPixel);
  EXPECT_GT(PaintedBy(font, L"截图 123"), 20);
}

TEST(FontTest, DefaultGuiFontIsTheStockFont) {
  GxFont font;
  ASSERT_TRUE(font.CreateDefaultGuiFont());
  EXPECT_GT(font.GetSize(), 0.0f);
  EXPECT_FALSE(FamilyNameOf(font).empty());
}

TEST(FontTest, GetLogFontGrowsAShortBuffer) {
  GxFont font;
  ASSERT_TRUE(font.CreateFromName(kFace, 12));
  Bytes buffer(3, 0xAB);
  font.GetLogFont(nullptr, buffer);
  EXPECT_EQ(buffer.size(), sizeof(LOGFONTA));
  Bytes wide;
  font.GetLogFontW(nullptr, wide);
  EXPECT_EQ(wide.size(), sizeof(LOGFONTW));
}

TEST(FontTest, CreateFromDCFontUsesTheGivenFontElseTheDcsOwn) {
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT dcFont = GdiFont(kMonoFace, 20);
  HFONT given = GdiFont(kFace, 30);
  HFONT gone = GdiFont(kFace, 30);
  DeleteObject(gone);
  HGDIOBJ previous = SelectObject(dc, dcFont);

  GxFont fromGiven, fromDC, fromUnreadable;
  EXPECT_TRUE(fromGiven.CreateFromDCFont(dc, given));
  EXPECT_TRUE(fromDC.CreateFromDCFont(dc, nullptr));
  EXPECT_TRUE(fromUnreadable.CreateFromDCFont(dc, gone));

  SelectObject(dc, previous);
  DeleteObject(dcFont);
  DeleteObject(given);
  DeleteDC(dc);
  EXPECT_EQ(FamilyNameOf(fromGiven), kFace);
  EXPECT_EQ(FamilyNameOf(fromDC), kMonoFace);
  EXPECT_EQ(FamilyNameOf(fromUnreadable), kMonoFace) << "a font that cannot be read falls back to the DC's";
}

TEST(FontTest, CloneAndGetFamilyGiveTheTargetsTheirOwnObjects) {
  GxFontFamily family;
  ASSERT_TRUE(family.CreateFromName(kFace));
  GxFont font, copy;
  ASSERT_TRUE(font.Create(family, 20, FontStyleItalic, UnitPoint));
  ASSERT_TRUE(copy.CreateDefaultGuiFont());
  EXPECT_TRUE(font.Clone(copy));
  ASSERT_TRUE(font.Delete());
  EXPECT_EQ(copy.GetSize(), 20.0f);
  EXPECT_EQ(copy.GetStyle(), FontStyleItalic);
  EXPECT_EQ(copy.GetUnit(), UnitPoint);

  GxFontFamily readBack;
  ASSERT_TRUE(readBack.CreateFromName(kMonoFace));
  EXPECT_TRUE(copy.GetFamily(readBack));
  EXPECT_EQ(readBack.GetFamilyName(), kFace);
}
