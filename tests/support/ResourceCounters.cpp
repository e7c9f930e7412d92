#include "support/ResourceCounters.h"

#include "support/ProcessHandles.h"

#include <windows.h>
#include <psapi.h>
#include <winternl.h>

namespace {

PROCESS_MEMORY_COUNTERS_EX MemoryCounters() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                            sizeof counters))
    counters = PROCESS_MEMORY_COUNTERS_EX{};
  return counters;
}

std::int64_t HeapBytesInUse(HANDLE heap) {
  if (!HeapLock(heap)) return -1;
  std::int64_t used = 0;
  PROCESS_HEAP_ENTRY entry{};
  while (HeapWalk(heap, &entry))
    if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) used += entry.cbData;
  const bool complete = GetLastError() == ERROR_NO_MORE_ITEMS;
  HeapUnlock(heap);
  return complete ? used : -1;
}

std::int64_t HeapBytesInUse() {
  HANDLE heaps[256];
  const DWORD count = GetProcessHeaps(256, heaps);
  if (count == 0 || count > 256) return -1;
  std::int64_t total = 0;
  for (DWORD i = 0; i < count; ++i) {
    const std::int64_t used = HeapBytesInUse(heaps[i]);
    if (used < 0) return -1;
    total += used;
  }
  return total;
}

enum class Source { System, Stand_in, None };

struct Choice {
  Source gdi = Source::None, user = Source::None, memory = Source::None;
  ResourceCounterInfo info;
};

const Choice& Chosen() {
  static const Choice choice = [] {
    Choice c;
    HANDLE self = GetCurrentProcess();
    // Every process with a window holds some GDI and USER objects: 0 means "not counted".
    if (GetGuiResources(self, GR_GDIOBJECTS) > 0) {
      c.gdi = Source::System;
      c.info.gdiSource = "GetGuiResources(GR_GDIOBJECTS)";
    } else if (WineGdiTableWorks()) {
      c.gdi = Source::Stand_in;
      c.info.gdiSource = "GetGuiResources gives 0; counted in Wine's GDI handle table instead";
    } else {
      c.info.gdiSource = "not available: GetGuiResources gives 0 and no handle table could be read";
    }
    if (GetGuiResources(self, GR_USEROBJECTS) > 0) {
      c.user = Source::System;
      c.info.userSource = "GetGuiResources(GR_USEROBJECTS)";
    } else {
      c.user = Source::Stand_in;
      c.info.userSource = "GetGuiResources gives 0; counting this process's windows instead (other USER objects unseen)";
    }
    const PROCESS_MEMORY_COUNTERS_EX memory = MemoryCounters();
    if (memory.PrivateUsage > 0) {
      c.memory = Source::System;
      c.info.memorySource = "PrivateUsage";
    } else if (memory.PagefileUsage > 0) {
      c.memory = Source::Stand_in;
      c.info.memorySource = "PrivateUsage gives 0; PagefileUsage (the commit charge; anonymous resident memory on Wine) instead";
    } else {
      c.info.memorySource = "not available: GetProcessMemoryInfo gives no private memory figure";
    }
    return c;
  }();
  return choice;
}

}  // namespace

const ResourceCounterInfo& ResourceCounters() { return Chosen().info; }

ResourceLevels MeasureResources() {
  const Choice& choice = Chosen();
  HANDLE self = GetCurrentProcess();
  ResourceLevels levels;
  if (choice.gdi == Source::System) levels.gdiObjects = GetGuiResources(self, GR_GDIOBJECTS);
  if (choice.gdi == Source::Stand_in) levels.gdiObjects = CountWineGdiHandles(GetCurrentProcess());
  if (choice.user == Source::System) levels.userObjects = GetGuiResources(self, GR_USEROBJECTS);
  if (choice.user == Source::Stand_in) levels.userObjects = CountProcessWindows(GetCurrentProcessId());
  const PROCESS_MEMORY_COUNTERS_EX memory = MemoryCounters();
  if (choice.memory == Source::System) levels.privateBytes = static_cast<std::int64_t>(memory.PrivateUsage);
  if (choice.memory == Source::Stand_in) levels.privateBytes = static_cast<std::int64_t>(memory.PagefileUsage);
  levels.heapBytes = HeapBytesInUse();
  return levels;
}
