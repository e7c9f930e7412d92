#include "support/ProcessHandles.h"

#include <winternl.h>

#include <cstdint>
#include <vector>

namespace {

// One row of Wine's GDI handle table, which the process's PEB points at.
#pragma pack(push, 1)
struct WineGdiHandleEntry {
  std::uint64_t object;
  std::uint32_t owner;
  std::uint16_t unique;
  std::uint8_t type;
  std::uint8_t flags;
  std::uint64_t userPointer;
};
#pragma pack(pop)
static_assert(sizeof(WineGdiHandleEntry) == 24, "Wine's GDI handle entry is 24 bytes");
constexpr int kWineGdiHandleCount = 0x10000;
constexpr std::size_t kPebGdiSharedHandleTable = sizeof(void*) == 8 ? 0xF8 : 0x94;

}  // namespace

long long CountWineGdiHandles(HANDLE process) {
  using QueryProcess = NTSTATUS(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
  const auto query = reinterpret_cast<QueryProcess>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
  PROCESS_BASIC_INFORMATION basic{};
  if (!query || query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0 || !basic.PebBaseAddress)
    return -1;
  const void* table = nullptr;
  SIZE_T read = 0;
  if (!ReadProcessMemory(process, reinterpret_cast<const BYTE*>(basic.PebBaseAddress) + kPebGdiSharedHandleTable,
                         &table, sizeof table, &read) ||
      !table)
    return -1;
  std::vector<WineGdiHandleEntry> rows(kWineGdiHandleCount);
  if (!ReadProcessMemory(process, table, rows.data(), rows.size() * sizeof rows[0], &read) ||
      read != rows.size() * sizeof rows[0])
    return -1;
  long long used = 0;
  for (const WineGdiHandleEntry& row : rows) used += row.type != 0 && row.object != 0;
  return used;
}

bool WineGdiTableWorks() {
  constexpr int kProbes = 8;
  const long long before = CountWineGdiHandles(GetCurrentProcess());
  HBITMAP probes[kProbes];
  for (HBITMAP& probe : probes) probe = CreateBitmap(1, 1, 1, 32, nullptr);
  const long long during = CountWineGdiHandles(GetCurrentProcess());
  for (HBITMAP probe : probes) DeleteObject(probe);
  return before >= 0 && during == before + kProbes && CountWineGdiHandles(GetCurrentProcess()) == before;
}

namespace {

struct WindowCount {
  DWORD process;
  long long windows;
};

BOOL CALLBACK CountChild(HWND, LPARAM data) {
  ++reinterpret_cast<WindowCount*>(data)->windows;
  return TRUE;
}

BOOL CALLBACK CountOwnWindow(HWND window, LPARAM data) {
  auto* count = reinterpret_cast<WindowCount*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != count->process) return TRUE;
  ++count->windows;
  EnumChildWindows(window, CountChild, data);
  return TRUE;
}

}  // namespace

long long CountProcessWindows(DWORD processId) {
  WindowCount windows{processId, 0};
  EnumWindows(CountOwnWindow, reinterpret_cast<LPARAM>(&windows));
  return windows.windows;
}

HandleCounts CountHandles(DWORD processId) {
  HandleCounts counts;
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
  if (!process) return counts;
  counts.gdi = GetGuiResources(process, GR_GDIOBJECTS);
  counts.user = GetGuiResources(process, GR_USEROBJECTS);
  if (counts.gdi == 0) counts.gdi = WineGdiTableWorks() ? CountWineGdiHandles(process) : -1;
  if (counts.user == 0) counts.user = CountProcessWindows(processId);
  CloseHandle(process);
  return counts;
}
