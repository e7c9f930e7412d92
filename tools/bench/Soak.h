#pragma once
// A long run of whole captures through the overlay's real window procedure: open, draw, every
// annotation tool, undo, redo, and one of the endings (finish, save, cancel, reselect, Alt+F4).
// Every `every` captures it notes what the process holds, so that a leak shows as a count that
// grows with the number of captures.

#include <cstdint>
#include <string>
#include <vector>

struct SoakRow {
  int captures = 0;                 // done when the row was taken
  std::int64_t gdiObjects = -1;     // -1: not countable here
  std::int64_t userObjects = -1;
  std::int64_t handles = -1;
  std::int64_t threads = -1;
  double privateMb = -1;
  double msPerCapture = 0;          // mean over the captures since the last row
};

struct SoakResults {
  std::vector<SoakRow> rows;
  std::string gdiSource, userSource, memorySource;
  int failures = 0;                 // captures that did not end the way they were driven to
};

SoakResults RunSoak(int captures, int every, const std::string& saveDir);
std::string SoakJson(int width, int height, const SoakResults& results);
void PrintSoak(const SoakResults& results);
