#pragma once
// What the process holds of the system's limited resources: GDI objects, USER objects and
// private memory. Where the system's own counters are missing (Wine answers 0 to
// GetGuiResources and leaves PrivateUsage at 0) a stand-in is used and named, so a leak check
// says what it measured and never passes on counters that cannot move.

#include <cstdint>
#include <string>

struct ResourceLevels {
  std::int64_t gdiObjects = -1;    // -1: no way to count them here
  std::int64_t userObjects = -1;
  std::int64_t privateBytes = -1;
  // The blocks in use in the process's heaps: small leaks hide in memory that the heap keeps
  // committed after earlier frees, so they never show in the private figure.
  std::int64_t heapBytes = -1;
};

struct ResourceCounterInfo {
  std::string gdiSource;      // where the counts come from, or why there are none
  std::string userSource;
  std::string memorySource;
};

ResourceLevels MeasureResources();
// Which counters MeasureResources uses on this system (decided once, with a self-check).
const ResourceCounterInfo& ResourceCounters();
