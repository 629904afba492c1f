// Shared main of the test programs: widgets run offscreen unless a display is
// asked for explicitly.
#include <gtest/gtest.h>

#include <cstdlib>

#include "toolkit/Runtime.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  testing::InitGoogleTest(&argc, argv);
  RuntimeInit();
  return RUN_ALL_TESTS();
}
