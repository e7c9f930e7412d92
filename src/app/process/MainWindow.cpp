#include "app/process/MainWindow.h"

#include "app/process/CaptureHotKey.h"
#include "app/process/CaptureOverlay.h"
#include "app/canvas/EmbeddedAssets.h"
#include "app/canvas/Resources.h"

namespace {

FormDesign MainDesign() {
  FormDesign design;
  design.className = "ScreenCutMain";
  design.caption = "仿Vexo截图----Tarnel";
  design.left = 50;
  design.top = 50;
  design.width = 380;
  design.height = 250;
  design.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  return design;
}

}  // namespace

MainWindow::MainWindow() : Form(MainDesign()) {}

// The window the user started from is where they are when the capture ends: shown, usable and
// in front, so that the next press of its button starts the next capture.
void MainWindow::ComeBack() {
  SetVisible(true);
  HWND window = Handle();
  if (!window) return;
  EnableWindow(window, TRUE);
  SetForegroundWindow(window);
  SetActiveWindow(window);
}

void MainWindow::OnLoad() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  startButton_ = CreateWindowExW(0, L"BUTTON", L"开始截图", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 128, 16,
                                 112, 56, Handle(), reinterpret_cast<HMENU>(kStartButtonId), instance, nullptr);
  buttonFont_ = CreateFontW(-15, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, L"微软雅黑");
  SendMessageW(startButton_, WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont_), TRUE);
  picture_.Create(Handle(), 80, 96, 256, 120);
  picture_.SetPicture(ResourceBitmap(IDR_MAIN_PICTURE));
  RegisterCaptureHotKey(Handle());
  TheOverlay().AfterEnding([this] { ComeBack(); });
}

void MainWindow::OnCommand(int controlId) {
  if (controlId == kStartButtonId) OpenCaptureOverlay(true);
}

bool MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  switch (message) {
    case WM_HOTKEY:
      OnCaptureHotKey(wParam);
      result = 0;
      return true;
    case WM_DESTROY:
      UnregisterCaptureHotKey(Handle());
      return false;
    default:
      return false;
  }
}

void MainWindow::OnClosed() {
  if (buttonFont_) DeleteObject(buttonFont_);
  buttonFont_ = nullptr;
  PostQuitMessage(0);
}

MainWindow& TheMainWindow() {
  static MainWindow window;
  return window;
}
