#include "app/process/MainWindow.h"

#include "app/capture/CaptureSession.h"
#include "app/process/CaptureHotKey.h"
#include "app/process/CaptureOverlay.h"
#include "app/process/SettingsWindow.h"
#include "app/process/SingleInstance.h"
#include "app/process/StartWithWindows.h"
#include "app/canvas/EmbeddedAssets.h"
#include "app/canvas/Resources.h"
#include "output/ClipboardPng.h"
#include "settings/CurrentSettings.h"

namespace {

constexpr char kCaption[] = "仿Vexo截图----Tarnel";
constexpr UINT_PTR kDelayedCaptureTimer = 1;
constexpr UINT kCaptureDelayMs = 3000;

FormDesign MainDesign() {
  FormDesign design;
  design.className = "ScreenCutMain";
  design.caption = kCaption;
  design.left = 50;
  design.top = 50;
  design.width = 380;
  design.height = 250;
  design.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  return design;
}

void StartCapture() {
  if (!CaptureOpen()) OpenCaptureOverlay(true);
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
  RegisterCaptureHotKey(Handle(), CurrentSettings().captureHotKey);
  // A window the user never saw (started into the tray) stays out of sight after a capture.
  TheOverlay().AfterEnding([this] {
    if (Visible()) ComeBack();
  });
  SetClipboardKeeper(Handle());
  tray_.Show(Handle(), LoadIconW(instance, MAKEINTRESOURCEW(IDI_PROGRAM)), kCaption);
}

void MainWindow::OnCommand(int controlId) {
  if (controlId == kStartButtonId) OpenCaptureOverlay(true);
}

void MainWindow::OnTrayMessage(LPARAM mouseMessage) {
  if (CaptureOpen()) return;
  if (mouseMessage == WM_LBUTTONUP) {
    StartCapture();
  } else if (mouseMessage == WM_RBUTTONUP) {
    POINT at{};
    GetCursorPos(&at);
    Choose(ChooseFromTrayMenu(Handle(), at, HotKeyText(CurrentSettings().captureHotKey), StartsWithWindows()));
  }
}

void MainWindow::Choose(TrayChoice choice) {
  switch (choice) {
    case TrayChoice::Capture: StartCapture(); break;
    // Time to open a menu or hover a tooltip that the capture is meant to show.
    case TrayChoice::DelayedCapture: SetTimer(Handle(), kDelayedCaptureTimer, kCaptureDelayMs, nullptr); break;
    case TrayChoice::ShowMainWindow: ComeBack(); break;
    case TrayChoice::Settings: OpenSettings(); break;
    case TrayChoice::StartWithWindows: SetStartWithWindows(!StartsWithWindows()); break;
    case TrayChoice::Exit: Close(); break;
    case TrayChoice::Nothing: break;
  }
}

void MainWindow::OpenSettings() {
  const HotKey before = CurrentSettings().captureHotKey;
  if (!ShowSettingsWindow(Handle()) || CurrentSettings().captureHotKey == before) return;
  UnregisterCaptureHotKey(Handle());
  RegisterCaptureHotKey(Handle(), CurrentSettings().captureHotKey);
}

bool MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = 0;
  if (message == ShowMainWindowMessage()) {
    if (!CaptureOpen()) ComeBack();
    return true;
  }
  if (message == TaskbarCreatedMessage()) {
    tray_.ShowAgain();
    return true;
  }
  switch (message) {
    case WM_HOTKEY:
      OnCaptureHotKey(wParam);
      return true;
    case kTrayCallbackMessage:
      OnTrayMessage(lParam);
      return true;
    case WM_TIMER:
      if (wParam != kDelayedCaptureTimer) return false;
      KillTimer(Handle(), kDelayedCaptureTimer);
      StartCapture();
      return true;
    case WM_RENDERFORMAT:
      RenderClipboardFormat(static_cast<UINT>(wParam));
      return true;
    case WM_RENDERALLFORMATS:
      RenderAllClipboardFormats();
      return true;
    case WM_DESTROYCLIPBOARD:
      ForgetClipboardPicture();
      return true;
    case WM_DESTROY:
      tray_.Remove();
      UnregisterCaptureHotKey(Handle());
      return false;
    default:
      return false;
  }
}

void MainWindow::OnClosed() {
  SetClipboardKeeper(nullptr);
  ForgetClipboardPicture();
  if (buttonFont_) DeleteObject(buttonFont_);
  buttonFont_ = nullptr;
  PostQuitMessage(0);
}

MainWindow& TheMainWindow() {
  static MainWindow window;
  return window;
}
