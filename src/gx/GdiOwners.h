#pragma once
// Owners for the plain GDI objects the program makes for a moment: device contexts, bitmaps and
// pens, and an object selected into a DC (put back when the owner goes).

#include <windows.h>

#include "gx/UniqueHandle.h"

// The screen's device context, given back with ReleaseDC.
struct ScreenDCTraits {
  using Handle = HDC;
  static Handle Empty() { return nullptr; }
  static void Close(Handle handle) { ReleaseDC(nullptr, handle); }
};

class ScreenDC : public UniqueHandle<ScreenDCTraits> {
 public:
  ScreenDC() : UniqueHandle(GetDC(nullptr)) {}
};

class MemoryDC : public UniqueHandle<MemoryDCTraits> {
 public:
  explicit MemoryDC(HDC compatibleWith) : UniqueHandle(CreateCompatibleDC(compatibleWith)) {}
};

class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~Selection() {
    if (previous_) SelectObject(dc_, previous_);
  }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};
