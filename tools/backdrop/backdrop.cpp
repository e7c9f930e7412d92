// backdrop PICTURE.bmp — a borderless window at (0, 0) showing the picture at 1:1, until closed.

#include <windows.h>

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
    BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
    EndPaint(window, &paint);
    return 0;
  }
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  picture = static_cast<HBITMAP>(LoadImageA(nullptr, commandLine, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  if (!picture) return 1;
  BITMAP info{};
  GetObjectA(picture, sizeof info, &info);
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = Procedure;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "Backdrop";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, "Backdrop", "backdrop", WS_POPUP | WS_VISIBLE, 0, 0, info.bmWidth,
                                info.bmHeight, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  DeleteObject(picture);
  return 0;
}
