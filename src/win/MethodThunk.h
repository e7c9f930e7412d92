#pragma once
// A 15-byte x86 stub that puts an object pointer in front of the arguments of a call and
// jumps on to a stdcall function, so that an object's handler can be used wherever Windows
// wants a plain callback such as a window procedure:
//
//   pop ecx; mov eax, object; push eax; push ecx; mov eax, method; jmp eax
//
// The stub lives in its own block of executable memory, owned by a MethodThunk.

#include <windows.h>

#include <array>
#include <cstdint>

class MethodThunk {
 public:
  static constexpr std::size_t kSize = 15;

  MethodThunk() = default;
  ~MethodThunk();
  MethodThunk(const MethodThunk&) = delete;
  MethodThunk& operator=(const MethodThunk&) = delete;

  // Writes a new stub for (object, method), freeing the previous one; callers must no longer
  // use the old address. Returns the new stub's address, or 0 when no memory was available.
  std::uintptr_t Build(std::uintptr_t object, std::uintptr_t method);
  // Address of the current stub; 0 before the first successful Build.
  std::uintptr_t Address() const { return reinterpret_cast<std::uintptr_t>(code_); }
  // The current stub's bytes (all zero when there is none).
  std::array<std::uint8_t, kSize> Bytes() const;

  // The machine code for (object, method), little-endian addresses in place.
  static std::array<std::uint8_t, kSize> Encode(std::uint32_t object, std::uint32_t method);

 private:
  void Release();

  void* code_ = nullptr;
};

// A window procedure that receives its object first. The stub pushes the object pointer and
// the function, being stdcall, removes it with the other arguments. WindowSubclass builds and
// owns the stub that serves one as a window procedure (WindowSubclass::MakeMethodThunk).
template <typename T>
using WindowMethod = LRESULT(CALLBACK*)(T* object, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The stub's address as a window procedure.
inline WNDPROC ThunkProcedure(std::uintptr_t address) { return reinterpret_cast<WNDPROC>(address); }
