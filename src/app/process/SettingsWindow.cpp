#include "app/process/SettingsWindow.h"

#include <shlobj.h>

#include <algorithm>
#include <string>

#include "app/canvas/Resources.h"
#include "gx/GxText.h"
#include "output/ChooseSaveFile.h"
#include "settings/CurrentSettings.h"
#include "settings/FreeFileName.h"
#include "settings/QuickSaveFolder.h"
#include "settings/SettingsFile.h"
#include "win/FileDialogText.h"

namespace {

constexpr int kProbeHotKeyId = 0x7A11;
constexpr const wchar_t* kFormatNames[] = {L"PNG", L"BMP", L"JPEG", L"GIF"};

std::string ItemText(HWND dialog, int id) {
  HWND item = GetDlgItem(dialog, id);
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(item)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(item, text.data(), static_cast<int>(text.size()))));
  return WideToUtf8(text);
}

void SetItemText(HWND dialog, int id, const std::string& text) {
  SetDlgItemTextW(dialog, id, Utf8ToWide(text).c_str());
}

bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

// Whether another program holds the combination: ours is free to keep.
bool HeldElsewhere(HWND dialog, const HotKey& hotKey) {
  if (hotKey == CurrentSettings().captureHotKey) return false;
  if (!RegisterHotKey(dialog, kProbeHotKeyId, hotKey.modifiers, hotKey.key)) return true;
  UnregisterHotKey(dialog, kProbeHotKeyId);
  return false;
}

// The key as typed, or the one in use when the typed one is no key or is taken.
HotKey ChosenHotKey(HWND dialog) {
  const std::optional<HotKey> typed = ParseHotKey(ItemText(dialog, IDC_SETTINGS_HOTKEY));
  if (!typed || HeldElsewhere(dialog, *typed)) return CurrentSettings().captureHotKey;
  return *typed;
}

void ShowHotKeyState(HWND dialog) {
  const std::optional<HotKey> typed = ParseHotKey(ItemText(dialog, IDC_SETTINGS_HOTKEY));
  const std::string kept = "，仍使用 " + HotKeyText(CurrentSettings().captureHotKey);
  std::string state;
  if (!typed) {
    state = "不是可用的组合键（例如 Ctrl+Alt+A）" + kept;
  } else if (HeldElsewhere(dialog, *typed)) {
    state = "已被其他程序占用" + kept;
  }
  SetItemText(dialog, IDC_SETTINGS_HOTKEY_STATE, state);
}

ImageFormat ChosenFormat(HWND dialog) {
  const LRESULT index = SendDlgItemMessageW(dialog, IDC_SETTINGS_FORMAT, CB_GETCURSEL, 0, 0);
  return index >= 0 && index < 4 ? static_cast<ImageFormat>(index + 1) : ImageFormat::Png;
}

std::string ChosenPattern(HWND dialog) {
  const std::string pattern = ItemText(dialog, IDC_SETTINGS_PATTERN);
  return IsValidNamePattern(pattern) ? pattern : CurrentSettings().namePattern;
}

Settings ChosenSettings(HWND dialog) {
  Settings chosen = CurrentSettings();
  chosen.captureHotKey = ChosenHotKey(dialog);
  chosen.quickSaveFolder = ItemText(dialog, IDC_SETTINGS_FOLDER);
  chosen.namePattern = ChosenPattern(dialog);
  chosen.quickSaveFormat = ChosenFormat(dialog);
  BOOL read = FALSE;
  const UINT quality = GetDlgItemInt(dialog, IDC_SETTINGS_QUALITY, &read, FALSE);
  if (read) chosen.jpegQuality = std::clamp(static_cast<int>(quality), 1, 100);
  chosen.copyWhenSaving = Checked(dialog, IDC_SETTINGS_COPY);
  chosen.showMagnifier = Checked(dialog, IDC_SETTINGS_MAGNIFIER);
  return chosen;
}

// The name the next quick save would take, with the settings as they stand in the window.
void ShowPreview(HWND dialog) {
  const std::string pattern = ItemText(dialog, IDC_SETTINGS_PATTERN);
  if (!IsValidNamePattern(pattern)) {
    SetItemText(dialog, IDC_SETTINGS_PREVIEW, "文件名无效，仍使用 " + CurrentSettings().namePattern);
    return;
  }
  Settings chosen = ChosenSettings(dialog);
  SYSTEMTIME now;
  GetLocalTime(&now);
  const std::string extension = FilterExtension(kSaveFilter, static_cast<int>(chosen.quickSaveFormat));
  const std::string path = NextFreeName(QuickSaveFolder(chosen), pattern, now, extension);
  SetItemText(dialog, IDC_SETTINGS_PREVIEW, "下一个文件：" + path.substr(path.find_last_of('\\') + 1));
}

