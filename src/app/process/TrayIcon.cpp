#include "app/process/TrayIcon.h"

#include <shellapi.h>

#include <algorithm>
#include <cwchar>

#include "gx/GxText.h"

TrayIcon::~TrayIcon() { Remove(); }

NOTIFYICONDATAW TrayIcon::Data(UINT flags) const {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = owner_;
  data.uID = kTrayIconId;
  data.uFlags = flags;
  data.uCallbackMessage = kTrayCallbackMessage;
  data.hIcon = icon_;
  const std::size_t length = std::min(tooltip_.size(), std::size(data.szTip) - 1);
  std::wmemcpy(data.szTip, tooltip_.c_str(), length);
  return data;
}

bool TrayIcon::Show(HWND owner, HICON icon, const std::string& tooltip) {
  Remove();
  owner_ = owner;
  icon_ = icon;
  tooltip_ = Utf8ToWide(tooltip);
  return ShowAgain();
}

bool TrayIcon::ShowAgain() {
  if (!owner_) return false;
  NOTIFYICONDATAW data = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP);
  return Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
}

void TrayIcon::Remove() {
  if (!owner_) return;
  NOTIFYICONDATAW data = Data(0);
  Shell_NotifyIconW(NIM_DELETE, &data);
  owner_ = nullptr;
}

UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}
