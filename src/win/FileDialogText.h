#pragma once
// The text work around the common file dialogs, kept apart from the dialogs themselves:
// filters written as "description|pattern|description|pattern", the file-name buffer with its
// preset name, and the results the dialogs leave in their buffers. Texts are UTF-8; the buffers
// the system fills are UTF-16.

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

// The filter as the system wants it: every "|" becomes a zero character and two zero
// characters end the list.
std::wstring SystemFilter(const std::string& filter);

// The extension named by the pattern of the 1-based filterIndex-th pair: ".png" for
// "*.png"; up to the first ";" of a pattern list. Empty for "*.*", for a pattern that does
// not begin with "*" and for an index that names no pair.
std::string FilterExtension(const std::string& filter, int filterIndex);

// A file-name buffer of size zero characters. When defaultName is not blank it starts with
// initialDir immediately followed by defaultName; a preset that would leave no terminating
// zero is not put in at all.
std::vector<wchar_t> FileNameBuffer(std::size_t size, const std::string& initialDir, const std::string& defaultName);

// A file-title buffer: size spaces and a terminating zero.
std::vector<wchar_t> FileTitleBuffer(std::size_t size);

// The text of a buffer up to its first zero (or its end).
std::string BufferText(const std::vector<wchar_t>& buffer);

// What the open dialog returned: one path, or for a multiple selection (directory, then
// names, each zero-terminated) every name joined to the directory, separated by ";".
std::string OpenDialogPaths(const std::vector<wchar_t>& fileBuffer);

struct SaveDialogNames {
  std::string name;  // file name without directory
  std::string path;  // the file to write
};
// The saved file's name and path carry the chosen filter's extension. A name that has a dot
// is cut before its first dot first; the directory comes from the full path.
SaveDialogNames SaveDialogResult(const std::string& title, const std::string& path, const std::string& extension);
