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
#include "gx/GxText.h"
#include "output/ChooseSaveFile.h"
#include "output/Commands.h"
#include "output/EncodeForFile.h"
#include "output/EncodingAhead.h"
#include "win/FileReplacement.h"

const char kSaveFilter[] = "PNG (*.png)|*.png|BMP (*.bmp)|*.bmp|JPGE (*.jpg)|*.jpg|GIF (*.gif)|*.gif";

namespace {

void ShowSaveFailure(HWND owner, const std::string& path) {
  // An empty path: the dialog itself failed, most likely on a name longer than it can take.
  const std::string problem =
      path.empty() ? "保存对话框无法给出所选的文件名（路径可能太长）。" : "无法保存截图到：\r\n" + path;
  const std::string text = problem + "\r\n\r\n请换一个文件名或位置再试。";
  MessageBoxW(owner, Utf8ToWide(text).c_str(), L"保存失败", MB_OK | MB_ICONWARNING);
}

// The capture stays for another try: the selection and its toolbar come back, and a menu the
// save was chosen from is closed with it (its rectangle is gone with the redraw).
void KeepCaptureAfterFailure() {
  Capture().menuShown = 0;
  RedrawSelection(RedrawAction::ClearRects);
  ToolbarDispatch(ToolbarAction::None);
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
  CommandScope command;
  // The press that chose the command ends here: its release goes to the dialog, not to us.
  ResetDrag();
  RepaintBase();  // what the overlay shows while the dialog is open
  EncodingAhead ahead(Capture().SelectionRect, FormatForFilter(1));  // the filter the dialog opens on

  SaveFile chosen;
  const SaveChoice choice = ChooseSaveFile(TheOverlay().Handle(), "截图" + CaptureTimestamp(), chosen);
  if (!CaptureOpen()) return;
  if (choice == SaveChoice::Dismissed) {
    ResetCapture();
    return;
  }
  std::string format = FormatForFilter(chosen.filterIndex);
  Bytes encoded;
  if (choice == SaveChoice::Chosen) {
    std::optional<Bytes> early = ahead.Take(format);
    encoded = early ? std::move(*early) : EncodeForFile(Capture().SelectionRect, format);
  }
  if (encoded.empty() || !ReplaceFileWith(chosen.path, encoded)) {
    ReportSaveFailure(TheOverlay().Handle(), chosen.path);
    if (CaptureOpen()) KeepCaptureAfterFailure();
    return;
  }
  CancelCapture();
}
