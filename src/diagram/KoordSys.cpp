// A reference frame: time and space axes through the diagram origin, ticks and
// unit labels when the frame is at rest, and the captions where the axes
// leave the canvas.
#include "diagram/KoordSys.h"

#include <string>

#include "diagram/DiagramState.h"
#include "toolkit/Graphics.h"
#include "toolkit/Numeric.h"

namespace {

double D(int32_t n) { return static_cast<double>(n); }

// Ticks run from ten grid steps before the origin to ten after it.
constexpr int32_t kTickSteps = 10;

}  // namespace

void KoordSys::Draw(Graphics& g) {
  const DiagramState& st = State();
  const int32_t ox = st.originX;
  const int32_t oy = st.originY;
  const int32_t w = st.canvasWidth;
  const int32_t h = st.canvasHeight;

  g.SetPenWidth(2.0);
  g.SetForeColor(cl);
  g.SetTextFont("Arial");
  g.SetTextSize(10.0f);

  // Slope of the time axis; the tangent also places both captions.
  const double s = sinPhiTime;
  const double c = Sqrt(1.0 - Pow(s, 2.0));
  const double tan = s / c;

  // Time axis, 1000 pixels each way from the origin.
  const int32_t d = DoubleToInt32(Round(s * 1000.0));
  const int32_t e = DoubleToInt32(Round(c * 1000.0));
  g.DrawLine(D(SatSub(ox, d)), D(SatAdd(oy, e)), D(SatAdd(ox, d)), D(SatSub(oy, e)));

  // Space axis.
  const double s2 = sinPhiSpace;
  const double c2 = Sqrt(1.0 - Pow(s2, 2.0));
  const int32_t r = DoubleToInt32(Round(c2 * 1000.0));
  const int32_t t = DoubleToInt32(Round(s2 * 1000.0));
  g.DrawLine(D(SatSub(ox, r)), D(SatSub(oy, t)), D(SatAdd(ox, r)), D(SatAdd(oy, t)));

  // Time ticks and labels, only for an upright time axis (-0.0 included).
  if (sinPhiTime == 0.0) {
    for (int32_t i = -kTickSteps; i <= kTickSteps; ++i) {
      if (i == 0) continue;
      const int32_t y = SatAdd(oy, SatMul(kGridStep, i));
      g.DrawLine(D(SatSub(ox, 3)), D(y), D(SatAdd(ox, 3)), D(y));
      const std::string label = Int32ToText(SatMul(-i, st.timeScale), "") + st.timeUnit + " ";
      g.DrawString(label, D(SatAdd(ox, 6)), D(y), 0.0, false);
    }
  }

  // "Time" caption, 3 pixels right of where the time axis leaves the top edge,
  // moved to a side edge when that point lies off the canvas. An upright axis
  // never meets a side edge: its caption stays at the top.
  {
    int32_t x = DoubleToInt32((D(ox) + Round(tan * D(oy))) + 3.0);
    int32_t y = 8;
    if (x > SatSub(w, 30)) {
      x = SatSub(w, 30);
      if (tan == 0.0) {
        y = 8;
      } else {
        y = DoubleToInt32((D(oy) - Round(D(SatSub(w, ox)) / tan)) + 2.0);
      }
      if (y < 8) y = 8;
    }
    if (x < 2) {
      x = 2;
      if (tan == 0.0) {
        y = 8;
      } else {
        y = DoubleToInt32((D(oy) + Round(D(ox) / tan)) + 2.0);
      }
      if (y < 8) y = 8;
    }
    g.DrawString("Time", D(x), D(y), 0.0, false);
  }

  // Space ticks and labels, only for a horizontal space axis.
  if (sinPhiSpace == 0.0) {
    for (int32_t i = -kTickSteps; i <= kTickSteps; ++i) {
      if (i == 0) continue;
      const int32_t x = SatAdd(ox, SatMul(kGridStep, i));
      g.DrawLine(D(x), D(SatSub(oy, 3)), D(x), D(SatAdd(oy, 3)));
      const std::string label = Int32ToText(SatMul(i, st.spaceScale), "") + st.spaceUnit + " ";
      g.DrawString(label, D(x), D(SatAdd(oy, 14)), 0.0, false);
    }
  }

  // "Space" caption, 6 pixels above where the space axis leaves the right
  // edge, moved to the bottom or top edge when that point lies off the canvas.
  // A horizontal axis only ever leaves through the right edge, so its caption
  // keeps that x and no division by the zero tangent is made.
  {
    int32_t x = SatSub(w, 30);
    int32_t y = DoubleToInt32((D(oy) + Round(tan * D(SatSub(w, ox)))) - 6.0);
    if (y > SatSub(h, 1)) {
      y = SatSub(h, 1);
      if (tan != 0.0) x = DoubleToInt32(D(ox) + Round(D(SatSub(h, oy)) / tan));
      if (x > SatSub(w, 32)) x = SatSub(w, 32);
    }
    if (y < 8) {
      y = 8;
      if (tan != 0.0) x = DoubleToInt32(D(ox) - Round(D(oy) / tan));
      if (x > SatSub(w, 30)) x = SatSub(w, 30);
    }
    g.DrawString("Space", D(x), D(y), 0.0, false);
  }
}
