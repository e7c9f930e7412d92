#include <gtest/gtest.h>

#include <random>

#include "settings/SettingsFile.h"
#include "settings/SettingsText.h"
#include "support/DialogDriver.h"

namespace {

// Every value unlike its default, so that a value lost to the default shows.
Settings Custom() {
  Settings s;
  s.captureHotKey = {MOD_CONTROL | MOD_SHIFT, VK_F9};
  s.quickSaveFolder = "D:\\屏幕\\shots";
  s.namePattern = "shot {yyyy-MM-dd} {n}";
  s.quickSaveFormat = ImageFormat::Jpeg;
  s.jpegQuality = 75;
  s.copyWhenSaving = true;
  s.showMagnifier = false;
  return s;
}

// The file of Custom() with one key's line replaced by `lines`.
std::string WithLines(const std::string& key, const std::string& lines) {
  std::string text = SettingsText(Custom());
  const std::size_t at = text.find("\n" + key + "=") + 1;
  return text.replace(at, text.find('\n', at) + 1 - at, lines);
}

const char* const kKeys[] = {"HotKey",      "QuickSaveFolder", "NamePattern",  "QuickSaveFormat",
                             "JpegQuality", "CopyToClipboard", "ShowMagnifier"};

// Each value is the custom one, or (where `spoiled` is that key or "any") the default; a spoiled
// key that may take any value of its own is not asked about.
void ExpectOthersKept(const Settings& read, const std::string& spoiled, bool mayBeDefault, const std::string& text) {
  const Settings c = Custom(), d;
  const bool same[][2] = {
      {read.captureHotKey == c.captureHotKey, read.captureHotKey == d.captureHotKey},
      {read.quickSaveFolder == c.quickSaveFolder, read.quickSaveFolder == d.quickSaveFolder},
      {read.namePattern == c.namePattern, read.namePattern == d.namePattern},
      {read.quickSaveFormat == c.quickSaveFormat, read.quickSaveFormat == d.quickSaveFormat},
      {read.jpegQuality == c.jpegQuality, read.jpegQuality == d.jpegQuality},
      {read.copyWhenSaving == c.copyWhenSaving, read.copyWhenSaving == d.copyWhenSaving},
      {read.showMagnifier == c.showMagnifier, read.showMagnifier == d.showMagnifier},
  };
  for (int i = 0; i < 7; ++i) {
    const bool touched = spoiled == "any" || spoiled == kKeys[i];
    if (touched && !mayBeDefault) continue;
    EXPECT_TRUE(same[i][0] || (touched && same[i][1])) << kKeys[i] << " from " << testing::PrintToString(text);
  }
}

TEST(SettingsText, ReadsBackWhatItWrites) {
  EXPECT_EQ(ParseSettings(SettingsText(Custom())), Custom());
  EXPECT_EQ(ParseSettings(SettingsText(Settings())), Settings());
  EXPECT_EQ(ParseSettings("HotKey=Alt+F2\n[Other]\nJpegQuality=5\n[ screencut ]\nshowmagnifier = off\n"),
            ([] { Settings s; s.captureHotKey = {MOD_ALT, VK_F2}; s.showMagnifier = false; return s; }()));
  Settings unwritable = Custom();  // a value that would break the file stays out of it
  unwritable.quickSaveFolder = "C:\\a\r\nJpegQuality=5";
  Settings expected = Custom();
  expected.quickSaveFolder.clear();
  EXPECT_EQ(ParseSettings(SettingsText(unwritable)), expected);
}

TEST(SettingsText, WholeFilesOfNothingGiveTheDefaults) {
  for (const std::string& text : {std::string(), std::string("\xEF\xBB\xBF"), std::string("\xEF\xBB"),
                                 std::string("\0\0\0\n\0", 5), std::string("\x89PNG\r\n\x1a\n\xff\xfe\x00=\n", 13),
                                 std::string("[ScreenCut\nJpegQuality=5")})
    EXPECT_EQ(ParseSettings(text), Settings()) << text;
}

// One spoiled line costs its own value only.
TEST(SettingsText, ABadLineCostsOnlyItsValue) {
  const struct {
    const char* key;
    std::string lines;
  } cases[] = {
      {"JpegQuality", "JpegQuality=101\r\n"},
      {"JpegQuality", "JpegQuality=0\r\n"},
      {"JpegQuality", "JpegQuality=99999999999999999999\r\n"},
      {"JpegQuality", "JpegQuality=-5\r\n"},
      {"JpegQuality", "JpegQuality=7x\r\n"},
      {"HotKey", "HotKey=Ctrl+Alt+Q+Z\r\n"},
      {"HotKey", "HotKey=Shift+A\r\n"},
      {"NamePattern", "NamePattern=a/b{n}\r\n"},
      {"NamePattern", "NamePattern={yyyy\r\n"},
      {"QuickSaveFolder", "QuickSaveFolder=shots\r\n"},
      {"QuickSaveFolder", "QuickSaveFolder=C:\\a\xff\r\n"},
      {"QuickSaveFormat", "QuickSaveFormat=TIFF\r\n"},
      {"CopyToClipboard", "CopyToClipboard=maybe\r\n"},
      {"HotKey", "[garbled\r\n"},
      {"ShowMagnifier", "ShowMagnifier\r\n"},
  };
  for (const auto& c : cases) {
    const std::string text = WithLines(c.key, c.lines);
    Settings expected = Custom();
    const Settings d;
    const std::string key = c.key;
    if (key == "JpegQuality") expected.jpegQuality = d.jpegQuality;
    if (key == "HotKey") expected.captureHotKey = d.captureHotKey;
    if (key == "NamePattern") expected.namePattern = d.namePattern;
    if (key == "QuickSaveFolder") expected.quickSaveFolder = d.quickSaveFolder;
    if (key == "QuickSaveFormat") expected.quickSaveFormat = d.quickSaveFormat;
    if (key == "CopyToClipboard") expected.copyWhenSaving = d.copyWhenSaving;
    if (key == "ShowMagnifier") expected.showMagnifier = d.showMagnifier;
    EXPECT_EQ(ParseSettings(text), expected) << text;
  }
  // Of two lines for one key, the last good one counts.
  EXPECT_EQ(ParseSettings(WithLines("JpegQuality", "JpegQuality=75\r\nJpegQuality=abc\r\n")).jpegQuality, 75);
  EXPECT_EQ(ParseSettings(WithLines("JpegQuality", "JpegQuality=60\r\nJpegQuality=75\r\n")).jpegQuality, 75);
}

// Searches for a cut or a garbled line that costs more than its own value.
TEST(SettingsText, CutsAndGarbledLinesNeverCostOtherValues) {
  const std::string good = SettingsText(Custom());
  for (std::size_t length = 0; length <= good.size(); ++length)
    ExpectOthersKept(ParseSettings(good.substr(0, length)), "any", true, good.substr(0, length));
  std::mt19937 random(20);
  for (int round = 0; round < 3000; ++round) {
    const std::string key = kKeys[random() % 7];
    const std::size_t at = good.find("\n" + key + "=") + 1;
    std::string line = good.substr(at, good.find('\r', at) - at);
    for (int n = 1 + random() % 6; n > 0; --n) {
      const std::size_t i = random() % (line.size() + 1);
      char c = static_cast<char>(random() % 256);
      if (c == '\n' || (i == 0 && c == '[')) c = '?';
      if (random() % 2 || i == line.size()) line.insert(line.begin() + i, c);
      else line.erase(i, 1);
    }
    ExpectOthersKept(ParseSettings(WithLines(key, line + "\r\n")), key, false, line);
  }
}

TEST(SettingsFile, SavesWholeAndLoadsBackMakingItsFolder) {
  TempDir temp;
  const std::string path = temp.Path() + "ScreenCut\\settings.ini";
  EXPECT_EQ(LoadSettings(path), Settings()) << "no file yet";
  ASSERT_TRUE(SaveSettings(Custom(), path));
  EXPECT_EQ(LoadSettings(path), Custom());
}

}  // namespace
