#include "settings/NamePattern.h"

#include <cstdio>
#include <cstring>

#include "settings/Utf8.h"

const char kDefaultNamePattern[] = "截图{yyyyMMddHHmmss}";

namespace {

bool IsForbidden(unsigned char c) { return c < 0x20 || std::strchr("\\/:*?\"<>|", c) != nullptr; }

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

struct Field {
  const char* code;
  int width;
  WORD SYSTEMTIME::*part;  // null for the counter
};

constexpr Field kFields[] = {
    {"yyyy", 4, &SYSTEMTIME::wYear}, {"MM", 2, &SYSTEMTIME::wMonth},  {"dd", 2, &SYSTEMTIME::wDay},
    {"HH", 2, &SYSTEMTIME::wHour},   {"mm", 2, &SYSTEMTIME::wMinute}, {"ss", 2, &SYSTEMTIME::wSecond},
    {"n", 0, nullptr},
};

const Field* FieldAt(const std::string& pattern, std::size_t at) {
  for (const Field& field : kFields)
    if (pattern.compare(at, std::strlen(field.code), field.code) == 0) return &field;
  return nullptr;
}

std::string FieldText(const Field& field, const SYSTEMTIME& time, unsigned counter) {
  char text[16];
  if (field.part)
    std::snprintf(text, sizeof text, "%0*u", field.width, static_cast<unsigned>(time.*field.part));
  else
    std::snprintf(text, sizeof text, "%u", counter);
  return text;
}

// Names Windows keeps for devices whatever the extension: "NUL.png" would take the bytes and
// keep none.
bool IsDeviceName(const std::string& name) {
  std::string stem = name.substr(0, name.find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  for (char& c : stem) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  for (const char* device : {"CON", "PRN", "AUX", "NUL"})
    if (stem == device) return true;
  return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
         stem[3] >= '1' && stem[3] <= '9';
}

// Walks the pattern once for both questions: the expansion, or empty when it is invalid.
std::string Expand(const std::string& pattern, const SYSTEMTIME& time, unsigned counter) {
  if (pattern.empty() || !IsValidUtf8(pattern)) return std::string();
  std::string name;
  bool inField = false;
  std::size_t fieldStart = 0;
  for (std::size_t i = 0; i < pattern.size();) {
    const char c = pattern[i];
    if (IsForbidden(static_cast<unsigned char>(c))) return std::string();
    if (c == '{' || c == '}') {
      if ((c == '{') == inField || (c == '}' && i == fieldStart)) return std::string();
      inField = c == '{';
      fieldStart = ++i;
      continue;
    }
    if (inField && IsAsciiLetter(c)) {
      const Field* field = FieldAt(pattern, i);
      if (!field) return std::string();
      name += FieldText(*field, time, counter);
      i += std::strlen(field->code);
      continue;
    }
    name += c;
    ++i;
  }
  return inField || IsDeviceName(name) ? std::string() : name;
}

}  // namespace

bool IsValidNamePattern(const std::string& pattern) {
  const SYSTEMTIME any{2000, 1, 6, 1, 0, 0, 0, 0};
  return !Expand(pattern, any, 1).empty();
}

std::string ExpandNamePattern(const std::string& pattern, const SYSTEMTIME& time, unsigned counter) {
  return Expand(pattern, time, counter);
}
