#include <gtest/gtest.h>

#include "settings/HotKey.h"

namespace {

TEST(HotKey, ReadsWhatUsersType) {
  EXPECT_EQ(ParseHotKey("Ctrl+Alt+A"), (HotKey{MOD_CONTROL | MOD_ALT, 'A'}));
  EXPECT_EQ(ParseHotKey(" shift + CTRL + f12 "), (HotKey{MOD_CONTROL | MOD_SHIFT, VK_F12}));
  EXPECT_EQ(ParseHotKey("Win+5"), (HotKey{MOD_WIN, '5'}));
  EXPECT_EQ(ParseHotKey("Alt+PageDown"), (HotKey{MOD_ALT, VK_NEXT}));
  EXPECT_EQ(ParseHotKey("PrintScreen"), (HotKey{0, VK_SNAPSHOT}));
  EXPECT_EQ(ParseHotKey("F24"), (HotKey{0, VK_F24}));
  for (const char* bad : {"", "A", "Shift+A", "Shift+Space", "Ctrl+", "+A", "Ctrl+Ctrl+A", "Ctrl+Alt", "Ctrl+F25",
                          "Ctrl+F0", "Ctrl+F01", "Ctrl+AB", "Hyper+A", "Ctrl+A+B", "Ctrl+Alt+\xe6\x88\xaa", "Ctrl++"})
    EXPECT_FALSE(ParseHotKey(bad).has_value()) << bad;
}

// Every combination the text can name reads back as itself; every other has no text.
TEST(HotKey, TextRoundTripsForEveryKeyAndModifierSet) {
  int named = 0;
  for (UINT modifiers = 0; modifiers < 16; ++modifiers)
    for (UINT key = 0; key < 256; ++key) {
      const HotKey hotKey{modifiers, key};
      const std::string text = HotKeyText(hotKey);
      if (text.empty()) continue;
      ++named;
      EXPECT_EQ(ParseHotKey(text), hotKey) << text;
    }
  // Letters, digits, Space and the ten navigation keys with the 14 sets holding Ctrl, Alt or Win;
  // the 24 function keys, PrintScreen and Pause with all 16.
  EXPECT_EQ(named, (36 + 1 + 10) * 14 + 26 * 16);
  EXPECT_EQ(HotKeyText(HotKey()), "Ctrl+Alt+A");
  EXPECT_EQ(HotKeyText({MOD_WIN | MOD_SHIFT | MOD_ALT | MOD_CONTROL, VK_F1}), "Ctrl+Alt+Shift+Win+F1");
}

}  // namespace
