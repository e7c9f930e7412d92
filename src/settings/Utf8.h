#pragma once

#include <string>

// Well-formed UTF-8: no stray continuation bytes, overlong forms, surrogates or code points past
// U+10FFFF. Text read from a file is checked before it is taken as a name or a folder.
bool IsValidUtf8(const std::string& text);
