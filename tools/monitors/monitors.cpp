// monitors          — what the system reports, one fact a line:
//                       "count N" (SM_CMONITORS)
//                       "virtual X Y W H" (SM_XVIRTUALSCREEN .. SM_CYVIRTUALSCREEN)
//                       "monitor X Y W H [primary]" for each monitor, in EnumDisplayMonitors' order
// monitors pixel X Y — the colour at virtual-screen point (X, Y), copied from the screen's DC, as
//                       "R G B"
// Exit status 1 when the screen cannot be read, 2 on bad arguments.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <type_traits>

namespace {

BOOL CALLBACK PrintMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(monitor, &info)) return TRUE;
  const RECT& r = info.rcMonitor;
  std::printf("monitor %ld %ld %ld %ld%s\n", r.left, r.top, r.right - r.left, r.bottom - r.top,
              (info.dwFlags & MONITORINFOF_PRIMARY) ? " primary" : "");
  return TRUE;
}

int PrintMonitors() {
  std::printf("count %d\n", GetSystemMetrics(SM_CMONITORS));
  std::printf("virtual %d %d %d %d\n", GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
              GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
  EnumDisplayMonitors(nullptr, nullptr, PrintMonitor, 0);
  return 0;
}

struct ScreenDcRelease {
  void operator()(HDC dc) const { ReleaseDC(nullptr, dc); }
};
struct DcDelete {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
struct ObjectDelete {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using ScreenDc = std::unique_ptr<std::remove_pointer_t<HDC>, ScreenDcRelease>;
using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcDelete>;
using Bitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, ObjectDelete>;

// Keeps an object selected into a DC while it lives.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~Selection() { SelectObject(dc_, previous_); }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// One pixel copied with BitBlt from the screen's DC, as a screen capture copies it.
int PrintPixel(int x, int y) {
  ScreenDc screen(GetDC(nullptr));
  if (!screen) return 1;
  MemoryDc memory(CreateCompatibleDC(screen.get()));
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof format.bmiHeader;
  format.bmiHeader.biWidth = 1;
  format.bmiHeader.biHeight = 1;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  Bitmap pixel(CreateDIBSection(screen.get(), &format, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!memory || !pixel) return 1;
  {
    Selection selected(memory.get(), pixel.get());
    if (!BitBlt(memory.get(), 0, 0, 1, 1, screen.get(), x, y, SRCCOPY)) return 1;
  }
  GdiFlush();
  const auto* bgra = static_cast<const unsigned char*>(bits);
  std::printf("%u %u %u\n", bgra[2], bgra[1], bgra[0]);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 1) return PrintMonitors();
  if (argc == 4 && std::strcmp(argv[1], "pixel") == 0) return PrintPixel(std::atoi(argv[2]), std::atoi(argv[3]));
  std::fprintf(stderr, "usage: monitors [pixel X Y]\n");
  return 2;
}
