#pragma once
// The rod-shaped object that one reference frame carries, drawn at the
// present time with optional trace (worldlines of its ends) and shadow.
#include <cstdint>

#include "toolkit/Color.h"

class Graphics;

class Thing {
 public:
  virtual ~Thing() = default;
  virtual void Draw(Graphics& g);

  int32_t length = 144;
  int32_t position = 2;  // 0 right end, 1 centre, 2 left end on the time axis
  bool isVisible = false;
  bool hasShadow = false;
  bool hasTrace = false;
  Color cl{};
  int32_t index = 0;  // 0 black, 1 red
};
