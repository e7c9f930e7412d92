#include "app/input/SaveMenu.h"

#include "gx/UniqueHandle.h"

namespace {

void AddWay(HMENU menu, SaveWay way, const wchar_t* text) {
  AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(way), text);
}

}  // namespace

SaveWay ChooseSaveWay(HWND owner, POINT at) {
  MenuHandle menu(CreatePopupMenu());
  if (!menu) return SaveWay::Nothing;
  AddWay(menu.get(), SaveWay::Quick, L"快速保存\tCtrl+Shift+S");
  AddWay(menu.get(), SaveWay::As, L"另存为…\tCtrl+S");
  AddWay(menu.get(), SaveWay::OpenFolder, L"打开文件夹");
  AddWay(menu.get(), SaveWay::Pin, L"钉在屏幕上\tF3");
  const UINT chosen = TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTBUTTON, at.x, at.y, 0,
                                     owner, nullptr);
  return static_cast<SaveWay>(chosen);
}
