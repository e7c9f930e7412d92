// Test entry: GDI+ and the process objects exist before any case runs, as in the program.

#include <gtest/gtest.h>

#include <cstdlib>

#include "app/process/Startup.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (!StartGdiplus()) {
    fprintf(stderr, "GDI+ could not be started\n");
    return 1;
  }
  return RUN_ALL_TESTS();
}
