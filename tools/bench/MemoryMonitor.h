#pragma once
// The most private memory the process held while the monitor ran, sampled every few
// milliseconds on a thread of its own. The system's own peak figure cannot be used: Wine
// reports the current value as the peak.

#include <atomic>
#include <thread>

class MemoryMonitor {
 public:
  MemoryMonitor();
  ~MemoryMonitor();
  MemoryMonitor(const MemoryMonitor&) = delete;
  MemoryMonitor& operator=(const MemoryMonitor&) = delete;

  double PeakMb() const { return peakMb_; }

 private:
  void Sample();

  std::atomic<bool> stop_{false};
  std::atomic<double> peakMb_{0};
  std::thread thread_;
};
