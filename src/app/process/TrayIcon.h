#pragma once
// The program's icon in the notification area, for as long as its owner lives. Clicks on it come
// to the owner window as kTrayCallbackMessage, the mouse message in lParam.

#include <windows.h>

#include <string>

constexpr UINT kTrayCallbackMessage = WM_APP + 1;
constexpr UINT kTrayIconId = 1;

class TrayIcon {
 public:
  TrayIcon() = default;
  ~TrayIcon();
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  // Shows the icon with its tooltip; false while the shell has no notification area to put it
  // in (it may come later: see TaskbarCreatedMessage).
  bool Show(HWND owner, HICON icon, const std::string& tooltip);
  // The shell restarted and lost every icon: shows it again.
  bool ShowAgain();
  void Remove();

 private:
  NOTIFYICONDATAW Data(UINT flags) const;

  HWND owner_ = nullptr;
  HICON icon_ = nullptr;
  std::wstring tooltip_;
};

// Broadcast by the shell when its taskbar is made anew (Explorer restarted).
UINT TaskbarCreatedMessage();
