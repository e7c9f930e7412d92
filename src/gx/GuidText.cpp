#include "gx/GuidText.h"

#include <objbase.h>

#include "gx/GxText.h"

std::string GuidToText(const GUID& guid) {
  wchar_t buffer[39] = {};
  StringFromGUID2(guid, buffer, 39);
  return WideToText(buffer);
}

GUID TextToGuid(const std::string& text) {
  GUID guid{};
  std::wstring wide = Utf8ToWide(text);
  if (FAILED(CLSIDFromString(wide.c_str(), &guid))) guid = GUID{};
  return guid;
}

std::string WideToText(const wchar_t* text) { return WideToOem(text); }
