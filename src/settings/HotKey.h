#pragma once
// The key combination that starts a capture, and its text as the user reads and types it:
// "Ctrl+Alt+A", "Ctrl+Shift+F12", "PrintScreen".

#include <windows.h>

#include <optional>
#include <string>

struct HotKey {
  UINT modifiers = MOD_CONTROL | MOD_ALT;  // MOD_CONTROL, MOD_ALT, MOD_SHIFT, MOD_WIN as RegisterHotKey takes them
  UINT key = 'A';                          // the virtual key
  bool operator==(const HotKey& other) const { return modifiers == other.modifiers && key == other.key; }
  bool operator!=(const HotKey& other) const { return !(*this == other); }
};

// Modifiers from Ctrl, Alt, Shift, Win (any order, any case, each once) joined by "+" to one key:
// a letter, a digit, F1 to F24 or a named key (Space, Insert, Delete, Home, End, PageUp, PageDown,
// Left, Up, Right, Down, PrintScreen, Pause). A key that types something or moves the caret needs
// Ctrl, Alt or Win, or every program would lose it while this one runs. Nothing for anything else.
std::optional<HotKey> ParseHotKey(const std::string& text);

// The canonical text: modifiers in the order Ctrl, Alt, Shift, Win, then the key. Empty for a
// combination ParseHotKey would refuse.
std::string HotKeyText(const HotKey& hotKey);
