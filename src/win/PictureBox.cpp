#include "win/PictureBox.h"

namespace {

const wchar_t kClassName[] = L"ScreenCutPictureBox";

}  // namespace

PictureBox::~PictureBox() {
  if (window_) DestroyWindow(window_);
  if (picture_) DeleteObject(picture_);
}

bool PictureBox::Create(HWND parent, int x, int y, int width, int height) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW existing{};
  if (!GetClassInfoW(instance, kClassName, &existing)) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &PictureBox::Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    RegisterClassW(&windowClass);
  }
  window_ = CreateWindowExW(WS_EX_CLIENTEDGE, kClassName, L"", WS_CHILD | WS_VISIBLE, x, y, width, height, parent,
                            nullptr, instance, this);
  return window_ != nullptr;
}

void PictureBox::SetPicture(HBITMAP picture) {
  if (picture_ && picture_ != picture) DeleteObject(picture_);
  picture_ = picture;
  if (window_) InvalidateRect(window_, nullptr, TRUE);
}

void PictureBox::Paint(HDC dc) const {
  if (!picture_) return;
  BITMAP info{};
  GetObjectA(picture_, sizeof info, &info);
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ previous = SelectObject(source, picture_);
  BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
  SelectObject(source, previous);
  DeleteDC(source);
}

LRESULT CALLBACK PictureBox::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE)
    SetWindowLongPtrW(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
  auto* box = reinterpret_cast<PictureBox*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_PAINT && box) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    box->Paint(dc);
    EndPaint(window, &paint);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}
