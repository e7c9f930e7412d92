// Font families and the installed font collection against the real GDI+.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ToolTestSupport.h"
#include "gx/GxFontCollection.h"
#include "gx/GxFontFamily.h"
#include "gx/GxText.h"

using namespace Gdiplus;

namespace {

// Installed with the test machine's CJK font package; GDI+'s generic families need Windows
// fonts that the test prefix does not have.
const wchar_t kFace[] = L"WenQuanYi Micro Hei";

std::string Utf8BytesOf(const std::wstring& wide) { return WideToUtf8(wide.c_str()); }

}  // namespace

TEST(FontFamilyTest, NamesAreEmptyOnFailureAndAgreeInBothForms) {
  GxFontFamily empty;
  EXPECT_EQ(empty.GetFamilyName(), "");
  EXPECT_EQ(LastStatus, GxInvalidParameter);
  EXPECT_FALSE(empty.CreateFromName("No Such Family 4711"));
  EXPECT_FALSE(empty.IsValid());

  GxFontFamily family;
  ASSERT_TRUE(family.CreateFromNameW(kFace));
  EXPECT_EQ(family.GetFamilyNameW(), kFace);
  EXPECT_EQ(family.GetFamilyName(), "WenQuanYi Micro Hei");

  GxFontFamily mapped;
  ASSERT_TRUE(mapped.CreateFromName("微软雅黑"));
  EXPECT_FALSE(mapped.GetFamilyName().empty());
  EXPECT_EQ(Utf8BytesOf(mapped.GetFamilyNameW()), mapped.GetFamilyName());
}

TEST(FontCollectionTest, GetFamiliesBelowOneFailsAndLeavesTheArray) {
  GxFontCollection fonts;
  ASSERT_TRUE(fonts.UseInstalledFonts());
  std::vector<GxFontFamily> families(2);
  ASSERT_TRUE(families[0].CreateFromNameW(kFace));
  void* held = families[0].GetNativeHandle();
  LastStatus = GxOk;
  EXPECT_EQ(fonts.GetFamilies(0, families), 0);
  EXPECT_EQ(LastStatus, GxInvalidParameter);
  EXPECT_EQ(fonts.GetFamilies(-3, families), 0);
  LastStatus = GxOk;
  EXPECT_EQ(fonts.GetFamilies(0x7FFFFFFF, families), 0) << "more families than memory holds";
  EXPECT_EQ(LastStatus, 3);
  ASSERT_EQ(families.size(), 2u);
  EXPECT_EQ(families[0].GetNativeHandle(), held);
}

namespace {

// References to the families a collection lists: those it keeps for itself, those taken by
// cloning them, and how many of either were given back.
struct FamilyReferences {
  static inline std::vector<GpFontFamily*> listed, clones;
  static inline int taken = 0, released = 0;
  static inline decltype(GdiplusApi::GdipGetFontCollectionFamilyList) realList = nullptr;
  static inline decltype(GdiplusApi::GdipCloneFontFamily) realClone = nullptr;
  static inline decltype(GdiplusApi::GdipDeleteFontFamily) realDelete = nullptr;

  static bool Among(const std::vector<GpFontFamily*>& families, GpFontFamily* family) {
    return std::find(families.begin(), families.end(), family) != families.end();
  }
  static GpStatus WINGDIPAPI List(GpFontCollection* collection, INT sought, GpFontFamily** families, INT* found) {
    const GpStatus status = realList(collection, sought, families, found);
    if (status == Ok) listed.assign(families, families + *found);
    return status;
  }
  static GpStatus WINGDIPAPI Clone(GpFontFamily* family, GpFontFamily** clone) {
    const GpStatus status = realClone(family, clone);
    if (status == Ok && Among(listed, family)) {
      ++taken;
      clones.push_back(*clone);
    }
    return status;
  }
  static GpStatus WINGDIPAPI Delete(GpFontFamily* family) {
    if (Among(listed, family) || Among(clones, family)) ++released;
    return realDelete(family);
  }
};

}  // namespace

TEST(FontCollectionTest, WrappersReleaseOnlyTheReferencesTheyTook) {
  GxFontCollection fonts;
  ASSERT_TRUE(fonts.UseInstalledFonts());
  tooltest::ScopedEntry list(tooltest::Api().GdipGetFontCollectionFamilyList, &FamilyReferences::List);
  tooltest::ScopedEntry clone(tooltest::Api().GdipCloneFontFamily, &FamilyReferences::Clone);
  tooltest::ScopedEntry release(tooltest::Api().GdipDeleteFontFamily, &FamilyReferences::Delete);
  FamilyReferences::realList = list.original();
  FamilyReferences::realClone = clone.original();
  FamilyReferences::realDelete = release.original();
  FamilyReferences::listed.clear();
  FamilyReferences::clones.clear();
  FamilyReferences::taken = FamilyReferences::released = 0;

  int found = 0;
  {
    std::vector<GxFontFamily> families;
    found = fonts.GetFamilies(3, families);
    ASSERT_GT(found, 0);
    EXPECT_FALSE(families[0].GetFamilyName().empty());
  }
  EXPECT_EQ(FamilyReferences::released, found) << "every family handed out is released with its wrapper";
  EXPECT_EQ(FamilyReferences::taken, FamilyReferences::released) << "but never one the collection still holds";
}

TEST(FontCollectionTest, EmptyCollectionFindsNothing) {
  GxFontCollection none;
  std::vector<GxFontFamily> families;
  EXPECT_EQ(none.GetFamilyCount(), 0);
  EXPECT_EQ(none.GetFamilies(2, families), 0);
  EXPECT_NE(LastStatus, GxOk);
  EXPECT_EQ(families.size(), 2u) << "the array is replaced before the collection is asked";
}

TEST(FontCollectionTest, InstalledFamiliesCanBeListedReleasedAndListedAgain) {
  GxFontCollection fonts;
  ASSERT_TRUE(fonts.UseInstalledFonts());
  const int count = fonts.GetFamilyCount();
  ASSERT_GT(count, 0);
  std::vector<std::string> names;
  {
    std::vector<GxFontFamily> families;
    EXPECT_EQ(fonts.GetFamilies(count + 2, families), count);
    ASSERT_EQ(families.size(), static_cast<size_t>(count + 2));
    EXPECT_FALSE(families[count].IsValid()) << "places beyond the families found stay empty";
    for (int i = 0; i < count; ++i) names.push_back(families[i].GetFamilyName());
  }  // our families are released here; the collection's own must survive
  std::vector<GxFontFamily> again;
  EXPECT_EQ(fonts.GetFamilies(count, again), count);
  for (int i = 0; i < count; ++i) EXPECT_EQ(again[i].GetFamilyName(), names[i]);
  EXPECT_FALSE(names.front().empty());
}
