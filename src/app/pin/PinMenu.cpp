#include "app/pin/PinMenu.h"

#include "gx/GxText.h"
#include "gx/UniqueHandle.h"

namespace {

struct MenuRow {
  PinAction action;
  const char* text;
};

constexpr MenuRow kRows[] = {
    {PinAction::Copy, "复制"},
    {PinAction::Save, "保存"},
    {PinAction::ResetZoom, "原始大小"},
    {PinAction::Close, "关闭"},
};

}  // namespace

PinAction ChoosePinAction(HWND owner, POINT at) {
  MenuHandle menu(CreatePopupMenu());
  if (!menu) return PinAction::None;
  for (const MenuRow& row : kRows) {
    if (row.action == PinAction::Close) AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu.get(), MF_STRING, static_cast<UINT_PTR>(row.action), Utf8ToWide(row.text).c_str());
  }
  // A menu whose owner is not in front stays open when the user clicks elsewhere.
  SetForegroundWindow(owner);
  const UINT chosen = static_cast<UINT>(
      TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, owner, nullptr));
  PostMessageW(owner, WM_NULL, 0, 0);
  return static_cast<PinAction>(chosen);
}
