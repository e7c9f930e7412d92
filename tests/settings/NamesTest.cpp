#include <gtest/gtest.h>

#include <set>

#include "output/SaveCapture.h"
#include "settings/FreeFileName.h"
#include "settings/NamePattern.h"

namespace {

const SYSTEMTIME kTime{2026, 3, 2, 7, 4, 5, 6, 789};

TEST(NamePattern, FillsEveryFieldAndTheCounter) {
  EXPECT_EQ(ExpandNamePattern("{yyyy}.{MM}.{dd} {HH}-{mm}-{ss} #{n}", kTime, 12), "2026.03.07 04-05-06 #12");
  EXPECT_EQ(ExpandNamePattern("{yyyy-MM-dd}_{HHmmss}_{n}", kTime, 3), "2026-03-07_040506_3");
  EXPECT_EQ(ExpandNamePattern("{yyyy年MM月}", kTime, 1), "2026年03月");
  EXPECT_EQ(ExpandNamePattern("截图", kTime, 1), "截图");
  const SYSTEMTIME late{1999, 12, 5, 31, 23, 59, 58, 0};
  EXPECT_EQ(ExpandNamePattern(kDefaultNamePattern, kTime, 9), "截图" + CaptureTimestamp(kTime));
  EXPECT_EQ(ExpandNamePattern(kDefaultNamePattern, late, 9), "截图" + CaptureTimestamp(late));
}

TEST(NamePattern, RefusesWhatNoFileNameMayHold) {
  for (const char* bad : {"a\\b", "a/b", "a:b", "a*b", "a?b", "a\"b", "a<b", "a>b", "a|b", "a\tb", "a\x1f" "b",
                          "{yyyy:MM}", "", "{x}", "{M}", "{yyy}", "{YYYY}", "a{}b", "{yyyy", "yyyy}", "{{n}}",
                          "{n", "a\xff", "\xe6\x88", "nul", "Con .x", "COM{n}"}) {
    EXPECT_FALSE(IsValidNamePattern(bad)) << bad;
    EXPECT_EQ(ExpandNamePattern(bad, kTime, 1), "") << bad;
  }
  for (const char* good :
       {kDefaultNamePattern, "a", "{n}", "shot {yyyy-MM-dd} ({n})", "a.b", "{yyyy.MM}", "console", "COM{n}0"})
    EXPECT_TRUE(IsValidNamePattern(good)) << good;
}

TEST(FreeFileName, NumbersTakenNamesFromTwo) {
  std::set<std::string> taken;
  const auto exists = [&](const std::string& path) { return taken.count(path) > 0; };
  EXPECT_EQ(FreeFileName("C:\\shots", "a", ".png", exists), "C:\\shots\\a.png");
  taken = {"C:\\shots\\a.png"};
  EXPECT_EQ(FreeFileName("C:\\shots\\", "a", ".png", exists), "C:\\shots\\a (2).png");
  taken = {"C:\\shots\\a.png", "C:\\shots\\a (2).png", "C:\\shots\\a (4).png"};
  EXPECT_EQ(FreeFileName("C:\\shots", "a", ".png", exists), "C:\\shots\\a (3).png");
  taken = {"C:\\shots\\a (2).png"};
  EXPECT_EQ(FreeFileName("C:\\shots", "a", ".png", exists), "C:\\shots\\a.png");
  EXPECT_EQ(FreeFileName("C:\\shots", "a", ".png", [](const std::string&) { return true; }), "");
}

// Quick save's names: a second capture in the same second is numbered like a copy, and a pattern
// with a counter counts up to its first free name instead.
TEST(FreeFileName, NextNameForTheSameSecondOrCounter) {
  std::set<std::string> taken;
  const auto exists = [&](const std::string& path) { return taken.count(path) > 0; };
  const std::string first = "C:\\s\\截图" + CaptureTimestamp(kTime) + ".png";
  EXPECT_EQ(NextFreeName("C:\\s", kDefaultNamePattern, kTime, ".png", exists), first);
  taken = {first};
  EXPECT_EQ(NextFreeName("C:\\s", kDefaultNamePattern, kTime, ".png", exists),
            "C:\\s\\截图" + CaptureTimestamp(kTime) + " (2).png");
  taken = {"C:\\s\\shot 1.jpg", "C:\\s\\shot 2.jpg"};
  EXPECT_EQ(NextFreeName("C:\\s", "shot {n}", kTime, ".jpg", exists), "C:\\s\\shot 3.jpg");
  EXPECT_EQ(NextFreeName("C:\\s", "a<b", kTime, ".png", exists), "");
}

}  // namespace
