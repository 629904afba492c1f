// Rods in the frame at rest and in the moving frame, with traces, shadows and
// the pen widths they use.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "diagram/Thing.h"
#include "engine/EngineTestSupport.h"
#include "toolkit/Color.h"
#include "toolkit/Graphics.h"

namespace {

using enginetest::Line;
using enginetest::Lines;
using enginetest::PenWidths;
using Ls = std::vector<Line>;

class ThingTest : public enginetest::EngineTest {
 protected:
  // A visible rod with trace and shadow of the frame at rest (index 0 =
  // viewIndex) or of the moving frame (index 1).
  static Thing Rod(bool atRest, int32_t position, bool extras = true) {
    Thing t;
    t.index = atRest ? 0 : 1;
    t.cl = MakeColorRGBA(200, 0, 0, 0);
    t.position = position;
    t.isVisible = true;
    t.hasTrace = t.hasShadow = extras;
    return t;
  }
  static RecordingGraphics Draw(Thing t) {
    RecordingGraphics g;
    t.Draw(g);
    return g;
  }
};

TEST_F(ThingTest, RodOfTheFrameAtRest) {
  // Rod, traces of the ends off the axis, projecting lines, shadow.
  EXPECT_EQ(Lines(Draw(Rod(true, 2))), (Ls{{300, 328, 444, 328}, {444, 0, 444, 553}, {300, 328, 265, 374},
                                          {444, 328, 358, 443}, {265, 374, 358, 443}}));
  EXPECT_EQ(Lines(Draw(Rod(true, 0))), (Ls{{156, 328, 300, 328}, {156, 0, 156, 553}, {156, 328, 173, 305},
                                          {300, 328, 265, 374}, {173, 305, 265, 374}}));
  EXPECT_EQ(Lines(Draw(Rod(true, 1))), (Ls{{228, 328, 372, 328}, {228, 0, 228, 553}, {372, 0, 372, 553},
                                          {228, 328, 219, 340}, {372, 328, 312, 409}, {219, 340, 312, 409}}));
}

TEST_F(ThingTest, RodOfTheMovingFrame) {
  EXPECT_EQ(Lines(Draw(Rod(false, 0))), (Ls{{228, 256, 343, 342}, {828, -544, -372, 1056}, {228, 256, 228, 400},
                                           {343, 342, 343, 400}, {228, 400, 343, 400}}));
  const Ls centre = Lines(Draw(Rod(false, 1)));
  EXPECT_EQ(Ls(centre.begin(), centre.begin() + 3),
            (Ls{{286, 299, 401, 386}, {886, -501, -314, 1099}, {1001, -414, -199, 1186}}));
  const Ls left = Lines(Draw(Rod(false, 2)));
  EXPECT_EQ(Ls(left.begin(), left.begin() + 2), (Ls{{343, 342, 458, 428}, {1058, -372, -142, 1228}}));

  // The far end lies one rounded rod length from the rounded near end; rounded
  // from the origin in one step it would lie a pixel further right (p = 2) or
  // left (p = 0) at these times.
  State().currentTime = 74;
  EXPECT_EQ(Lines(Draw(Rod(false, 2)))[0], (Line{344, 341, 459, 427}));
  State().currentTime = 76;
  EXPECT_EQ(Lines(Draw(Rod(false, 0)))[0], (Line{231, 253, 346, 339}));
}

TEST_F(ThingTest, PenWidthsInOrder) {
  RecordingGraphics rest = Draw(Rod(true, 1));
  std::vector<double> used;
  for (const auto& c : rest.Calls(GraphicsCall::DrawLine)) {
    used.push_back(c.penWidth);
    EXPECT_EQ(c.color, MakeColorRGBA(200, 0, 0, 0));
  }
  EXPECT_EQ(used, (std::vector<double>{2, 1, 1, 1, 1, 2}));
  EXPECT_EQ(PenWidths(Draw(Rod(false, 1))), (std::vector<double>{2, 1, 1, 2}));
  // Plain rods: the resting one still drops to width 1, the moving one does not.
  EXPECT_EQ(PenWidths(Draw(Rod(true, 2, false))), (std::vector<double>{2, 1}));
  EXPECT_EQ(PenWidths(Draw(Rod(false, 2, false))), (std::vector<double>{2}));
}

TEST_F(ThingTest, InvisibleRodLeavesTheSurfaceUntouched) {
  Thing t = Rod(true, 1);
  t.isVisible = false;
  RecordingGraphics g;
  g.SetPenWidth(7.0);
  g.Clear();
  t.Draw(g);
  EXPECT_TRUE(g.Calls().empty()) << g.Dump();
  EXPECT_EQ(g.PenWidth(), 7.0);
}

TEST_F(ThingTest, SpeedTimeAndLengthVariants) {
  State().speed = -0.6;
  EXPECT_EQ(Lines(Draw(Rod(false, 0)))[0], (Line{142, 428, 257, 342}));
  EXPECT_EQ(Lines(Draw(Rod(true, 2)))[4], (Line{335, 374, 427, 305}));  // shadow feet

  State().speed = 0.6;
  State().currentTime = -100;
  Thing t = Rod(true, 1);
  t.length = 72;
  EXPECT_EQ(Lines(Draw(t))[0], (Line{264, 500, 336, 500}));

  // Odd lengths at the centre: a whole-number half at rest, an exact one moving.
  State().currentTime = 72;
  t.length = 145;
  EXPECT_EQ(Lines(Draw(t))[0], (Line{228, 328, 372, 328}));
  t.length = 1;
  EXPECT_EQ(Lines(Draw(t))[0], (Line{300, 328, 300, 328}));
  Thing m = Rod(false, 1);
  m.length = 1;
  EXPECT_EQ(Lines(Draw(m))[0], (Line{343, 342, 344, 343}));
}

TEST_F(ThingTest, SpeedZeroDrawsTheMovingRodUpright) {
  State().speed = 0.0;
  EXPECT_EQ(Lines(Draw(Rod(false, 0))), (Ls{{156, 328, 300, 328}, {156, -672, 156, 1328}, {156, 328, 156, 400},
                                           {300, 328, 300, 400}, {156, 400, 300, 400}}));
}

TEST_F(ThingTest, SpeedTypedNextToLightDrawsFiniteCoordinates) {
  State().speed = 0.9999999999999999;
  for (bool atRest : {true, false}) {
    for (int32_t p : {0, 1, 2}) {
      for (const Line& l : Lines(Draw(Rod(atRest, p))))
        EXPECT_TRUE(std::isfinite(l.x1 + l.y1 + l.x2 + l.y2)) << l;
    }
  }
  // The moving frame is then all but the light line: its rod stands upright.
  EXPECT_EQ(Lines(Draw(Rod(false, 0)))[0], (Line{372, 256, 372, 400}));
}

}  // namespace
