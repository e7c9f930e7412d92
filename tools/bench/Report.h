#pragma once
// One run's figures: a small text table for the terminal and JSON for scripts/bench to merge
// and compare.

#include <cstdio>
#include <string>

#include "Scenario.h"

struct RunInfo {
  int width = 0, height = 0;
  std::string mode;  // "full" or "damage"
};

void PrintTable(std::FILE* out, const RunInfo& run, const BenchResults& results);
std::string ToJson(const RunInfo& run, const BenchResults& results);
