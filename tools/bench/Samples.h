#pragma once
// Timings of one kind of step, in milliseconds from QueryPerformanceCounter.

#include <cstddef>
#include <vector>

double NowMs();

class Samples {
 public:
  void Add(double ms) { values_.push_back(ms); }
  std::size_t Count() const { return values_.size(); }
  double Median() const { return Percentile(50); }
  // Nearest-rank percentile: the smallest value that at least p % of the samples do not exceed.
  double Percentile(double p) const;

 private:
  std::vector<double> values_;
};

// Times one call.
template <typename Step>
double TimeMs(Step&& step) {
  const double start = NowMs();
  step();
  return NowMs() - start;
}
