#include "settings/SettingsText.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "settings/Utf8.h"

namespace {

const char kBom[] = "\xEF\xBB\xBF";
const char kSection[] = "ScreenCut";

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool SameText(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

bool ReadNumber(const std::string& text, int low, int high, int& number) {
  const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
  if (text.empty() || text.size() > 9 || !std::all_of(text.begin(), text.end(), isDigit)) return false;
  const int value = std::stoi(text);
  if (value < low || value > high) return false;
  number = value;
  return true;
}

bool ReadSwitch(const std::string& text, bool& on) {
  for (const char* yes : {"1", "true", "yes", "on"}) {
    if (!SameText(text, yes)) continue;
    on = true;
    return true;
  }
  for (const char* no : {"0", "false", "no", "off"}) {
    if (!SameText(text, no)) continue;
    on = false;
    return true;
  }
  return false;
}

// An absolute folder (drive or network share) that Windows could name; empty means the default.
bool ReadFolder(const std::string& text, std::string& folder) {
  if (!IsValidUtf8(text)) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x20 || std::strchr("*?\"<>|", c) || (c == ':' && i != 1)) return false;
  }
  const bool drive = text.size() >= 3 && std::isalpha(static_cast<unsigned char>(text[0])) && text[1] == ':' &&
                     (text[2] == '\\' || text[2] == '/');
  const bool share = text.size() > 2 && text.compare(0, 2, "\\\\") == 0;
  if (!text.empty() && !drive && !share) return false;
  folder = text;
  return true;
}

const char* const kFormatNames[] = {"PNG", "BMP", "JPEG", "GIF"};

bool ReadFormat(const std::string& text, ImageFormat& format) {
  for (int i = 0; i < 4; ++i) {
    if (!SameText(text, kFormatNames[i]) && !(i == 2 && SameText(text, "JPG"))) continue;
    format = static_cast<ImageFormat>(i + 1);
    return true;
  }
  return false;
}

struct Key {
  const char* name;
  bool (*read)(const std::string& value, Settings& settings);
  std::string (*write)(const Settings& settings);
};

const Key kKeys[] = {
    {"HotKey",
     [](const std::string& v, Settings& s) {
       const auto hotKey = ParseHotKey(v);
       if (hotKey) s.captureHotKey = *hotKey;
       return hotKey.has_value();
     },
     [](const Settings& s) { return HotKeyText(s.captureHotKey); }},
    {"QuickSaveFolder", [](const std::string& v, Settings& s) { return ReadFolder(v, s.quickSaveFolder); },
     [](const Settings& s) { return s.quickSaveFolder; }},
    {"NamePattern",
     [](const std::string& v, Settings& s) {
       if (!IsValidNamePattern(v)) return false;
       s.namePattern = v;
       return true;
     },
     [](const Settings& s) { return s.namePattern; }},
    {"QuickSaveFormat", [](const std::string& v, Settings& s) { return ReadFormat(v, s.quickSaveFormat); },
     [](const Settings& s) {
       const int index = static_cast<int>(s.quickSaveFormat);
       return std::string(index >= 1 && index <= 4 ? kFormatNames[index - 1] : "");
     }},
    {"JpegQuality", [](const std::string& v, Settings& s) { return ReadNumber(v, 1, 100, s.jpegQuality); },
     [](const Settings& s) { return std::to_string(s.jpegQuality); }},
    {"CopyToClipboard", [](const std::string& v, Settings& s) { return ReadSwitch(v, s.copyWhenSaving); },
     [](const Settings& s) { return std::string(s.copyWhenSaving ? "1" : "0"); }},
    {"ShowMagnifier", [](const std::string& v, Settings& s) { return ReadSwitch(v, s.showMagnifier); },
     [](const Settings& s) { return std::string(s.showMagnifier ? "1" : "0"); }},
};

void ReadLine(const std::string& line, Settings& settings) {
  const std::size_t equals = line.find('=');
  if (equals == std::string::npos) return;
  const std::string name = Trimmed(line.substr(0, equals));
  const std::string value = Trimmed(line.substr(equals + 1));
  for (const Key& key : kKeys)
    if (SameText(name, key.name)) key.read(value, settings);
}

}  // namespace

Settings ParseSettings(const std::string& text) {
  Settings settings;
  std::size_t at = text.compare(0, 3, kBom) == 0 ? 3 : 0;
  bool ours = true;  // keys before any section count, for a file written by hand
  // A last line without its line end is taken as cut off ("JpegQuality=7" of "JpegQuality=75"),
  // and not read.
  for (std::size_t end; (end = text.find('\n', at)) != std::string::npos; at = end + 1) {
    std::string line = Trimmed(text.substr(at, end - at));
    if (!line.empty() && line.back() == '\r') line = Trimmed(line.substr(0, line.size() - 1));
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    // Only a whole section header changes the section: a garbled line costs only itself.
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']')
      ours = SameText(Trimmed(line.substr(1, line.size() - 2)), kSection);
    else if (ours)
      ReadLine(line, settings);
  }
  return settings;
}

std::string SettingsText(const Settings& settings) {
  std::string text = std::string(kBom) +
                     "; ScreenCut's settings, written when they are changed in the program. A value that is\r\n"
                     "; missing or not understood takes its default.\r\n[" +
                     kSection + "]\r\n";
  for (const Key& key : kKeys) {
    const std::string value = key.write(settings);
    Settings check;  // a value that would not read back (or would break the line) stays out
    if (key.read(value, check)) text += std::string(key.name) + "=" + value + "\r\n";
  }
  return text;
}
