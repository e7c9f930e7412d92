// backdrop PICTURE.bmp [X Y WIDTH HEIGHT] — a borderless window at (0, 0) showing the picture at
// 1:1, until closed. It stands in for the desktop's wallpaper, so its class is the desktop's own.
// With a rectangle, a second borderless window, "known window", lies in front of it there and
// shows the same part of the picture: the screen looks the same, with a window to pick.

#include <windows.h>

#include <cstdio>

namespace {

HBITMAP picture = nullptr;

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(source, picture);
    BITMAP info{};
    GetObjectA(picture, sizeof info, &info);
    RECT place{};
    GetWindowRect(window, &place);
    BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, source, place.left, place.top, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
    EndPaint(window, &paint);
    return 0;
  }
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND Show(HINSTANCE instance, const char* className, const char* title, int x, int y, int width, int height) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = Procedure;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = className;
  RegisterClassA(&windowClass);
  return CreateWindowExA(WS_EX_TOOLWINDOW, className, title, WS_POPUP | WS_VISIBLE, x, y, width, height, nullptr,
                         nullptr, instance, nullptr);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  char path[MAX_PATH] = {};
  int x = 0, y = 0, width = 0, height = 0;
  const int fields = std::sscanf(commandLine, "%259s %d %d %d %d", path, &x, &y, &width, &height);
  picture = static_cast<HBITMAP>(LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  if (!picture) return 1;
  BITMAP info{};
  GetObjectA(picture, sizeof info, &info);
  if (!Show(instance, "Progman", "backdrop", 0, 0, info.bmWidth, info.bmHeight)) return 1;
  if (fields == 5 && !Show(instance, "KnownWindow", "known window", x, y, width, height)) return 1;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  DeleteObject(picture);
  return 0;
}
