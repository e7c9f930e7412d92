// String formats against the real GDI+: tab stops read into an exact array, character ranges,
// the generic formats and cloning.

#include <gtest/gtest.h>

#include <vector>

#include "gx/GxStringFormat.h"

using namespace Gdiplus;

TEST(StringFormatTest, TabStopsOfAnEmptyFormatLeaveTheCallersValues) {
  GxStringFormat format;
  float first = -1;
  std::vector<float> stops{7, 7};
  EXPECT_EQ(format.GetTabStops(first, stops), 0);
  EXPECT_EQ(first, -1.0f);
  EXPECT_EQ(stops, (std::vector<float>{7, 7}));
}

TEST(StringFormatTest, TabStopsResizeTheArrayExactlyAndWriteTheFirstOffset) {
  GxStringFormat format;
  ASSERT_TRUE(format.Create());
  float first = -1;
  std::vector<float> stops{7, 7};
  EXPECT_EQ(format.GetTabStops(first, stops), 0);
  EXPECT_TRUE(stops.empty());

  ASSERT_TRUE(format.SetTabStops(12, {10, 20, 30}));
  first = 555;
  stops.assign(5, 99.0f);
  EXPECT_EQ(format.GetTabStops(first, stops), 3);
  EXPECT_EQ(stops, (std::vector<float>{10, 20, 30}));
  EXPECT_EQ(first, 12.0f);
}

TEST(StringFormatTest, MeasurableRangesAreCountedAndTheCallersRecordsKept) {
  GxStringFormat format;
  ASSERT_TRUE(format.Create());
  std::vector<GxCharRange> ranges{{0, 2}, {3, 4}};
  ASSERT_TRUE(format.SetMeasurableCharacterRanges(ranges));
  EXPECT_EQ(format.GetMeasurableCharacterRangeCount(), 2);
  ASSERT_EQ(ranges.size(), 2u);
  EXPECT_EQ(ranges[1].first, 3);
  EXPECT_EQ(ranges[1].length, 4);
}

TEST(StringFormatTest, GenericFormatsAndCreateReplaceEachOther) {
  GxStringFormat format;
  ASSERT_TRUE(format.CreateGenericTypographic());
  const int typographic = format.GetFormatFlags();
  EXPECT_NE(typographic & StringFormatFlagsNoClip, 0);
  ASSERT_TRUE(format.CreateGenericDefault());
  EXPECT_EQ(format.GetFormatFlags(), 0);
  ASSERT_TRUE(format.Create(StringFormatFlagsDirectionVertical, LANG_NEUTRAL));
  EXPECT_EQ(format.GetFormatFlags(), StringFormatFlagsDirectionVertical);
  EXPECT_TRUE(format.Delete());
  EXPECT_FALSE(format.Delete());

  GxStringFormat fresh;
  ASSERT_TRUE(fresh.CreateGenericTypographic());
  EXPECT_EQ(fresh.GetFormatFlags(), typographic) << "deleting a generic format must not change it";

  // Each wrapper changes its own copy: a centred one must not centre the next one's text (which
  // drawn into an unbounded box lands far off the surface).
  ASSERT_TRUE(fresh.SetAlignment(StringAlignmentCenter) && fresh.SetLineAlignment(StringAlignmentCenter));
  ASSERT_TRUE(fresh.SetFormatFlags(typographic | StringFormatFlagsNoWrap));
  GxStringFormat next;
  ASSERT_TRUE(next.CreateGenericTypographic());
  EXPECT_EQ(next.GetAlignment(), StringAlignmentNear);
  EXPECT_EQ(next.GetLineAlignment(), StringAlignmentNear);
  EXPECT_EQ(next.GetFormatFlags(), typographic);
}

TEST(StringFormatTest, CloneCarriesTheDigitSubstitution) {
  GxStringFormat format, copy;
  ASSERT_TRUE(format.Create());
  ASSERT_TRUE(format.SetDigitSubstitution(StringDigitSubstituteNational, LANG_ARABIC));
  EXPECT_TRUE(format.Clone(copy));
  ASSERT_TRUE(format.Delete());
  StringDigitSubstitute substitute = StringDigitSubstituteUser;
  LANGID language = 0;
  EXPECT_TRUE(copy.GetDigitSubstitution(substitute, language));
  EXPECT_EQ(substitute, StringDigitSubstituteNational);
  EXPECT_EQ(language, LANG_ARABIC);
}
