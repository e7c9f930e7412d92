#pragma once
// Writing a file as a whole: the bytes go to a new file in the same folder, which then takes the
// old file's place in one step. A failure at any step leaves the old file as it was and no new
// file behind.

#include <string>

#include "gx/GxTypes.h"

// The path is UTF-8; false, with the system's error code in GetLastError, on failure.
bool ReplaceFileWith(const std::string& path, const Bytes& bytes);
// The same for a file that must not exist yet: when one does (made meanwhile by someone else),
// nothing is written and GetLastError says ERROR_ALREADY_EXISTS.
bool WriteNewFile(const std::string& path, const Bytes& bytes);

// The UTF-16 path to hand to the file functions: one too long for the plain form gets the
// "\\?\" form, which takes paths up to the system's limit.
std::wstring FileSystemPath(const std::string& path);
