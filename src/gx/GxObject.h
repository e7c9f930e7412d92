#pragma once
// The base of every GDI+ wrapper and the one rule they share: each flat call stores its status
// in LastStatus, and a wrapper owns at most one native object, which it never shares.

#include <cstddef>

#include "gx/GdiplusApi.h"
#include "gx/GxCallGuards.h"

// GDI+ Status of the most recent wrapper call on this thread (0 = Ok), like the system's last
// error: a save encodes on a thread of its own, whose calls must not overwrite what the window's
// thread is about to read. Meaningful only right after that call.
inline thread_local int LastStatus = 0;

enum GxStatus : int {
  GxOk = 0,
  GxGenericError = 1,
  GxInvalidParameter = 2,
  GxOutOfMemory = 3,
  GxNotImplemented = 6,
  GxValueOverflow = 11,
};

// Calls one flat-API entry, stores its status in LastStatus and returns it. An entry point
// that gdiplus.dll lacks fails with NotImplemented instead of crashing; a call on an empty
// wrapper fails with InvalidParameter and one with coordinates GDI+ cannot hold with
// ValueOverflow, as GDI+ answers them, without reaching GDI+ (see GxCallGuards.h).
template <auto Entry, typename... Args>
int Gdip(Args... args) {
  auto function = GdiplusEntries().*Entry;
  constexpr bool kPositionsWithoutCount = [] {
    using DriverString = decltype(&GdiplusApi::GdipDrawDriverString);
    if constexpr (std::is_same_v<decltype(Entry), DriverString>) return Entry == &GdiplusApi::GdipDrawDriverString;
    return false;
  }();
  if (!function) LastStatus = GxNotImplemented;
  else if (ActsOnNoObject(args...)) LastStatus = GxInvalidParameter;
  else if (!kPositionsWithoutCount && !GeometryFits(args...)) LastStatus = GxValueOverflow;
  else LastStatus = static_cast<int>(function(args...));
  return LastStatus;
}

// The same call reduced to the wrappers' boolean convention.
template <auto Entry, typename... Args>
bool GdipOk(Args... args) {
  return Gdip<Entry>(args...) == GxOk;
}

#define GDIP(name) &GdiplusApi::name

class GxObject {
 public:
  GxObject() = default;
  GxObject(const GxObject&) = delete;
  GxObject& operator=(const GxObject&) = delete;
  virtual ~GxObject() = default;

  void* GetNativeHandle() const { return handle_; }
  // Stores the handle and lets the class level see it; never releases a previous handle.
  void SetNativeHandle(void* handle) {
    handle_ = handle;
    AttachHandle(handle);
  }
  // Hook for a class that must react when its object changes; the handle itself lives here.
  virtual void AttachHandle(void* /*handle*/) {}

  // Scratch memory from GDI+'s own allocator.
  void* Alloc(std::size_t size) const;
  void Free(void* pointer) const;

 protected:
  template <typename T>
  T* Native() const { return static_cast<T*>(handle_); }
  // Address of the handle for creating calls, which write the new object there.
  template <typename T>
  T** NativeSlot() { return reinterpret_cast<T**>(&handle_); }

 private:
  void* handle_ = nullptr;
};

// Native handle of a wrapper argument; an empty wrapper (or none) passes null.
template <typename T>
T* NativeOf(const GxObject* object) {
  return object ? static_cast<T*>(object->GetNativeHandle()) : nullptr;
}
template <typename T>
T* NativeOf(const GxObject& object) {
  return static_cast<T*>(object.GetNativeHandle());
}
