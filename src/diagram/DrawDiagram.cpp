// The one drawing of the whole diagram: background, calibration circles, both
// frames and both objects, and for a picked meeting point the readouts and
// the construction with the points P, Q, R and S.
#include <string>

#include "diagram/Diagram.h"
#include "diagram/DiagramState.h"
#include "diagram/KoordSys.h"
#include "diagram/Thing.h"
#include "toolkit/Color.h"
#include "toolkit/Graphics.h"
#include "toolkit/Numeric.h"

namespace {

double D(int32_t n) { return static_cast<double>(n); }

// Readout text: the value in grid units of the scale, with its unit.
std::string Readout(double pixels, int32_t scale, const std::string& unit) {
  return FormatNumber(pixels * D(scale) / D(kGridStep), "-##.00") + unit;
}

// Where the picked meeting point M lies in both frames, and the points A
// (foot of M on the moving space axis) and K (height of A's time coordinate
// above the resting space axis) of the construction.
struct Meeting {
  double t = 0, x = 0, xr = 0, tr = 0;
  int32_t ax = 0, ay = 0;
  double d = 0;
  int32_t ky = 0;
};

Meeting ComputeMeeting(const DiagramState& st) {
  const double v = st.speed;
  const double c = Sqrt(1.0 - Pow(v, 2.0));
  Meeting m;
  m.t = D(SatSub(st.originY, st.meetingY));
  m.x = D(SatSub(st.meetingX, st.originX));
  m.xr = (m.x * c) - (m.t * v);
  m.tr = ((m.xr * v) + m.t) / c;
  m.ax = DoubleToInt32(D(st.originX) + Round(m.xr * c));
  m.ay = DoubleToInt32(D(st.originY) + Round(m.xr * v));
  m.d = Round(Sqrt(Pow(D(SatSub(st.meetingX, m.ax)), 2.0) + Pow(D(SatSub(st.meetingY, m.ay)), 2.0)));
  if (m.ay < st.meetingY) {
    m.ky = DoubleToInt32(D(st.originY) + m.d);
  } else {
    m.ky = DoubleToInt32(D(st.originY) - m.d);
  }
  return m;
}

// The readout's four values: where the meeting takes place and what the
// clocks there read, in the units of the current scale.
void SetReadoutValues(MeetingReadout& r, const DiagramState& st, const Meeting& m) {
  r.values[0] = Readout(m.x, st.spaceScale, st.spaceUnit);
  r.values[1] = Readout(m.tr, st.timeScale, st.timeUnit);
  r.values[2] = Readout(m.t, st.timeScale, st.timeUnit);
  r.values[3] = Readout(m.xr, st.spaceScale, st.spaceUnit);
}

void DrawLetter(Graphics& g, const char* letter, int32_t x, int32_t y) {
  g.DrawString(letter, D(SatAdd(x, 3)), D(SatSub(y, 1)), 0.0, false);
}

void DrawMeeting(Graphics& g, const DiagramState& st, DiagramControls& controls) {
  const int32_t mx = st.meetingX;
  const int32_t my = st.meetingY;
  const int32_t ox = st.originX;
  const int32_t oy = st.originY;
  const Color black = MakeColorRGBA(0, 0, 0, 0);
  const Color red = MakeColorRGBA(255, 0, 0, 0);

  const Meeting m = ComputeMeeting(st);
  MeetingReadout readout;

  if (st.viewIndex == 0) {
    readout.caption = "Black's view of the meeting of the red clock P with the black clock Q";
    readout.labels[0] = "the meeting takes place at my x-coordinate";
    readout.labels[1] = "all my clocks read then";
    readout.labels[2] = "that red clock reads then";
    readout.labels[3] = "that red clock's position in it's own system is";
    SetReadoutValues(readout, st, m);

    g.SetPenWidth(1.0);
    g.SetForeColor(black);
    g.DrawLine(D(mx), D(my), D(ox), D(my));
    g.DrawLine(D(mx), D(my), D(mx), D(oy));
    g.DrawLine(D(mx), D(m.ky), D(ox), D(m.ky));
    g.DrawLine(D(mx), D(m.ky), D(mx), D(oy));
    DrawLetter(g, "Q", mx, m.ky);
    DrawLetter(g, "S", mx, oy);

    g.SetForeColor(red);
    g.DrawLine(D(mx), D(my), D(m.ax), D(m.ay));
    DrawLetter(g, "R", m.ax, m.ay);
    DrawLetter(g, "P", mx, my);
  }

  if (st.viewIndex == 1) {
    readout.caption = "Red's view of the meeting of the black clock Q with the red clock P";
    readout.labels[0] = "the meeting takes place at my x-coordinate";
    readout.labels[1] = "all my clocks read then";
    readout.labels[2] = "that black clock reads then";
    readout.labels[3] = "that black clock's position in it's own system is";
    SetReadoutValues(readout, st, m);

    g.SetPenWidth(1.0);
    g.SetForeColor(red);
    g.DrawLine(D(mx), D(my), D(mx), D(oy));
    g.DrawLine(D(mx), D(my), D(ox), D(my));
    g.DrawLine(D(mx), D(oy), D(mx), D(m.ky));
    g.DrawLine(D(mx), D(m.ky), D(ox), D(m.ky));
    DrawLetter(g, "P", mx, m.ky);
    DrawLetter(g, "R", mx, oy);

    g.SetForeColor(black);
    g.DrawLine(D(mx), D(my), D(m.ax), D(m.ay));
    DrawLetter(g, "Q", mx, my);
    DrawLetter(g, "S", m.ax, m.ay);
  }

  controls.ShowMeeting(readout);
}

}  // namespace

