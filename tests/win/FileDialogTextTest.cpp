#include "win/FileDialogText.h"

#include <gtest/gtest.h>

#include "gx/GxText.h"

namespace {

const std::string kSaveFilter = "PNG (*.png)|*.png|BMP (*.bmp)|*.bmp|JPGE (*.jpg)|*.jpg|GIF (*.gif)|*.gif";

std::string Zeros(std::size_t count) { return std::string(count, '\0'); }
std::wstring WideZeros(std::size_t count) { return std::wstring(count, L'\0'); }

// A buffer as the system leaves it: the UTF-16 form of the UTF-8 text, then zeros.
std::vector<wchar_t> Buffer(const std::string& text, std::size_t size) {
  const std::wstring wide = Utf8ToWide(text);
  std::vector<wchar_t> buffer(size, L'\0');
  std::copy(wide.begin(), wide.end(), buffer.begin());
  return buffer;
}

TEST(FileDialogText, FilterBecomesZeroSeparatedList) {
  EXPECT_EQ(SystemFilter("Text|*.txt|All|*.*"),
            L"Text" + WideZeros(1) + L"*.txt" + WideZeros(1) + L"All" + WideZeros(1) + L"*.*" + WideZeros(2));
  EXPECT_EQ(SystemFilter(""), WideZeros(2));
  EXPECT_EQ(SystemFilter("图片|*.png"), L"图片" + WideZeros(1) + L"*.png" + WideZeros(2));
}

TEST(FileDialogText, ExtensionFollowsTheChosenFilter) {
  EXPECT_EQ(FilterExtension(kSaveFilter, 1), ".png");
  EXPECT_EQ(FilterExtension(kSaveFilter, 2), ".bmp");
  EXPECT_EQ(FilterExtension(kSaveFilter, 3), ".jpg");
  EXPECT_EQ(FilterExtension(kSaveFilter, 4), ".gif");
  EXPECT_EQ(FilterExtension(kSaveFilter, 5), "");
  EXPECT_EQ(FilterExtension(kSaveFilter, 0), "");
  EXPECT_EQ(FilterExtension("", 1), "");
  EXPECT_EQ(FilterExtension("Text|*.txt|All|*.*", 2), "");
  EXPECT_EQ(FilterExtension("Any|*", 1), "");
  // A pattern list gives its first extension, never the rest of the list.
  EXPECT_EQ(FilterExtension("Images|*.jpg;*.jpeg|All|*.*", 1), ".jpg");
  // A pattern without "*" names no extension and does not shift the later ones.
  EXPECT_EQ(FilterExtension("Readme|README|PNG|*.png", 1), "");
  EXPECT_EQ(FilterExtension("Readme|README|PNG|*.png", 2), ".png");
}

TEST(FileDialogText, PresetNameStartsTheFileNameBuffer) {
  std::vector<wchar_t> buffer = FileNameBuffer(255, "D:\\pics\\", "shot");
  ASSERT_EQ(buffer.size(), 255u);
  EXPECT_EQ(BufferText(buffer), "D:\\pics\\shot");
  EXPECT_EQ(buffer.back(), L'\0');
  // No separator is added between directory and name.
  EXPECT_EQ(BufferText(FileNameBuffer(255, "D:\\pics", "shot")), "D:\\picsshot");
  // The name itself is not trimmed; a blank name presets nothing, not even the directory.
  EXPECT_EQ(BufferText(FileNameBuffer(255, "", " shot ")), " shot ");
  EXPECT_EQ(FileNameBuffer(255, "D:\\", "   "), std::vector<wchar_t>(255, L'\0'));
  EXPECT_EQ(FileNameBuffer(98192, "D:\\", ""), std::vector<wchar_t>(98192, L'\0'));
  // The size counts UTF-16 units, not UTF-8 bytes.
  EXPECT_EQ(BufferText(FileNameBuffer(10, "", "截图截图截图截图截")), "截图截图截图截图截");
}

TEST(FileDialogText, PresetThatDoesNotFitIsLeftOut) {
  const std::string directory = "C:\\" + std::string(200, 'd') + "\\";  // 204 bytes
  EXPECT_EQ(BufferText(FileNameBuffer(255, directory, std::string(50, 'n'))).size(), 254u);
  EXPECT_EQ(FileNameBuffer(255, directory, std::string(51, 'n')), std::vector<wchar_t>(255, L'\0'));
  EXPECT_EQ(FileNameBuffer(255, "", std::string(300, 'n')), std::vector<wchar_t>(255, L'\0'));
}

TEST(FileDialogText, OpenResultIsOnePathOrAJoinedSelection) {
  EXPECT_EQ(OpenDialogPaths(Buffer("D:\\dir\\a.txt", 64)), "D:\\dir\\a.txt");
  EXPECT_EQ(OpenDialogPaths(Buffer("D:\\dir" + Zeros(1) + "a.txt" + Zeros(1) + "b.txt", 64)),
            "D:\\dir\\a.txt;D:\\dir\\b.txt");
  // A root directory already ends with a backslash.
  EXPECT_EQ(OpenDialogPaths(Buffer("D:\\" + Zeros(1) + "a.txt" + Zeros(1) + "b.txt", 64)), "D:\\a.txt;D:\\b.txt");
  // Stale bytes after the terminating pair are not part of the selection.
  EXPECT_EQ(OpenDialogPaths(Buffer("D:\\x" + Zeros(2) + "junk", 64)), "D:\\x");
  EXPECT_EQ(OpenDialogPaths(Buffer("D:\\图" + Zeros(1) + "a.txt" + Zeros(1) + "截.txt", 64)), "D:\\图\\a.txt;D:\\图\\截.txt");
}

TEST(FileDialogText, SaveResultTakesTheFilterExtension) {
  SaveDialogNames names = SaveDialogResult("shot", "C:\\out\\shot", ".png");
  EXPECT_EQ(names.name, "shot.png");
  EXPECT_EQ(names.path, "C:\\out\\shot.png");

  names = SaveDialogResult("shot.old.jpg", "C:\\out\\shot.old.jpg", ".gif");
  EXPECT_EQ(names.name, "shot.gif");
  EXPECT_EQ(names.path, "C:\\out\\shot.gif");

  // No extension to add (empty filter, "*.*"): the typed name still loses its dotted part.
  names = SaveDialogResult("shot.png", "C:\\out\\shot.png", "");
  EXPECT_EQ(names.name, "shot");
  EXPECT_EQ(names.path, "C:\\out\\shot");

  // A dot in a directory name does not count.
  names = SaveDialogResult("shot", "C:\\my.dir\\shot", ".bmp");
  EXPECT_EQ(names.path, "C:\\my.dir\\shot.bmp");
  names = SaveDialogResult("shot.x", "C:\\my.dir\\shot.x", ".bmp");
  EXPECT_EQ(names.path, "C:\\my.dir\\shot.bmp");
}

}  // namespace
