#pragma once
// One reference frame, drawn as a time axis and a space axis through the
// diagram origin, turned by the angle whose sine is sinPhiTime.
#include "toolkit/Color.h"

class Graphics;

class KoordSys {
 public:
  virtual ~KoordSys() = default;
  virtual void Draw(Graphics& g);

  double sinPhiTime = 0.0;
  double sinPhiSpace = 0.0;
  Color cl{};
};
