#include "app/process/TrayMenu.h"

#include "gx/GxText.h"
#include "gx/UniqueHandle.h"

namespace {

void AddItem(HMENU menu, TrayChoice choice, const std::string& text, UINT flags = 0) {
  AppendMenuW(menu, MF_STRING | flags, static_cast<UINT_PTR>(choice), Utf8ToWide(text).c_str());
}

}  // namespace

TrayChoice ChooseFromTrayMenu(HWND owner, POINT at, const std::string& hotKey, bool startsWithWindows) {
  MenuHandle menu(CreatePopupMenu());
  if (!menu) return TrayChoice::Nothing;
  AddItem(menu.get(), TrayChoice::Capture, hotKey.empty() ? "截图" : "截图\t" + hotKey, MF_DEFAULT);
  AddItem(menu.get(), TrayChoice::DelayedCapture, "延时截图 (3 秒)");
  AddItem(menu.get(), TrayChoice::ShowMainWindow, "显示主窗口");
  AddItem(menu.get(), TrayChoice::Settings, "设置…");
  AddItem(menu.get(), TrayChoice::StartWithWindows, "开机启动", startsWithWindows ? MF_CHECKED : 0);
  AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
  AddItem(menu.get(), TrayChoice::Exit, "退出");
  // Without the foreground the menu would stay open when the user clicks elsewhere, and the
  // message after it lets the next click reach the menu it opens.
  SetForegroundWindow(owner);
  const UINT chosen = TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x, at.y, 0,
                                     owner, nullptr);
  PostMessageW(owner, WM_NULL, 0, 0);
  return chosen == 0 ? TrayChoice::Nothing : static_cast<TrayChoice>(chosen);
}
