// clipdump OUT.bmp — saves the CF_BITMAP on the clipboard as a 24-bit BMP file and prints its
// size. Exit status 2 when the clipboard holds no bitmap, 1 on any other failure.
// clipdump --clear — empties the clipboard, so a later dump cannot see an old capture.
// clipdump --png OUT.png — saves the registered "PNG" format's bytes as they are and prints
// their count. Exit status 2 when the clipboard holds no PNG.
// clipdump --text — prints the CF_UNICODETEXT on the clipboard as UTF-8; exit status 2 without one.

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

bool OpenClipboardPatiently() {
  for (int attempt = 0; attempt < 20; ++attempt) {
    if (OpenClipboard(nullptr)) return true;
    Sleep(50);
  }
  return false;
}

bool WriteBmp(const char* path, HBITMAP bitmap) {
  BITMAP info{};
  if (!GetObjectA(bitmap, sizeof info, &info)) return false;
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = info.bmWidth;
  header.biHeight = info.bmHeight;
  header.biPlanes = 1;
  header.biBitCount = 24;
  const DWORD stride = (static_cast<DWORD>(info.bmWidth) * 3 + 3) & ~3u;
  std::vector<unsigned char> pixels(static_cast<size_t>(stride) * static_cast<size_t>(info.bmHeight));
  HDC screen = GetDC(nullptr);
  const int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(info.bmHeight), pixels.data(),
                             reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (rows != info.bmHeight) return false;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  FILE* out = std::fopen(path, "wb");
  if (!out) return false;
  std::fwrite(&file, sizeof file, 1, out);
  std::fwrite(&header, sizeof header, 1, out);
  std::fwrite(pixels.data(), 1, pixels.size(), out);
  std::fclose(out);
  std::printf("%ld %ld\n", info.bmWidth, info.bmHeight);
  return true;
}

bool WritePng(const char* path, HANDLE data) {
  const SIZE_T size = GlobalSize(data);
  const void* bytes = GlobalLock(data);
  if (!bytes) return false;
  FILE* out = std::fopen(path, "wb");
  const bool written = out && std::fwrite(bytes, 1, size, out) == size;
  if (out) std::fclose(out);
  GlobalUnlock(data);
  if (written) std::printf("%lu\n", static_cast<unsigned long>(size));
  return written;
}

// The clipboard's text as UTF-8 on a line of its own.
int PrintText() {
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  const auto* text = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
  if (!text) return 2;
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(bytes > 0 ? bytes : 1), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, &utf8[0], bytes, nullptr, nullptr);
  GlobalUnlock(data);
  std::printf("%s\n", utf8.c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const bool png = argc == 3 && std::string(argv[1]) == "--png";
  if (argc != 2 && !png) {
    std::fprintf(stderr, "usage: clipdump OUT.bmp | --clear | --text | --png OUT.png\n");
    return 1;
  }
  if (!OpenClipboardPatiently()) return 1;
  if (png) {
    // Asking for it makes its owner render it, if it was promised.
    HANDLE data = GetClipboardData(RegisterClipboardFormatW(L"PNG"));
    const int result = !data ? 2 : WritePng(argv[2], data) ? 0 : 1;
    CloseClipboard();
    return result;
  }
  if (std::string(argv[1]) == "--clear") {
    const bool emptied = EmptyClipboard();
    CloseClipboard();
    return emptied ? 0 : 1;
  }
  if (std::string(argv[1]) == "--text") {
    const int result = PrintText();
    CloseClipboard();
    return result;
  }
  auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
  const int result = !bitmap ? 2 : WriteBmp(argv[1], bitmap) ? 0 : 1;
  CloseClipboard();
  return result;
}
