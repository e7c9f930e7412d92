#pragma once
// GUIDs travel through the image layer as text: 38 characters, braces, upper-case hex, exactly
// as StringFromGUID2 writes them ("{B96B3CAE-0728-11D3-9D7B-0000F81EF32E}"). Lookups compare
// such texts byte for byte, so a lower-case spelling of the same GUID matches nothing.

#include <windows.h>

#include <string>

std::string GuidToText(const GUID& guid);

// A text that does not parse gives the all-zero GUID.
GUID TextToGuid(const std::string& text);

// NUL-terminated UTF-16 to text in the OEM code page (how codec names and GUIDs are read back).
std::string WideToText(const wchar_t* text);
