#include "output/SaveCapture.h"

#include <cstdio>

#include "app/CaptureLife.h"
#include "app/CaptureOverlay.h"
#include "app/CaptureState.h"
#include "app/CommandLatch.h"
#include "app/Layers.h"
#include "app/SelectionRenderer.h"
#include "app/SelectionTracking.h"
#include "app/Toolbar.h"
#include "output/Commands.h"
#include "output/CropAndEncode.h"
#include "output/OutputImage.h"
#include "win/FileDialog.h"

const char kSaveFilter[] = "PNG (*.png)|*.png|BMP (*.bmp)|*.bmp|JPGE (*.jpg)|*.jpg|GIF (*.gif)|*.gif";

namespace {

void ShowSaveFailure(HWND owner, const std::string& path) {
  const std::string text = "无法保存截图到：\r\n" + path + "\r\n\r\n请换一个文件名或位置再试。";
  MessageBoxA(owner, text.c_str(), "保存失败", MB_OK | MB_ICONWARNING);
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

namespace {

// The capture stays for another try: the selection and its toolbar come back, and a menu the
// save was chosen from is closed with it (its rectangle is gone with the redraw).
void KeepCaptureAfterFailure() {
  Capture().menuShown = 0;
  RedrawSelection(RedrawAction::ClearRects);
  ToolbarDispatch(ToolbarAction::None);
}

}  // namespace

void SaveCapture() {
  CommandScope command;
  // The press that chose the command ends here: its release goes to the dialog, not to us.
  ResetDrag();
  const Bytes screen = ComposeOutput();
  RepaintBase();  // what the overlay shows while the dialog is open

  FileDialog dialog;
  dialog.SetDefaultName("截图" + CaptureTimestamp());
  dialog.SetFlags(OFN_OVERWRITEPROMPT);
  const bool dismissed = dialog.ShowSave(TheOverlay().Handle(), "", kSaveFilter, "", 0).empty();
  if (!CaptureOpen()) return;
  if (dismissed) {
    ResetCapture();
    return;
  }
  const std::string path = dialog.GetChosenPath();
  std::string format = FormatForFilter(dialog.GetFilterIndex());
  const ScreenRect& s = Capture().SelectionRect;
  const Bytes encoded = CropAndEncode(screen, s.left, s.top, s.right - s.left, s.bottom - s.top, format);
  if (encoded.empty() || !WriteBytesToFile(path, encoded)) {
    ReportSaveFailure(TheOverlay().Handle(), path);
    if (CaptureOpen()) KeepCaptureAfterFailure();
    return;
  }
  CancelCapture();
}
