// The rod that a reference frame carries, drawn at the present time, with the
// worldlines of its ends (trace) and its projection onto the other frame's
// space axis (shadow).
#include "diagram/Thing.h"

#include "diagram/DiagramState.h"
#include "toolkit/Graphics.h"
#include "toolkit/Numeric.h"

namespace {

double D(int32_t n) { return static_cast<double>(n); }

}  // namespace

void Thing::Draw(Graphics& g) {
  if (!isVisible) return;

  const DiagramState& st = State();
  const int32_t ox = st.originX;
  const int32_t oy = st.originY;
  const int32_t h = st.canvasHeight;
  const int32_t now = st.currentTime;
  const double v = st.speed;
  const int32_t len = length;
  const int32_t p = position;

  const double c = Sqrt(1.0 - Pow(v, 2.0));
  const double k = v / c;

  g.SetPenWidth(2.0);
  g.SetForeColor(cl);

  if (index == st.viewIndex) {
    // The object of the frame at rest: a horizontal rod at the present time.
    int32_t x1 = 0;
    int32_t x2 = 0;
    if (p == 0) {
      x1 = SatSub(ox, len);
      x2 = ox;
    } else if (p == 1) {
      x1 = SatSub(ox, len / 2);
      x2 = SatAdd(ox, len / 2);
    } else if (p == 2) {
      x1 = ox;
      x2 = SatAdd(ox, len);
    } else {
      return;  // no such position
    }
    const int32_t y1 = SatSub(oy, now);
    const int32_t y2 = y1;

    g.DrawLine(D(x1), D(y1), D(x2), D(y2));
    g.SetPenWidth(1.0);

    // An end on the time axis has the axis as its worldline.
    if (hasTrace) {
      if (x1 != ox) g.DrawLine(D(x1), 0.0, D(x1), D(h));
      if (x2 != ox) g.DrawLine(D(x2), 0.0, D(x2), D(h));
    }

    if (hasShadow) {
      // Foot of the perpendicular from an end onto the moving frame's space
      // axis, the line through the origin in the screen direction (c, v).
      auto foot = [&](int32_t x, int32_t& sx, int32_t& sy) {
        const double q = D(x) - D(now) * k;
        const double a = (D(ox) - q) * c;
        sx = DoubleToInt32(D(ox) - Round(a * c));
        sy = DoubleToInt32(D(oy) - Round(a * v));
      };
      int32_t sx1 = 0, sy1 = 0, sx2 = 0, sy2 = 0;
      foot(x1, sx1, sy1);
      foot(x2, sx2, sy2);
      g.DrawLine(D(x1), D(y1), D(sx1), D(sy1));
      g.DrawLine(D(x2), D(y2), D(sx2), D(sy2));
      g.SetPenWidth(2.0);
      g.DrawLine(D(sx1), D(sy1), D(sx2), D(sy2));
    }
  }

  if (index != st.viewIndex) {
    // The object of the moving frame: along its tilted space axis, at the
    // point T pixels up its time axis, screen direction (v, -c).
    const double a = D(now) * v;
    const double b = D(now) * c;
    int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    if (p == 0) {
      x2 = DoubleToInt32(D(ox) + Round(a));
      y2 = DoubleToInt32(D(oy) - Round(b));
      x1 = DoubleToInt32(D(x2) - Round(D(len) * c));
      y1 = DoubleToInt32(D(y2) - Round(D(len) * v));
    } else if (p == 1) {
      x1 = DoubleToInt32(D(ox) + Round(a - (D(len) * c) / 2.0));
      y1 = DoubleToInt32(D(oy) - Round(b + (D(len) * v) / 2.0));
      x2 = DoubleToInt32(D(ox) + Round(a + (D(len) * c) / 2.0));
      y2 = DoubleToInt32(D(oy) - Round(b - (D(len) * v) / 2.0));
    } else if (p == 2) {
      x1 = DoubleToInt32(D(ox) + Round(a));
      y1 = DoubleToInt32(D(oy) - Round(b));
      x2 = DoubleToInt32(D(x1) + Round(D(len) * c));
      y2 = DoubleToInt32(D(y1) + Round(D(len) * v));
    } else {
      return;  // no such position
    }

    g.DrawLine(D(x1), D(y1), D(x2), D(y2));

    // Worldlines of the ends, 1000 pixels each way along the time direction;
    // the end on the frame's time axis has the axis as its worldline.
    if (hasTrace) {
      g.SetPenWidth(1.0);
      const double i = 1000.0 * v;
      const double j = 1000.0 * c;
      if (p != 2) g.DrawLine(D(x1) + Round(i), D(y1) - Round(j), D(x1) - Round(i), D(y1) + Round(j));
      if (p != 0) g.DrawLine(D(x2) + Round(i), D(y2) - Round(j), D(x2) - Round(i), D(y2) + Round(j));
    }

    // Projection onto the resting frame's space axis, the line y = Oy.
    if (hasShadow) {
      g.SetPenWidth(1.0);
      g.DrawLine(D(x1), D(y1), D(x1), D(oy));
      g.DrawLine(D(x2), D(y2), D(x2), D(oy));
      g.SetPenWidth(2.0);
      g.DrawLine(D(x1), D(oy), D(x2), D(oy));
    }
  }
}