void DrawDiagram(Graphics& g, DiagramControls& controls) {
  DiagramState& st = State();
  // Nothing to draw from until the main window has opened and set us up.
  if (!st.blackSys || !st.redSys || !st.blackThing || !st.redThing) return;

  const int32_t ox = st.originX;
  const int32_t oy = st.originY;
  const double v = st.speed;

  g.SetForeColor(MakeColorRGBA(255, 255, 255, 0));
  g.FillRect(0.0, 0.0, D(st.canvasWidth), D(st.canvasHeight));

  // The chosen observer's frame is at rest, the other one moves at speed.
  if (st.viewIndex == 0) {
    st.blackSys->sinPhiTime = 0.0;
    st.blackSys->sinPhiSpace = 0.0;
    st.redSys->sinPhiTime = v;
    st.redSys->sinPhiSpace = v;
  } else {
    st.blackSys->sinPhiTime = v;
    st.blackSys->sinPhiSpace = v;
    st.redSys->sinPhiTime = 0.0;
    st.redSys->sinPhiSpace = 0.0;
  }

  // The objects follow the object controls as they stand now.
  const RodControls black = controls.Rod(0);
  const RodControls red = controls.Rod(1);
  st.blackThing->isVisible = black.visible;
  st.blackThing->hasTrace = black.trace;
  st.blackThing->hasShadow = black.shadow;
  st.blackThing->length = SatMul(black.lengthSteps, 24);
  st.blackThing->position = black.position;
  st.redThing->isVisible = red.visible;
  st.redThing->hasTrace = red.trace;
  st.redThing->hasShadow = red.shadow;
  st.redThing->length = SatMul(red.lengthSteps, 24);
  st.redThing->position = red.position;

  // Calibration circles one grid step apart, in the pen width g came with.
  g.SetForeColor(MakeColorRGBA(220, 220, 220, 0));
  for (int32_t i = 1; i <= 10; ++i) {
    const int32_t r = SatMul(kGridStep, i);
    const int32_t size = SatMul(SatMul(2, i), kGridStep);
    g.DrawOval(D(SatSub(ox, r)), D(SatSub(oy, r)), D(size), D(size));
  }

  st.blackSys->Draw(g);
  st.redSys->Draw(g);
  st.blackThing->Draw(g);
  st.redThing->Draw(g);

  if (st.meetingPicked) DrawMeeting(g, st, controls);
}
