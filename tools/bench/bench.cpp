// bench [--mode full|damage] [--moves N] [--repeats N] [--json FILE]
// bench --soak N [--every K] [--json FILE]
//
// Opens the capture overlay over a synthetic screen of the display's size and times each kind
// of interaction through the real message path (see Scenario.cpp). Prints a table; with --json
// also writes the figures for scripts/bench. With --soak, runs N whole captures instead and
// notes what the process holds every K (50) of them (see Soak.cpp).

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Report.h"
#include "Scenario.h"
#include "Soak.h"
#include "app/desktop/Desktop.h"
#include "app/canvas/RedrawMode.h"
#include "app/process/Startup.h"

namespace {

struct Arguments {
  std::string mode = "damage";
  std::string json;
  ScenarioOptions scenario;
  int soak = 0;  // captures; 0: the timed scenario
  int every = 50;
  bool ok = true;
};

Arguments Parse(int argc, char** argv) {
  Arguments args;
  for (int i = 1; i < argc; ++i) {
    const std::string name = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    if (!value) {
      args.ok = false;
    } else if (name == "--mode") {
      args.mode = value;
    } else if (name == "--json") {
      args.json = value;
    } else if (name == "--moves") {
      args.scenario.moves = std::atoi(value);
    } else if (name == "--repeats") {
      args.scenario.repeats = std::atoi(value);
    } else if (name == "--soak") {
      args.soak = std::atoi(value);
      if (args.soak < 1) args.ok = false;
    } else if (name == "--every") {
      args.every = std::atoi(value);
      if (args.every < 1) args.ok = false;
    } else {
      args.ok = false;
    }
    ++i;
  }
  if (args.mode != "full" && args.mode != "damage") args.ok = false;
  if (args.scenario.moves < 1 || args.scenario.repeats < 1) args.ok = false;
  return args;
}

std::string PrivateDirectory() {
  char base[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, base);
  const std::string path = std::string(base) + "screencut-bench-" + std::to_string(GetCurrentProcessId()) + "\\";
  CreateDirectoryA(path.c_str(), nullptr);
  return path;
}

bool WriteText(const std::string& path, const std::string& text) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return std::fclose(file) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
  Arguments args = Parse(argc, argv);
  if (!args.ok) {
    std::fprintf(stderr,
                 "usage: bench [--mode full|damage] [--moves N] [--repeats N] [--json FILE]\n"
                 "       bench --soak N [--every K] [--json FILE]\n");
    return 2;
  }
  if (!StartGdiplus()) {
    std::fprintf(stderr, "bench: GDI+ could not be started\n");
    return 1;
  }
  SetRedrawMode(args.mode == "full" ? RedrawMode::Full : RedrawMode::Damage);
  args.scenario.saveDir = PrivateDirectory();
  if (args.soak > 0) {
    const SoakResults soak = RunSoak(args.soak, args.every, args.scenario.saveDir);
    RemoveDirectoryA(args.scenario.saveDir.c_str());
    PrintSoak(soak);
    if (!args.json.empty() && !WriteText(args.json, SoakJson(ScreenWidth(), ScreenHeight(), soak))) {
      std::fprintf(stderr, "bench: cannot write %s\n", args.json.c_str());
      return 1;
    }
    return soak.failures == 0 ? 0 : 1;
  }
  const RunInfo run{ScreenWidth(), ScreenHeight(), args.mode};
  const BenchResults results = RunScenario(args.scenario);
  RemoveDirectoryA(args.scenario.saveDir.c_str());
  PrintTable(stdout, run, results);
  if (!args.json.empty() && !WriteText(args.json, ToJson(run, results))) {
    std::fprintf(stderr, "bench: cannot write %s\n", args.json.c_str());
    return 1;
  }
  return 0;
}
