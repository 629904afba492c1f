// Reference frames: axes, ticks, labels and the captions with their clamps at
// the canvas edges, on the recording surface and rendered into an image.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "diagram/KoordSys.h"
#include "engine/EngineTestSupport.h"
#include "toolkit/Color.h"
#include "toolkit/Graphics.h"

namespace {

using enginetest::Line;
using enginetest::Lines;
using enginetest::Text;
using enginetest::Texts;

class KoordSysTest : public enginetest::EngineTest {
 protected:
  static KoordSys Frame(double sine, Color cl = MakeColorRGBA(255, 0, 0, 0)) {
    KoordSys k;
    k.cl = cl;
    k.sinPhiTime = k.sinPhiSpace = sine;
    return k;
  }
  static RecordingGraphics Draw(double sine) {
    RecordingGraphics g;
    Frame(sine).Draw(g);
    return g;
  }
  // The two captions, "Time" then "Space".
  static std::vector<Text> Captions(const RecordingGraphics& g) {
    std::vector<Text> out;
    for (const Text& t : Texts(g))
      if (t.text == "Time" || t.text == "Space") out.push_back(t);
    return out;
  }
};

TEST_F(KoordSysTest, FrameAtRestDrawsAxesTicksLabelsAndCaptionsInOrder) {
  RecordingGraphics g = Draw(0.0);
  const auto& calls = g.Calls();
  ASSERT_EQ(calls.size(), 88u) << g.Dump();
  // Settings first; they stay in force on the surface afterwards.
  EXPECT_EQ(calls[0].kind, GraphicsCall::PenWidth);
  EXPECT_EQ(calls[1].color, MakeColorRGBA(255, 0, 0, 0));
  EXPECT_EQ(calls[2].text, "Arial");
  EXPECT_EQ(calls[3].kind, GraphicsCall::TextSize);
  EXPECT_EQ(g.PenWidth(), 2.0);
  EXPECT_EQ(g.TextFont(), "Arial");
  EXPECT_EQ(g.TextSize(), 10.0f);

  const std::vector<Line> lines = Lines(g);
  ASSERT_EQ(lines.size(), 42u);
  EXPECT_EQ(lines[0], (Line{300, 1400, 300, -600}));
  EXPECT_EQ(lines[1], (Line{-700, 400, 1300, 400}));
  EXPECT_EQ(lines[2], (Line{297, -320, 303, -320}));   // first time tick, 720 above
  EXPECT_EQ(lines[11], (Line{297, 328, 303, 328}));
  EXPECT_EQ(lines[12], (Line{297, 472, 303, 472}));    // no tick at the origin
  EXPECT_EQ(lines[22], (Line{-420, 397, -420, 403}));  // first space tick
  EXPECT_EQ(lines[41], (Line{1020, 397, 1020, 403}));

  const std::vector<Text> texts = Texts(g);
  ASSERT_EQ(texts.size(), 42u);
  EXPECT_EQ(texts[0], (Text{"100 ns ", 306, -320}));
  EXPECT_EQ(texts[9], (Text{"10 ns ", 306, 328}));
  EXPECT_EQ(texts[10], (Text{"-10 ns ", 306, 472}));
  EXPECT_EQ(texts[20], (Text{"Time", 303, 8}));
  EXPECT_EQ(texts[21], (Text{"-30 m ", -420, 414}));
  EXPECT_EQ(texts[31], (Text{"3 m ", 372, 414}));
  EXPECT_EQ(texts[41], (Text{"Space", 606, 394}));
  for (const auto& c : g.Calls(GraphicsCall::DrawString)) EXPECT_TRUE(c.value == 0.0 && !c.condense);
}

TEST_F(KoordSysTest, TurnedFramesPlaceTheirCaptionsAtTheEdges) {
  RecordingGraphics g = Draw(0.6);
  EXPECT_EQ(Lines(g), (std::vector<Line>{{-300, 1200, 900, -400}, {-500, -200, 1100, 1000}}));
  EXPECT_EQ(Texts(g), (std::vector<Text>{{"Time", 603, 8}, {"Space", 504, 552}}));  // bottom clamp

  EXPECT_EQ(Texts(Draw(-0.6)), (std::vector<Text>{{"Time", 3, 8}, {"Space", 606, 142}}));
  EXPECT_EQ(Texts(Draw(0.95)), (std::vector<Text>{{"Time", 606, 292}, {"Space", 350, 552}}));
  EXPECT_EQ(Texts(Draw(-0.95)), (std::vector<Text>{{"Time", 2, 303}, {"Space", 431, 8}}));

  // Dragged origins that bring the clamps' own margins into play: "Space" 32
  // from the right edge at the bottom, 30 at the top; "Time" at the right edge
  // no higher than 8.
  State().originX = 610;
  State().originY = 532;
  EXPECT_EQ(Captions(Draw(0.95))[1], (Text{"Space", 604, 552}));
  State().originX = 300;
  State().originY = 250;
  EXPECT_EQ(Captions(Draw(-0.6))[1], (Text{"Space", 606, 8}));
  State().originX = 310;
  State().originY = 400;
  EXPECT_EQ(Captions(Draw(0.6))[0], (Text{"Time", 606, 8}));
}

TEST_F(KoordSysTest, UprightAxisBeyondASideEdgeKeepsItsCaptionOnTop) {
  State().originX = 610;
  EXPECT_EQ(Captions(Draw(0.0))[0], (Text{"Time", 606, 8}));
  // Negative zero counts as at rest (ticks and labels) and divides nothing.
  RecordingGraphics g = Draw(-0.0);
  EXPECT_EQ(Captions(g)[0], (Text{"Time", 606, 8}));
  EXPECT_EQ(Texts(g).size(), 42u);
  State().originX = -10;
  EXPECT_EQ(Captions(Draw(-0.0))[0], (Text{"Time", 2, 8}));
}

TEST_F(KoordSysTest, LabelsCarryTheScaleAndUnitOfTheRow) {
  State().unitIndex = 9;
  SetUnits();
  std::vector<Text> texts = Texts(Draw(0.0));
  EXPECT_EQ(texts[0].text, "100 ms ");     // outermost above the origin
  EXPECT_EQ(texts[40].text, "30000 km ");  // outermost to the right
  State().unitIndex = 7;
  SetUnits();
  EXPECT_EQ(Texts(Draw(0.0))[0].text, "1000 us ");
}

TEST_F(KoordSysTest, ExtremeValuesSaturateInsteadOfOverflowing) {
  // A speed typed next to light: tan x Oy lies far beyond Int32, the
  // conversions saturate and the clamps bring the captions back.
  const double nearOne = 0.9999999999999999;
  RecordingGraphics g = Draw(nearOne);
  EXPECT_EQ(Lines(g), (std::vector<Line>{{-700, 400, 1300, 400}, {300, -600, 300, 1400}}));
  EXPECT_EQ(Texts(g), (std::vector<Text>{{"Time", 606, 402}, {"Space", 300, 552}}));
  EXPECT_EQ(Texts(Draw(-nearOne)), (std::vector<Text>{{"Time", 2, 402}, {"Space", 300, 8}}));

  // Int32 sums and products at the limits of the range.
  const int32_t max = std::numeric_limits<int32_t>::max(), min = std::numeric_limits<int32_t>::min();
  State().originX = max - 5;
  State().originY = min + 5;
  State().timeScale = max;
  RecordingGraphics h = Draw(0.0);
  const std::vector<Line> lines = Lines(h);
  EXPECT_EQ(lines[0], (Line{max - 5.0, min + 1005.0, max - 5.0, double(min)}));
  EXPECT_EQ(lines[41].x1, double(max));
  EXPECT_EQ(Texts(h)[0].text, std::to_string(max) + " ns ");
}

TEST_F(KoordSysTest, RenderedFramesColourTheirAxes) {
  Picture picture(636, 553);
  {
    auto g = picture.NewGraphics();
    g->SetForeColor(MakeColorRGBA(255, 255, 255, 0));
    g->FillRect(0, 0, 636, 553);
    Frame(0.0, MakeColorRGBA(0, 0, 0, 0)).Draw(*g);
    Frame(0.6).Draw(*g);
  }
  for (int32_t y : {20, 200, 520}) EXPECT_LT(picture.Pixel(300, y).red, 60) << y;  // black time axis
  EXPECT_LT(picture.Pixel(100, 400).green, 60);                                    // black space axis
  const Color red = picture.Pixel(450, 200);  // 250 pixels up the red time axis
  EXPECT_GT(red.red, 150);
  EXPECT_LT(red.green, 150);
  EXPECT_GT(picture.Pixel(200, 100).green, 240);  // white between the axes
}

}  // namespace
