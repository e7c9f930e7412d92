#pragma once
// One owner for every kind of system handle: what an empty handle looks like and how one is
// given back are the traits' business, the rest (moving, releasing, giving away) is shared.
//
//   struct FileTraits { using Handle = HANDLE; static Handle Empty() {...} static void Close(Handle) {...} };
//   using FileHandle = UniqueHandle<FileTraits>;

#include <windows.h>

#include <utility>

template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Traits::Empty(); }
  // Gives the handle away (to the clipboard, say): the owner no longer closes it.
  Handle release() { return std::exchange(handle_, Traits::Empty()); }
  void reset(Handle handle = Traits::Empty()) {
    const Handle old = std::exchange(handle_, handle);
    if (old != Traits::Empty()) Traits::Close(old);
  }

 private:
  Handle handle_ = Traits::Empty();
};

// A GDI object (bitmap, pen, region, font...): DeleteObject.
template <typename H>
struct GdiObjectTraits {
  using Handle = H;
  static Handle Empty() { return nullptr; }
  static void Close(Handle handle) { DeleteObject(handle); }
};
template <typename H>
using GdiObject = UniqueHandle<GdiObjectTraits<H>>;

// A kernel object opened with CreateFile: INVALID_HANDLE_VALUE when there is none.
struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle Empty() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle handle) { CloseHandle(handle); }
};
using FileHandle = UniqueHandle<FileHandleTraits>;

// A memory device context made with CreateCompatibleDC.
struct MemoryDCTraits {
  using Handle = HDC;
  static Handle Empty() { return nullptr; }
  static void Close(Handle handle) { DeleteDC(handle); }
};

// A kernel object whose "none" is null (a mutex, an event): CloseHandle.
struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle Empty() { return nullptr; }
  static void Close(Handle handle) { CloseHandle(handle); }
};
using KernelHandle = UniqueHandle<KernelHandleTraits>;

// A menu made with CreatePopupMenu and not attached to a window: DestroyMenu.
struct MenuHandleTraits {
  using Handle = HMENU;
  static Handle Empty() { return nullptr; }
  static void Close(Handle handle) { DestroyMenu(handle); }
};
using MenuHandle = UniqueHandle<MenuHandleTraits>;

// An open registry key: RegCloseKey.
struct RegistryKeyTraits {
  using Handle = HKEY;
  static Handle Empty() { return nullptr; }
  static void Close(Handle handle) { RegCloseKey(handle); }
};
using RegistryKey = UniqueHandle<RegistryKeyTraits>;