// Characters no file name may hold are refused as they are typed.
void RefuseBadCharacters(HWND dialog) {
  const std::wstring typed = Utf8ToWide(ItemText(dialog, IDC_SETTINGS_PATTERN));
  std::wstring kept;
  for (wchar_t c : typed)
    if (c >= 32 && !std::wcschr(L"\\/:*?\"<>|", c)) kept += c;
  if (kept == typed) return;
  MessageBeep(MB_ICONWARNING);
  HWND field = GetDlgItem(dialog, IDC_SETTINGS_PATTERN);
  DWORD caret = 0;
  SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&caret), 0);
  SetWindowTextW(field, kept.c_str());
  caret = static_cast<DWORD>(std::min<size_t>(caret > 0 ? caret - (typed.size() - kept.size()) : 0, kept.size()));
  SendMessageW(field, EM_SETSEL, caret, caret);
}

void Browse(HWND dialog) {
  BROWSEINFOW info{};
  info.hwndOwner = dialog;
  info.lpszTitle = L"选择快速保存的文件夹";
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
  if (!chosen) return;
  wchar_t path[MAX_PATH] = {};
  if (SHGetPathFromIDListW(chosen, path)) SetDlgItemTextW(dialog, IDC_SETTINGS_FOLDER, path);
  CoTaskMemFree(chosen);
}

void Fill(HWND dialog) {
  const Settings& settings = CurrentSettings();
  SetItemText(dialog, IDC_SETTINGS_HOTKEY, HotKeyText(settings.captureHotKey));
  SetItemText(dialog, IDC_SETTINGS_FOLDER, QuickSaveFolder(settings));
  SetItemText(dialog, IDC_SETTINGS_PATTERN, settings.namePattern);
  for (const wchar_t* name : kFormatNames)
    SendDlgItemMessageW(dialog, IDC_SETTINGS_FORMAT, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  SendDlgItemMessageW(dialog, IDC_SETTINGS_FORMAT, CB_SETCURSEL, static_cast<int>(settings.quickSaveFormat) - 1, 0);
  SetDlgItemInt(dialog, IDC_SETTINGS_QUALITY, static_cast<UINT>(settings.jpegQuality), FALSE);
  CheckDlgButton(dialog, IDC_SETTINGS_COPY, settings.copyWhenSaving ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, IDC_SETTINGS_MAGNIFIER, settings.showMagnifier ? BST_CHECKED : BST_UNCHECKED);
  ShowHotKeyState(dialog);
  ShowPreview(dialog);
}

// OK: written whole when something changed; a failed write keeps the window open.
void Accept(HWND dialog) {
  Settings chosen = ChosenSettings(dialog);
  // The folder shown by default is the default: it is kept as "none chosen", following Pictures.
  if (chosen.quickSaveFolder == QuickSaveFolder(Settings())) chosen.quickSaveFolder.clear();
  if (chosen == CurrentSettings()) {
    EndDialog(dialog, FALSE);
    return;
  }
  if (!SaveSettings(chosen)) {
    MessageBoxW(dialog, Utf8ToWide("无法保存设置到：\r\n" + SettingsPath()).c_str(), L"设置", MB_OK | MB_ICONWARNING);
    return;
  }
  UseSettings(chosen);
  EndDialog(dialog, TRUE);
}

void OnCommand(HWND dialog, int id, int code) {
  switch (id) {
    case IDOK: Accept(dialog); break;
    case IDCANCEL: EndDialog(dialog, FALSE); break;
    case IDC_SETTINGS_BROWSE: Browse(dialog); break;
    case IDC_SETTINGS_HOTKEY:
      if (code == EN_CHANGE) ShowHotKeyState(dialog);
      break;
    case IDC_SETTINGS_PATTERN:
      if (code != EN_CHANGE) break;
      RefuseBadCharacters(dialog);
      ShowPreview(dialog);
      break;
    case IDC_SETTINGS_FOLDER:
    case IDC_SETTINGS_FORMAT:
      if (code == EN_CHANGE || code == CBN_SELCHANGE) ShowPreview(dialog);
      break;
    default: break;
  }
}

INT_PTR CALLBACK SettingsProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: Fill(dialog); return TRUE;
    case WM_COMMAND: OnCommand(dialog, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    default: return FALSE;
  }
}

}  // namespace

bool ShowSettingsWindow(HWND owner) {
  return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SETTINGS), owner, SettingsProcedure, 0) ==
         TRUE;
}
