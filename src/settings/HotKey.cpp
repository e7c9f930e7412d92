#include "settings/HotKey.h"

#include <algorithm>
#include <cctype>

namespace {

struct NamedKey {
  const char* name;
  UINT key;
};

constexpr NamedKey kNamedKeys[] = {
    {"Space", VK_SPACE},      {"Insert", VK_INSERT},   {"Delete", VK_DELETE}, {"Home", VK_HOME},
    {"End", VK_END},          {"PageUp", VK_PRIOR},    {"PageDown", VK_NEXT}, {"Left", VK_LEFT},
    {"Up", VK_UP},            {"Right", VK_RIGHT},     {"Down", VK_DOWN},     {"PrintScreen", VK_SNAPSHOT},
    {"Pause", VK_PAUSE},
};

constexpr NamedKey kModifiers[] = {
    {"Ctrl", MOD_CONTROL}, {"Alt", MOD_ALT}, {"Shift", MOD_SHIFT}, {"Win", MOD_WIN}};

bool SameText(const std::string& a, const char* b) {
  const std::string other(b);
  return a.size() == other.size() && std::equal(a.begin(), a.end(), other.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool IsFunctionKey(UINT key) { return key >= VK_F1 && key <= VK_F24; }

// Keys that stand alone without taking anything from the user's typing.
bool StandsAlone(UINT key) { return IsFunctionKey(key) || key == VK_SNAPSHOT || key == VK_PAUSE; }

std::optional<UINT> ParseKey(const std::string& name) {
  if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
    return static_cast<UINT>(std::toupper(static_cast<unsigned char>(name[0])));
  if (name.size() >= 2 && name.size() <= 3 && (name[0] == 'F' || name[0] == 'f') &&
      std::all_of(name.begin() + 1, name.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }) &&
      name[1] != '0') {
    const int number = std::stoi(name.substr(1));
    if (number >= 1 && number <= 24) return static_cast<UINT>(VK_F1 + number - 1);
    return std::nullopt;
  }
  for (const NamedKey& named : kNamedKeys)
    if (SameText(name, named.name)) return named.key;
  return std::nullopt;
}

std::string KeyName(UINT key) {
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, static_cast<char>(key));
  if (IsFunctionKey(key)) return "F" + std::to_string(key - VK_F1 + 1);
  for (const NamedKey& named : kNamedKeys)
    if (named.key == key) return named.name;
  return std::string();
}

bool Usable(const HotKey& hotKey) {
  if (hotKey.modifiers & ~UINT(MOD_CONTROL | MOD_ALT | MOD_SHIFT | MOD_WIN)) return false;
  if (KeyName(hotKey.key).empty()) return false;
  return StandsAlone(hotKey.key) || (hotKey.modifiers & (MOD_CONTROL | MOD_ALT | MOD_WIN));
}

}  // namespace

std::optional<HotKey> ParseHotKey(const std::string& text) {
  HotKey hotKey{0, 0};
  std::size_t start = 0;
  for (;;) {
    const std::size_t plus = text.find('+', start);
    const std::string part = Trimmed(text.substr(start, plus == std::string::npos ? std::string::npos : plus - start));
    if (plus == std::string::npos) {
      const std::optional<UINT> key = ParseKey(part);
      if (!key) return std::nullopt;
      hotKey.key = *key;
      break;
    }
    const NamedKey* modifier = std::find_if(std::begin(kModifiers), std::end(kModifiers),
                                            [&](const NamedKey& m) { return SameText(part, m.name); });
    if (modifier == std::end(kModifiers) || (hotKey.modifiers & modifier->key)) return std::nullopt;
    hotKey.modifiers |= modifier->key;
    start = plus + 1;
  }
  if (!Usable(hotKey)) return std::nullopt;
  return hotKey;
}

std::string HotKeyText(const HotKey& hotKey) {
  if (!Usable(hotKey)) return std::string();
  std::string text;
  for (const NamedKey& modifier : kModifiers)
    if (hotKey.modifiers & modifier.key) text += std::string(modifier.name) + "+";
  return text + KeyName(hotKey.key);
}
