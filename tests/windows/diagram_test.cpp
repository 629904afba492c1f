// Set-up and drawing of the whole diagram on the real main window: objects
// follow the controls, and a picked meeting point writes the readout group
// and draws the construction on top.
#include <QTest>

#include <sstream>
#include <string>
#include <vector>

#include "diagram/KoordSys.h"
#include "diagram/Thing.h"
#include "engine/EngineTestSupport.h"
#include "toolkit/Numeric.h"
#include "windows/MainWindowFixture.h"

namespace {

using enginetest::Line;
using enginetest::Lines;
using Strings = std::vector<std::string>;

Color Rgb(int r, int g, int b) { return MakeColorRGBA(r, g, b, 0); }

// The last n calls of the surface as short texts ("pen 1", "line 1,2 3,4" ...).
Strings Tail(const RecordingGraphics& g, size_t n) {
  const auto& calls = g.Calls();
  Strings out;
  for (size_t i = calls.size() - n; i < calls.size(); ++i) {
    const GraphicsCall& c = calls[i];
    std::ostringstream os;
    if (c.kind == GraphicsCall::PenWidth) os << "pen " << c.value;
    if (c.kind == GraphicsCall::ForeColor)
      os << "color " << int(c.color.red) << "," << int(c.color.green) << "," << int(c.color.blue);
    if (c.kind == GraphicsCall::DrawLine) os << "line " << c.a << "," << c.b << " " << c.c << "," << c.d;
    if (c.kind == GraphicsCall::DrawString) os << "text " << c.text << " " << c.a << "," << c.b;
    out.push_back(os.str());
  }
  return out;
}

size_t LinesIn(const RecordingGraphics& g, Color c) {
  size_t n = 0;
  for (const auto& call : g.Calls(GraphicsCall::DrawLine)) n += call.color == c;
  return n;
}

class DiagramTest : public MainWindowFixture {
 protected:
  RecordingGraphics PaintMeeting(int32_t x, int32_t y) {
    S().meetingPicked = true;
    S().meetingX = x;
    S().meetingY = y;
    return PaintCanvas();
  }
  Strings Readouts() {
    return {W().TextField2()->Text(), W().TextField3()->Text(), W().TextField4()->Text(), W().TextField5()->Text()};
  }
  Strings Labels() {
    return {W().StaticText7()->Text(), W().StaticText8()->Text(), W().StaticText9()->Text(),
            W().StaticText10()->Text()};
  }
};

TEST_F(DiagramTest, SetupCreatesFramesObjectsAndScales) {
  SetupDiagram();  // again, so that no paint has rewritten its values yet
  const DiagramState& s = S();
  EXPECT_EQ(std::to_string(s.spaceScale) + s.spaceUnit + std::to_string(s.timeScale) + s.timeUnit, "3 m10 ns");
  EXPECT_EQ(s.canvasWidth, 636);
  EXPECT_EQ(s.canvasHeight, 553);
  ASSERT_TRUE(s.blackSys && s.redSys && s.blackThing && s.redThing && s.pageSetup);
  EXPECT_EQ(s.blackSys->cl, Rgb(0, 0, 0));
  EXPECT_TRUE(s.blackSys->sinPhiTime == 0.0 && s.blackSys->sinPhiSpace == 0.0);
  EXPECT_EQ(s.redSys->cl, Rgb(255, 0, 0));
  EXPECT_TRUE(s.redSys->sinPhiTime == 0.6 && s.redSys->sinPhiSpace == 0.6);
  EXPECT_EQ(s.blackThing->cl, Rgb(100, 100, 100));
  EXPECT_EQ(s.blackThing->index, 0);
  EXPECT_EQ(s.blackThing->position, 2);
  EXPECT_EQ(s.redThing->cl, Rgb(200, 0, 0));
  EXPECT_EQ(s.redThing->index, 1);
  EXPECT_EQ(s.redThing->position, 0);
  for (const Thing* t : {s.blackThing.get(), s.redThing.get()}) {
    EXPECT_EQ(t->length, 144);
    EXPECT_FALSE(t->isVisible || t->hasShadow || t->hasTrace);
  }
}

TEST_F(DiagramTest, NothingIsDrawnBeforeSetup) {
  ReleaseDiagramGlobals();
  EXPECT_TRUE(PaintCanvas().Calls().empty());
}

TEST_F(DiagramTest, StartUpDiagram) {
  ASSERT_FALSE(W().CheckBox1()->Value() || W().CheckBox4()->Value());
  RecordingGraphics g = PaintCanvas();
  const auto& calls = g.Calls();
  ASSERT_GE(calls.size(), 13u);
  EXPECT_EQ(calls[0].color, Rgb(255, 255, 255));
  EXPECT_EQ(calls[1].kind, GraphicsCall::FillRect);
  EXPECT_EQ((Line{calls[1].a, calls[1].b, calls[1].c, calls[1].d}), (Line{0, 0, 636, 553}));
  EXPECT_EQ(calls[2].color, Rgb(220, 220, 220));
  for (int i = 1; i <= 10; ++i) {
    const GraphicsCall& oval = calls[2 + i];
    ASSERT_EQ(oval.kind, GraphicsCall::DrawOval);
    EXPECT_EQ((Line{oval.a, oval.b, oval.c, oval.d}), (Line{300.0 - 72 * i, 400.0 - 72 * i, 144.0 * i, 144.0 * i}));
    EXPECT_EQ(oval.penWidth, 1.0);  // the fresh surface's pen
  }
  // Black's view: black frame upright with its ticks, red frame turned, no rods.
  const std::vector<Line> lines = Lines(g);
  ASSERT_EQ(lines.size(), 44u);
  EXPECT_EQ(lines[0], (Line{300, 1400, 300, -600}));
  EXPECT_EQ(lines[42], (Line{-300, 1200, 900, -400}));
  EXPECT_EQ(LinesIn(g, Rgb(0, 0, 0)), 42u);
}

TEST_F(DiagramTest, ViewDecidesWhichFrameIsUpright) {
  S().viewIndex = 1;
  S().speed = -0.6;
  RecordingGraphics g = PaintCanvas();
  EXPECT_TRUE(S().blackSys->sinPhiTime == -0.6 && S().blackSys->sinPhiSpace == -0.6);
  EXPECT_TRUE(S().redSys->sinPhiTime == 0.0 && S().redSys->sinPhiSpace == 0.0);
  EXPECT_EQ(LinesIn(g, Rgb(255, 0, 0)), 42u);
  EXPECT_EQ(S().speed, -0.6);

  // Speed 0: both frames at rest, the red drawn over the black.
  S().speed = 0.0;
  RecordingGraphics h = PaintCanvas();
  EXPECT_EQ(LinesIn(h, Rgb(0, 0, 0)), 42u);
  EXPECT_EQ(LinesIn(h, Rgb(255, 0, 0)), 42u);
  EXPECT_EQ(Lines(h)[0], Lines(h)[42]);
}

TEST_F(DiagramTest, ObjectsFollowTheControlsOnEveryPaint) {
  // The user ticks the red object's "is visible" and "has Shadow" boxes.
  Click(*W().CheckBox4());
  Click(*W().CheckBox5());
  Settle();
  ASSERT_TRUE(W().CheckBox4()->Value() && W().CheckBox5()->Value() && !W().CheckBox6()->Value());
  W().RedLengthSlider()->SetValue(13);
  W().RedPosSlider()->SetValue(1);
  RecordingGraphics g = PaintCanvas();
  const Thing& red = *S().redThing;
  EXPECT_TRUE(red.isVisible && red.hasShadow && !red.hasTrace);
  EXPECT_EQ(red.length, 312);
  EXPECT_EQ(red.position, 1);
  EXPECT_EQ(LinesIn(g, Rgb(200, 0, 0)), 4u);  // rod, two projecting lines, shadow

  W().RedLengthSlider()->SetValue(1);
  W().RedPosSlider()->SetValue(0);
  Click(*W().CheckBox1());
  Click(*W().CheckBox2());
  Click(*W().CheckBox3());
  Click(*W().CheckBox4());  // the red rod goes again, with its shadow
  Settle();
  RecordingGraphics h = PaintCanvas();
  EXPECT_EQ(S().redThing->length, 24);
  EXPECT_EQ(S().redThing->position, 0);
  const Thing& black = *S().blackThing;
  EXPECT_TRUE(black.isVisible && black.hasTrace && black.hasShadow);
  EXPECT_EQ(black.length, W().BlackLengthSlider()->Value() * 24);
  EXPECT_EQ(LinesIn(h, Rgb(200, 0, 0)), 0u);
  EXPECT_GT(LinesIn(h, Rgb(100, 100, 100)), 0u);
}

TEST_F(DiagramTest, WithoutMeetingTheReadoutGroupIsLeftAlone) {
  W().GroupBox7()->SetVisible(false);
  W().GroupBox7()->SetCaption("kept");
  W().StaticText7()->SetText("kept");
  W().TextField2()->SetText("kept");
  PaintCanvas();
  EXPECT_FALSE(W().GroupBox7()->Visible());
  EXPECT_EQ(W().GroupBox7()->Caption() + W().StaticText7()->Text() + W().TextField2()->Text(), "keptkeptkept");
}

TEST_F(DiagramTest, BlackViewOfAMeeting) {
  W().GroupBox7()->SetVisible(false);
  RecordingGraphics g = PaintMeeting(444, 256);
  EXPECT_EQ(W().GroupBox7()->Caption(), "Black's view of the meeting of the red clock P with the black clock Q");
  EXPECT_EQ(Labels(), (Strings{"the meeting takes place at my x-coordinate", "all my clocks read then",
                               "that red clock reads then", "that red clock's position in it's own system is"}));
  EXPECT_EQ(Readouts(), (Strings{"6.00 m", "28.00 ns", "20.00 ns", "1.20 m"}));
  EXPECT_TRUE(W().GroupBox7()->Visible());
  EXPECT_EQ(Tail(g, 12), (Strings{"pen 1", "color 0,0,0", "line 444,256 300,256", "line 444,256 444,400",
                                  "line 444,199 300,199", "line 444,199 444,400", "text Q 447,198", "text S 447,399",
                                  "color 255,0,0", "line 444,256 323,417", "text R 326,416", "text P 447,255"}));
  EXPECT_EQ(g.TextFont(), "Arial");  // the letters use the frames' font

  // Below the origin K lies below the space axis.
  RecordingGraphics h = PaintMeeting(444, 544);
  EXPECT_EQ(Readouts(), (Strings{"6.00 m", "-4.00 ns", "-20.00 ns", "8.40 m"}));
  EXPECT_EQ(Tail(h, 10), (Strings{"line 444,544 300,544", "line 444,544 444,400", "line 444,429 300,429",
                                  "line 444,429 444,400", "text Q 447,428", "text S 447,399", "color 255,0,0",
                                  "line 444,544 461,521", "text R 464,520", "text P 447,543"}));

  // A level with M (Ay = My): K still lies above F.
  S().speed = 0.8;
  EXPECT_EQ(Tail(PaintMeeting(319, 424), 10)[2], "line 319,399 300,399");
}

TEST_F(DiagramTest, RedViewOfAMeeting) {
  S().viewIndex = 1;
  S().speed = -0.6;
  RecordingGraphics g = PaintMeeting(444, 256);
  EXPECT_EQ(W().GroupBox7()->Caption(), "Red's view of the meeting of the black clock Q with the red clock P");
  EXPECT_EQ(Labels(), (Strings{"the meeting takes place at my x-coordinate", "all my clocks read then",
                               "that black clock reads then", "that black clock's position in it's own system is"}));
  EXPECT_EQ(Readouts(), (Strings{"6.00 m", "4.00 ns", "20.00 ns", "8.40 m"}));
  EXPECT_EQ(Tail(g, 12), (Strings{"pen 1", "color 255,0,0", "line 444,256 444,400", "line 444,256 300,256",
                                  "line 444,400 444,371", "line 444,371 300,371", "text P 447,370", "text R 447,399",
                                  "color 0,0,0", "line 444,256 461,279", "text Q 447,255", "text S 464,278"}));
}

TEST_F(DiagramTest, MeetingAtSpeedZeroOnTheOriginAndInOtherUnits) {
  S().speed = 0.0;
  RecordingGraphics g = PaintMeeting(444, 256);
  EXPECT_EQ(Readouts(), (Strings{"6.00 m", "20.00 ns", "20.00 ns", "6.00 m"}));
  PaintMeeting(303, 400);  // 0.125 m, a half that rounds away from zero
  EXPECT_EQ(W().TextField2()->Text(), "0.13 m");
  // A coincides with F, K with M.
  EXPECT_EQ(Tail(g, 10), (Strings{"line 444,256 300,256", "line 444,256 444,400", "line 444,256 300,256",
                                  "line 444,256 444,400", "text Q 447,255", "text S 447,399", "color 255,0,0",
                                  "line 444,256 444,400", "text R 447,399", "text P 447,255"}));

  // Another unit row changes the numbers and units only.
  S().speed = 0.6;
  const Strings construction = Tail(PaintMeeting(444, 256), 12);
  S().unitIndex = 9;
  SetUnits();
  EXPECT_EQ(Tail(PaintMeeting(444, 256), 12), construction);
  EXPECT_EQ(Readouts(), (Strings{"6000.00 km", "28.00 ms", "20.00 ms", "1200.00 km"}));

  // The origin dragged onto the picked point: all four points meet there.
  S().originX = 444;
  S().originY = 256;
  RecordingGraphics h = PaintMeeting(444, 256);
  const std::string zero = FormatNumber(0.0, "-##.00");
  EXPECT_EQ(Readouts(), (Strings{zero + " km", zero + " ms", zero + " ms", zero + " km"}));
  for (const std::string& c : Tail(h, 12)) {
    if (c.rfind("line", 0) == 0) {
      EXPECT_EQ(c, "line 444,256 444,256");
    } else if (c.rfind("text", 0) == 0) {
      EXPECT_EQ(c.substr(7), "447,255");
    }
  }
}

TEST_F(DiagramTest, MeetingAtASpeedNextToLight) {
  S().speed = 0.9999999999999999;
  RecordingGraphics g = PaintMeeting(444, 256);
  EXPECT_EQ(W().TextField2()->Text(), "6.00 m");
  EXPECT_EQ(Tail(g, 3)[0], "line 444,256 300,256");  // A all but on the light line through O
}

TEST_F(DiagramTest, ClickOnTheCanvasShowsTheReadouts) {
  W().GroupBox7()->SetVisible(false);
  PressCanvas(444, 256);
  ReleaseCanvas(444, 256);
  for (int i = 0; i < 50 && !W().GroupBox7()->Visible(); ++i) QTest::qWait(10);
  EXPECT_EQ(Readouts(), (Strings{"6.00 m", "28.00 ns", "20.00 ns", "1.20 m"}));
  EXPECT_TRUE(W().GroupBox7()->Visible());
}

}  // namespace
