#include "Report.h"

#include <sstream>

namespace {

const Step* Find(const BenchResults& results, const std::string& key) {
  for (const Step& step : results.steps)
    if (step.key == key) return &step;
  return nullptr;
}

// Moves of the mouse are what the push floor bounds from below.
bool IsMove(const Step& step) { return step.label.rfind("move:", 0) == 0 || step.label.rfind("annotate:", 0) == 0; }

}  // namespace

void PrintTable(std::FILE* out, const RunInfo& run, const BenchResults& results) {
  const Step* floor = Find(results, "floor-push");
  const double floorMs = floor ? floor->ms.Median() : 0;
  std::fprintf(out, "%d x %d, %s redraw\n", run.width, run.height, run.mode.c_str());
  std::fprintf(out, "  %-40s %10s %10s %5s %12s %10s %12s\n", "step (ms)", "median", "p95", "n", "p95 / floor",
               "own p95", "pushed px");
  for (const Step& step : results.steps) {
    std::fprintf(out, "  %-40s %10.2f %10.2f %5u", step.label.c_str(), step.ms.Median(), step.ms.Percentile(95),
                 static_cast<unsigned>(step.ms.Count()));
    if (IsMove(step) && floorMs > 0) std::fprintf(out, " %11.2fx", step.ms.Percentile(95) / floorMs);
    if (step.ownMs.Count() > 0)
      std::fprintf(out, " %10.2f %12.0f", step.ownMs.Percentile(95), step.pushedPixels.Median());
    std::fprintf(out, "\n");
  }
  std::fprintf(out, "  %-40s %10.1f MB\n", "peak private memory", results.peakPrivateMb);
}

std::string ToJson(const RunInfo& run, const BenchResults& results) {
  std::ostringstream json;
  json.precision(4);
  json << std::fixed;
  json << "{\"width\": " << run.width << ", \"height\": " << run.height << ", \"mode\": \"" << run.mode
       << "\", \"peakPrivateMb\": " << results.peakPrivateMb << ", \"steps\": [";
  const char* separator = "";
  for (const Step& step : results.steps) {
    json << separator << "\n  {\"key\": \"" << step.key << "\", \"label\": \"" << step.label
         << "\", \"n\": " << step.ms.Count() << ", \"median\": " << step.ms.Median()
         << ", \"p95\": " << step.ms.Percentile(95);
    if (step.ownMs.Count() > 0)
      json << ", \"ownMedian\": " << step.ownMs.Median() << ", \"ownP95\": " << step.ownMs.Percentile(95)
           << ", \"pushedPixels\": " << step.pushedPixels.Median();
    json << "}";
    separator = ",";
  }
  json << "\n]}\n";
  return json.str();
}
