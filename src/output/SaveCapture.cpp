#include "output/SaveCapture.h"

#include <cstdio>

#include "app/CaptureOverlay.h"
#include "app/CaptureState.h"
#include "app/Desktop.h"
#include "app/FrameDamage.h"
#include "app/Globals.h"
#include "app/Layers.h"
#include "app/SelectionRenderer.h"
#include "app/Toolbar.h"
#include "gx/GxText.h"
#include "output/CanvasToBmp.h"
#include "output/Commands.h"
#include "output/CropAndEncode.h"
#include "win/FileDialog.h"

const char kSaveFilter[] = "PNG (*.png)|*.png|BMP (*.bmp)|*.bmp|JPGE (*.jpg)|*.jpg|GIF (*.gif)|*.gif";

namespace {

void ShowSaveFailure(HWND owner, const std::string& path) {
  const std::string text = "无法保存截图到：\r\n" + path + "\r\n\r\n请换一个文件名或位置再试。";
  MessageBoxW(owner, Utf8ToWide(text).c_str(), L"保存失败", MB_OK | MB_ICONWARNING);
}

// The whole byte array, creating the file or replacing what it held.
bool WriteBytesToFile(const std::string& path, const Bytes& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  return CloseHandle(file) && ok;
}

}  // namespace

std::function<void(HWND, const std::string&)> ReportSaveFailure = ShowSaveFailure;

std::string CaptureTimestamp(const SYSTEMTIME& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%d%02d%02d%02d%02d%02d", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
                t.wSecond);
  return text;
}

std::string CaptureTimestamp() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return CaptureTimestamp(now);
}

std::string FormatForFilter(int filterIndex) {
  switch (filterIndex) {
    case 1: return "{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}";
    case 2: return "{B96B3CAB-0728-11D3-9D7B-0000F81EF32E}";
    case 3: return "{B96B3CAE-0728-11D3-9D7B-0000F81EF32E}";
    case 4: return "{B96B3CB0-0728-11D3-9D7B-0000F81EF32E}";
    default: return "";
  }
}

void SaveCapture() {
  Globals& objects = Objects();
  ShowFrozen(0, 0, TheOverlay().Width(), TheOverlay().Height());
  const Bytes screen = CanvasToBmp(objects.OverlayCanvas.GetSurfaceDC(), ScreenWidth(), ScreenHeight());
  RepaintBase();  // what the overlay shows while the dialog is open

  FileDialog dialog;
  dialog.SetDefaultName("截图" + CaptureTimestamp());
  dialog.SetFlags(OFN_OVERWRITEPROMPT);
  if (dialog.ShowSave(TheOverlay().Handle(), "", kSaveFilter, "", 0).empty()) {
    ResetCapture();
    return;
  }
  const std::string path = dialog.GetChosenPath();
  std::string format = FormatForFilter(dialog.GetFilterIndex());
  const ScreenRect& s = Capture().SelectionRect;
  const Bytes encoded = CropAndEncode(screen, s.left, s.top, s.right - s.left, s.bottom - s.top, format);
  if (encoded.empty() || !WriteBytesToFile(path, encoded)) {
    // Keep the capture: the user can pick another name or place.
    ReportSaveFailure(TheOverlay().Handle(), path);
    RedrawSelection(RedrawAction::ClearRects);
    ToolbarDispatch(ToolbarAction::None);
    return;
  }
  CancelCapture();
}
