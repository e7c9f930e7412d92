#include "win/MethodThunk.h"

#include <cstring>

static_assert(sizeof(void*) == 4, "the stub is 32-bit x86 code");

namespace {

void PutAddress(std::uint8_t* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

MethodThunk::~MethodThunk() { Release(); }

void MethodThunk::Release() {
  if (code_) VirtualFree(code_, 0, MEM_RELEASE);
  code_ = nullptr;
}

std::array<std::uint8_t, MethodThunk::kSize> MethodThunk::Encode(std::uint32_t object, std::uint32_t method) {
  std::array<std::uint8_t, kSize> code{0x59,                    // pop ecx      (return address)
                                       0xB8, 0, 0, 0, 0,        // mov eax, object
                                       0x50,                    // push eax
                                       0x51,                    // push ecx
                                       0xB8, 0, 0, 0, 0,        // mov eax, method
                                       0xFF, 0xE0};             // jmp eax
  PutAddress(&code[2], object);
  PutAddress(&code[9], method);
  return code;
}

std::uintptr_t MethodThunk::Build(std::uintptr_t object, std::uintptr_t method) {
  Release();
  // Written while only writable, then made executable and read-only: the block is never
  // writable and executable at the same time.
  void* block = VirtualAlloc(nullptr, kSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (!block) return 0;
  const auto code = Encode(static_cast<std::uint32_t>(object), static_cast<std::uint32_t>(method));
  std::memcpy(block, code.data(), code.size());
  DWORD previous = 0;
  if (!VirtualProtect(block, kSize, PAGE_EXECUTE_READ, &previous)) {
    VirtualFree(block, 0, MEM_RELEASE);
    return 0;
  }
  FlushInstructionCache(GetCurrentProcess(), block, kSize);
  code_ = block;
  return Address();
}

std::array<std::uint8_t, MethodThunk::kSize> MethodThunk::Bytes() const {
  std::array<std::uint8_t, kSize> bytes{};
  if (code_) std::memcpy(bytes.data(), code_, kSize);
  return bytes;
}
