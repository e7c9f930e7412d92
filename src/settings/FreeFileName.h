#pragma once
// Quick save never replaces a file: a name that is taken gets " (2)", " (3)", ... before its
// extension, as Explorer numbers copies.

#include <windows.h>

#include <functional>
#include <string>

using PathExists = std::function<bool(const std::string& path)>;

// Whether a file or folder of that UTF-8 path exists on disk.
bool PathExistsOnDisk(const std::string& path);

// The first of folder\base.ext, folder\base (2).ext, folder\base (3).ext, ... for which `exists`
// says no; `extension` comes with its dot (".png"). Empty when the first 9999 are all taken.
std::string FreeFileName(const std::string& folder, const std::string& base, const std::string& extension,
                         const PathExists& exists = PathExistsOnDisk);

// The name quick save gives a capture taken at `time`: the pattern filled in, and the first free
// name by the rule above. A pattern with a counter counts up instead (1, 2, ...) to the first
// free name. Empty for an invalid pattern or when no name is free.
std::string NextFreeName(const std::string& folder, const std::string& pattern, const SYSTEMTIME& time,
                         const std::string& extension, const PathExists& exists = PathExistsOnDisk);
