#include "win/Tooltips.h"

#include <commctrl.h>

#include "gx/GxText.h"

namespace {

// The size that every version of the control takes, the one of Windows 7 without a manifest too.
TOOLINFOW Tool(HWND window, UINT id) {
  TOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = window;
  tool.uId = id;
  return tool;
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

Tooltips::~Tooltips() {
  if (control_) DestroyWindow(control_);
}

bool Tooltips::Make(HWND window) {
  if (control_) return true;
  static const bool registered = [] {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES};
    return InitCommonControlsEx(&classes) != FALSE;
  }();
  (void)registered;
  control_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  return control_ != nullptr;
}

void Tooltips::Place(HWND window, UINT id, const RECT& rect, const std::string& text) {
  const auto known = rects_.find(id);
  if (known != rects_.end() && SameRect(known->second, rect)) return;
  if (!Make(window)) return;
  TOOLINFOW tool = Tool(window, id);
  tool.rect = rect;
  if (known == rects_.end()) {
    std::wstring wide = Utf8ToWide(text);  // the control keeps a copy
    tool.uFlags = TTF_TRANSPARENT;
    tool.lpszText = &wide[0];
    if (!SendMessageW(control_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool))) return;
  } else {
    SendMessageW(control_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  rects_[id] = rect;
}

void Tooltips::Relay(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!control_) return;
  MSG relayed{window, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
  GetCursorPos(&relayed.pt);
  SendMessageW(control_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}
