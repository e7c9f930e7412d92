#include "gx/GdiplusApi.h"

#include <cstdint>
#include <cstring>

namespace {

HMODULE GdiplusLibrary() {
  static HMODULE library = LoadLibraryA("gdiplus.dll");
  return library;
}

// Wine exports the functions it has not written as stubs that end the process when called.
// Each stub is the same few instructions: after optional padding, room for two arguments, the
// address of its own name, the address of the library's name, and a call that never returns.
// A function recognised as one is treated as missing, so calling it gives NotImplemented.
bool IsUnimplementedStub(const void* entry, const char* name) {
  const auto* image = reinterpret_cast<const BYTE*>(GdiplusLibrary());
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(image + dos->e_lfanew);
  const BYTE* end = image + nt->OptionalHeader.SizeOfImage;
  const BYTE* code = static_cast<const BYTE*>(entry);
  const std::size_t stubSize = 16 + 20;  // padding, then the instructions below
  if (code < image || code + stubSize > end) return false;
  while (*code == 0x90 && code < static_cast<const BYTE*>(entry) + 16) ++code;  // nop padding
#ifdef _WIN64
  // sub rsp,40; lea rcx,[rip+library name]; lea rdx,[rip+own name]; call
  static const BYTE head[] = {0x48, 0x83, 0xEC, 0x28, 0x48, 0x8D, 0x0D};
  static const BYTE middle[] = {0x48, 0x8D, 0x15};
  if (std::memcmp(code, head, sizeof head) != 0 || std::memcmp(code + 11, middle, sizeof middle) != 0 ||
      code[18] != 0xE8)
    return false;
  std::int32_t offset = 0;
  std::memcpy(&offset, code + 14, sizeof offset);
  const BYTE* stubName = code + 18 + offset;
#else
  static const BYTE head[] = {0x83, 0xEC, 0x0C, 0xC7, 0x44, 0x24, 0x04};      // sub esp,12; mov [esp+4],
  static const BYTE middle[] = {0xC7, 0x04, 0x24};                             // mov [esp],
  if (std::memcmp(code, head, sizeof head) != 0 || std::memcmp(code + 11, middle, sizeof middle) != 0 ||
      code[18] != 0xE8)  // call
    return false;
  DWORD nameAddress = 0;
  std::memcpy(&nameAddress, code + 7, sizeof nameAddress);
  const auto* stubName = reinterpret_cast<const BYTE*>(static_cast<UINT_PTR>(nameAddress));
#endif
  const std::size_t nameSize = std::strlen(name) + 1;
  return stubName >= image && stubName + nameSize <= end && std::memcmp(stubName, name, nameSize) == 0;
}

template <typename Fn>
void Resolve(Fn& entry, const char* name) {
  FARPROC address = GetProcAddress(GdiplusLibrary(), name);
  if (address && IsUnimplementedStub(reinterpret_cast<const void*>(address), name)) address = nullptr;
  entry = reinterpret_cast<Fn>(reinterpret_cast<void*>(address));
}

}  // namespace

GdiplusApi& GdiplusEntries() {
  static GdiplusApi entries;
  return entries;
}

bool ResolveGdiplusStartup() {
  if (!GdiplusLibrary()) return false;
  Resolve(GdiplusEntries().GdiplusStartup, "GdiplusStartup");
  return GdiplusEntries().GdiplusStartup != nullptr;
}

void ResolveGdiplusEntries() {
  if (!GdiplusLibrary()) return;
  GdiplusApi& api = GdiplusEntries();
#define GX_RESOLVE_ENTRY(name) Resolve(api.name, #name);
  GX_GDIPLUS_FUNCTIONS(GX_RESOLVE_ENTRY)
#undef GX_RESOLVE_ENTRY
}

int CountMissingGdiplusEntries() {
  const GdiplusApi& api = GdiplusEntries();
  int missing = 0;
#define GX_COUNT_MISSING(name) missing += api.name == nullptr;
  GX_GDIPLUS_FUNCTIONS(GX_COUNT_MISSING)
#undef GX_COUNT_MISSING
  return missing;
}
