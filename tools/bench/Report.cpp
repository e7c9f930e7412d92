#include "Report.h"

#include <sstream>

void PrintTable(std::FILE* out, const RunInfo& run, const BenchResults& results) {
  std::fprintf(out, "%d x %d, %s redraw\n", run.width, run.height, run.mode.c_str());
  std::fprintf(out, "  %-40s %10s %10s %5s\n", "step (ms)", "median", "p95", "n");
  for (const Step& step : results.steps)
    std::fprintf(out, "  %-40s %10.2f %10.2f %5u\n", step.label.c_str(), step.ms.Median(), step.ms.Percentile(95),
                 static_cast<unsigned>(step.ms.Count()));
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
         << ", \"p95\": " << step.ms.Percentile(95) << "}";
    separator = ",";
  }
  json << "\n]}\n";
  return json.str();
}
