#include "MemoryMonitor.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>

MemoryMonitor::MemoryMonitor() : thread_([this] {
  while (!stop_) {
    Sample();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}) {}

MemoryMonitor::~MemoryMonitor() {
  stop_ = true;
  thread_.join();
}

void MemoryMonitor::Sample() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
  // Wine leaves PrivateUsage at zero and reports private memory as PagefileUsage.
  const double mb = static_cast<double>(std::max(counters.PrivateUsage, counters.PagefileUsage)) / (1024.0 * 1024.0);
  if (mb > peakMb_) peakMb_ = mb;
}
