#include "output/SaveCapture.h"

#include <cstdio>
#include <memory>
#include <optional>

#include "gx/GxBitmap.h"
#include "gx/GxImage.h"
#include "gx/GxText.h"
#include "output/ChooseSaveFile.h"
#include "output/EncodeForFile.h"
#include "output/EncodingAhead.h"
#include "output/OutputImage.h"
#include "win/FileReplacement.h"

namespace {

void ShowSaveFailure(HWND owner, const std::string& path) {
  // An empty path: the dialog itself failed, most likely on a name longer than it can take.
  const std::string problem =
      path.empty() ? "保存对话框无法给出所选的文件名（路径可能太长）。" : "无法保存截图到：\r\n" + path;
  const std::string text = problem + "\r\n\r\n请换一个文件名或位置再试。";
  MessageBoxW(owner, Utf8ToWide(text).c_str(), L"保存失败", MB_OK | MB_ICONWARNING);
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
    case 1: return kPngFormat;
    case 2: return kBmpFormat;
    case 3: return kJpegFormat;
    case 4: return kGifFormat;
    default: return "";
  }
}

SaveOutcome SaveSelection(HWND owner, const OutputSource& source, EncodingAhead& ahead,
                          const std::function<bool()>& stillOpen, const std::string& startFolder) {
  auto crop = std::make_unique<GxBitmap>();
  if (OutputBitmap(source, *crop)) ahead.Start(std::move(crop), kPngFormat);  // the filter the dialog opens on

  SaveFile chosen;
  const SaveChoice choice = ChooseSaveFile(owner, "截图" + CaptureTimestamp(), chosen, startFolder);
  if (!stillOpen()) return SaveOutcome::Dismissed;
  if (choice == SaveChoice::Dismissed) {
    ahead.Drop();
    return SaveOutcome::Dismissed;
  }
  std::string format = FormatForFilter(chosen.filterIndex);
  Bytes encoded;
  if (choice == SaveChoice::Chosen) {
    std::optional<Bytes> early = ahead.Take(format);
    encoded = early ? std::move(*early) : EncodeForFile(source, format);
  }
  ahead.Drop();
  if (encoded.empty() || !ReplaceFileWith(chosen.path, encoded)) {
    ReportSaveFailure(owner, chosen.path);
    return SaveOutcome::Failed;
  }
  return SaveOutcome::Saved;
}
