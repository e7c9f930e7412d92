#pragma once
// The scripted interaction the benchmark times: every message goes through the overlay's real
// window procedure, with the cursor fixed where the message says it is.

#include <string>
#include <vector>

#include "Samples.h"

struct Step {
  std::string key;    // stable name in the JSON
  std::string label;  // what the table says
  Samples ms;
  // For the moves: each message's time less the time spent inside the platform's push, and the
  // pixels pushed.
  Samples ownMs, pushedPixels;
};

struct BenchResults {
  std::vector<Step> steps;
  double peakPrivateMb = 0;  // the most private memory the process held during the run
};

struct ScenarioOptions {
  int moves = 40;        // mouse moves timed per kind of move
  int repeats = 5;       // opens, finishes and saves timed
  std::string saveDir;   // where the save step writes its files
};

// Opens the overlay over a synthetic screen of the real screen's size and times each step.
BenchResults RunScenario(const ScenarioOptions& options);
