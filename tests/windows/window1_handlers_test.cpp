// The main window's handlers driven by real mouse, key and control events:
// the diagram canvas, the view, speed, unit and time controls, "clear",
// "Quit" and closing the window.
#include <QEvent>
#include <QObject>
#include <QTimer>

#include <cmath>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "MainWindowFixture.h"
#include "toolkit/Numeric.h"

namespace {

// Counts the paint events that reach one widget.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* w) { w->installEventFilter(this); }
  int count = 0;

 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::Paint) ++count;
    return QObject::eventFilter(o, e);
  }
};

}  // namespace

class Window1Handlers : public ProbeWindowFixture {
 protected:
  size_t Paints() {
    Settle();
    return P().Count("Canvas1_Paint");
  }
  // A paint counter on a widget well away from the canvas: it is repainted
  // only when the whole window is.
  std::unique_ptr<PaintCounter> WatchWholeWindow() {
    Settle();
    return std::make_unique<PaintCounter>(WidgetOf(*W().GroupBox1()));
  }
};

// ---------------------------------------------------------------- the mouse

TEST_F(Window1Handlers, PressGrabsTheOriginOnlyInsideTheFifteenPixelSquare) {
  const int ox = S().originX, oy = S().originY;
  struct Case {
    int dx, dy;
    bool grabs;
  };
  for (const Case& c : {Case{7, -7, true}, Case{-7, 7, true}, Case{0, 0, true}, Case{8, 0, false},
                        Case{0, -8, false}, Case{-8, 3, false}, Case{7, 8, false}}) {
    SCOPED_TRACE(testing::Message() << c.dx << "," << c.dy);
    S().meetingPicked = false;
    PressCanvas(ox + c.dx, oy + c.dy);
    EXPECT_EQ(S().draggingOrigin, c.grabs);
    EXPECT_EQ(S().meetingPicked, !c.grabs);
    if (!c.grabs) {
      EXPECT_EQ(S().meetingX, ox + c.dx);
      EXPECT_EQ(S().meetingY, oy + c.dy);
    }
    ReleaseCanvas(ox + c.dx, oy + c.dy);
    EXPECT_FALSE(S().draggingOrigin);
  }
}

TEST_F(Window1Handlers, GrabbingLeavesAPickedPointAndItsReadoutsAlone) {
  const size_t before = Paints();
  PressCanvas(100, 100);
  ReleaseCanvas(100, 100);
  EXPECT_GT(Paints(), before);  // picking repaints the canvas
  EXPECT_TRUE(W().GroupBox7()->Enabled());
  const std::string readout = W().TextField2()->Text();
  EXPECT_FALSE(readout.empty());

  W().GroupBox7()->SetEnabled(false);
  const size_t painted = Paints();
  PressCanvas(S().originX + 3, S().originY - 2);
  EXPECT_TRUE(S().draggingOrigin);
  EXPECT_EQ(Paints(), painted);
  EXPECT_TRUE(S().meetingPicked);
  EXPECT_EQ(S().meetingX, 100);
  EXPECT_EQ(S().meetingY, 100);
  EXPECT_FALSE(W().GroupBox7()->Enabled());
  EXPECT_EQ(W().TextField2()->Text(), readout);
}

TEST_F(Window1Handlers, DraggingMovesTheOriginOnlyInsideTheMargin) {
  auto wholeWindow = WatchWholeWindow();
  PressCanvas(S().originX, S().originY);
  DragCanvas(21, 21);
  EXPECT_EQ(S().originX, 21);
  EXPECT_EQ(S().originY, 21);
  Settle();
  EXPECT_GT(wholeWindow->count, 0);

  // On or beyond the margin (20 from each edge of 636 x 553) nothing moves.
  for (QPoint p : {QPoint(20, 100), QPoint(100, 20), QPoint(616, 100), QPoint(100, 533), QPoint(-40, 700)}) {
    DragCanvas(p.x(), p.y());
    EXPECT_EQ(S().originX, 21) << p.x() << "," << p.y();
    EXPECT_EQ(S().originY, 21) << p.x() << "," << p.y();
  }
  DragCanvas(615, 532);  // back inside, no new press
  EXPECT_EQ(S().originX, 615);
  EXPECT_EQ(S().originY, 532);
  EXPECT_TRUE(S().draggingOrigin);

  ReleaseCanvas(700, 700);  // released outside the canvas
  EXPECT_FALSE(S().draggingOrigin);
  W().Canvas1_MouseDrag(*W().Canvas1(), 300, 300);
  EXPECT_EQ(S().originX, 615);

  // A press that picks a point is followed by drags that change nothing.
  PressCanvas(200, 200);
  DragCanvas(250, 260);
  ReleaseCanvas(250, 260);
  EXPECT_EQ(S().originX, 615);
  EXPECT_EQ(S().originY, 532);
  EXPECT_EQ(S().meetingX, 200);
  EXPECT_EQ(S().meetingY, 200);
}

TEST_F(Window1Handlers, CursorIsAnOpenHandOverTheOriginOnly) {
  const int ox = S().originX, oy = S().originY;
  for (int d = -9; d <= 9; ++d) {
    const bool inside = std::abs(d) <= 7;
    HoverCanvas(ox + d, oy);
    EXPECT_EQ(W().Canvas1()->GetMouseCursor(), inside ? GetCursors().HandOpen : GetCursors().StandardPointer)
        << "dx " << d;
    HoverCanvas(ox - 7, oy + d);
    EXPECT_EQ(W().Canvas1()->GetMouseCursor(), inside ? GetCursors().HandOpen : GetCursors().StandardPointer)
        << "dy " << d;
  }
  EXPECT_FALSE(S().draggingOrigin);
  EXPECT_FALSE(S().meetingPicked);
}

TEST_F(Window1Handlers, PaintDrawsTheWholeDiagramWhateverTheAreas) {
  RecordingGraphics all(636, 553), part(636, 553);
  W().Canvas1_Paint(*W().Canvas1(), all, {});
  W().Canvas1_Paint(*W().Canvas1(), part, {Rect{10, 10, 5, 5}});
  EXPECT_FALSE(all.Calls().empty());
  EXPECT_EQ(all.Dump(), part.Dump());
  EXPECT_EQ(all.Dump(), PaintCanvas().Dump());
}

// ---------------------------------------------------------- view and speed

TEST_F(Window1Handlers, ChangingTheViewNegatesTheSpeedAndBack) {
  size_t painted = Paints();
  Click(*W().RadioButton1());  // already black's view
  EXPECT_EQ(S().viewIndex, 0);
  EXPECT_EQ(S().speed, 0.6);
  EXPECT_EQ(W().SpeedSlider()->Value(), 32);
  EXPECT_TRUE(W().GroupBox7()->Visible());
  EXPECT_EQ(Paints(), painted);

  Click(*W().RadioButton2());
  EXPECT_EQ(S().viewIndex, 1);
  EXPECT_EQ(S().speed, -0.6);
  EXPECT_EQ(W().SpeedSlider()->Value(), 8);
  EXPECT_EQ(TextToDouble(W().TextField1()->Text()), -0.6);
  EXPECT_FALSE(W().GroupBox7()->Visible());
  EXPECT_FALSE(S().updatingSpeed);
  EXPECT_GT(Paints(), painted);

  Click(*W().RadioButton1());
  EXPECT_EQ(S().viewIndex, 0);
  EXPECT_EQ(S().speed, 0.6);
  EXPECT_EQ(W().SpeedSlider()->Value(), 32);
  EXPECT_EQ(TextToDouble(W().TextField1()->Text()), 0.6);
  EXPECT_FALSE(W().GroupBox7()->Visible());  // no point picked: stays hidden
  EXPECT_FALSE(S().updatingSpeed);
}

TEST_F(Window1Handlers, SpeedSliderSetsTheSpeedAndItsText) {
  for (auto [position, speed] : {std::pair{1, -0.95}, std::pair{39, 0.95}, std::pair{20, 0.0}, std::pair{33, 0.65}}) {
    W().SpeedSlider()->SetValue(position);
    EXPECT_DOUBLE_EQ(S().speed, speed) << position;
    EXPECT_DOUBLE_EQ(TextToDouble(W().TextField1()->Text()), speed) << position;
    EXPECT_EQ(W().SpeedSlider()->Value(), position);
    EXPECT_FALSE(S().updatingSpeed);
  }
}

TEST_F(Window1Handlers, TypedSpeedMovesTheSliderByTheFactorNineteen) {
  for (auto [text, position] : {std::pair{"0.6", 31}, std::pair{"0.95", 38}, std::pair{"-0.99", 1}, std::pair{"0", 20}}) {
    TypeIntoTextField1(text);
    EXPECT_EQ(W().TextField1()->Text(), text);
    EXPECT_EQ(S().speed, TextToDouble(text)) << text;
    EXPECT_EQ(W().SpeedSlider()->Value(), position) << text;
    EXPECT_FALSE(S().updatingSpeed);
  }
  // A decimal comma reads as a point, keystroke by keystroke ("0," is 0).
  TypeIntoTextField1("-0,5");
  EXPECT_EQ(W().TextField1()->Text(), "-0,5");
  EXPECT_EQ(S().speed, -0.5);
  EXPECT_EQ(W().SpeedSlider()->Value(), 11);
}

TEST_F(Window1Handlers, SpeedOutsideTheOpenIntervalIsRefused) {
  auto fromSlider32 = [&] {
    W().SpeedSlider()->SetValue(20);
    W().SpeedSlider()->SetValue(32);
    ASSERT_EQ(W().TextField1()->Text(), DoubleToText(32 / 20.0 - 1.0));
  };
  fromSlider32();
  TypeIntoTextField1("1");  // one keystroke over the selected text
  EXPECT_EQ(W().TextField1()->Text(), DoubleToText(32 / 20.0 - 1.0));
  EXPECT_EQ(W().SpeedSlider()->Value(), 31);
  for (const char* bad : {"-1", "1.5", "1", "-7e3"}) {
    fromSlider32();
    W().TextField1()->SetText(bad);
    EXPECT_EQ(W().TextField1()->Text(), DoubleToText(32 / 20.0 - 1.0)) << bad;
    EXPECT_EQ(W().SpeedSlider()->Value(), 31) << bad;
    EXPECT_EQ(S().speed, TextToDouble(W().TextField1()->Text())) << bad;
    EXPECT_FALSE(S().updatingSpeed);
  }
  // Texts that may read as NaN or an infinity never become the speed.
  for (const char* odd : {"nan", "-nan", "inf", "-inf", "1e999", "-1e999", "", "-", "abc"}) {
    fromSlider32();
    W().TextField1()->SetText(odd);
    EXPECT_TRUE(std::isfinite(S().speed)) << odd;
    EXPECT_GT(S().speed, -1.0) << odd;
    EXPECT_LT(S().speed, 1.0) << odd;
    const double shown = TextToDouble(W().TextField1()->Text());
    EXPECT_TRUE(-1.0 < shown && shown < 1.0) << odd;
    EXPECT_GE(W().SpeedSlider()->Value(), 1) << odd;
    EXPECT_LE(W().SpeedSlider()->Value(), 39) << odd;
    EXPECT_FALSE(S().updatingSpeed);
  }
}

// ----------------------------------------------------------- time and units

TEST_F(Window1Handlers, TimeSliderButtonsAndUnitsRewriteTheTimeLabel) {
  size_t painted = Paints();
  W().TimeSlider()->SetValue(0);
  EXPECT_EQ(S().currentTime, -500);
  EXPECT_EQ(W().Label1()->Text(), "-69.44 ns");
  EXPECT_GT(Paints(), painted);
  Click(*W().PushButton1());  // "back" at the bottom of the range
  EXPECT_EQ(W().TimeSlider()->Value(), 0);
  EXPECT_EQ(S().currentTime, -500);

  W().TimeSlider()->SetValue(1000);
  EXPECT_EQ(S().currentTime, 500);
  EXPECT_EQ(W().Label1()->Text(), "69.44 ns");
  Click(*W().PushButton2());  // "ahead" at the top
  EXPECT_EQ(W().TimeSlider()->Value(), 1000);

  W().TimeSlider()->SetValue(572);
  painted = Paints();
  Click(*W().PushButton1());
  EXPECT_EQ(W().TimeSlider()->Value(), 571);
  EXPECT_EQ(S().currentTime, 71);
  EXPECT_EQ(W().Label1()->Text(), "9.86 ns");
  EXPECT_GT(Paints(), painted);
  Click(*W().PushButton2());
  EXPECT_EQ(S().currentTime, 72);
  EXPECT_EQ(W().Label1()->Text(), "10.00 ns");

  for (auto [row, label] : {std::pair{0, "10.00 ps"}, std::pair{2, "1.00 ns"}, std::pair{9, "10.00 ms"}}) {
    W().UnitSlider()->SetValue(row);
    EXPECT_EQ(S().unitIndex, row);
    EXPECT_EQ(W().Label1()->Text(), label);
  }
}

TEST_F(Window1Handlers, ObjectControlsOnlyRepaint) {
  const DiagramState& s = S();
  auto snapshot = [&] {
    return std::tuple(s.draggingOrigin, s.originX, s.originY, s.meetingPicked, s.meetingX, s.meetingY,
                      s.viewIndex, s.speed, s.unitIndex, s.currentTime, s.timeScale, s.timeUnit);
  };
  const auto before = snapshot();
  size_t painted = Paints();
  for (CheckBox* box : {W().CheckBox1(), W().CheckBox2(), W().CheckBox3(), W().CheckBox4(), W().CheckBox5(),
                        W().CheckBox6()}) {
    Click(*box);
    EXPECT_TRUE(box->Value()) << box->Name();
    EXPECT_GT(Paints(), painted) << box->Name();
    painted = Paints();
  }
  for (Slider* slider : {W().BlackPosSlider(), W().BlackLengthSlider(), W().RedPosSlider(), W().RedLengthSlider()}) {
    slider->SetValue(1);
    EXPECT_GT(Paints(), painted) << slider->Name();
    painted = Paints();
  }
  EXPECT_EQ(snapshot(), before);
}

// ------------------------------------------------------------ clear and quit

TEST_F(Window1Handlers, ClearRemovesThePointAndRepaintsTheWholeWindow) {
  auto wholeWindow = WatchWholeWindow();
  Click(*W().PushButton4());  // nothing picked yet
  for (TextField* f : {W().TextField2(), W().TextField3(), W().TextField4(), W().TextField5()})
    EXPECT_EQ(f->Text(), "") << f->Name();
  EXPECT_FALSE(W().GroupBox7()->Enabled());
  EXPECT_FALSE(S().meetingPicked);
  Settle();
  EXPECT_GT(wholeWindow->count, 0);

  PressCanvas(150, 120);
  ReleaseCanvas(150, 120);
  Settle();
  EXPECT_TRUE(W().GroupBox7()->Enabled());
  EXPECT_FALSE(W().TextField5()->Text().empty());
  const std::string caption = W().GroupBox7()->Caption();
  Click(*W().PushButton4());
  for (TextField* f : {W().TextField2(), W().TextField3(), W().TextField4(), W().TextField5()})
    EXPECT_EQ(f->Text(), "") << f->Name();
  EXPECT_FALSE(W().GroupBox7()->Enabled());
  EXPECT_TRUE(W().GroupBox7()->Visible());
  EXPECT_EQ(W().GroupBox7()->Caption(), caption);
  EXPECT_FALSE(S().meetingPicked);
  EXPECT_EQ(S().meetingX, 150);
  EXPECT_EQ(S().meetingY, 120);
}

TEST_F(Window1Handlers, QuitButtonAndClosingTheWindowBothQuitWithZero) {
  // A quit asked with another code first; each way must ask again with 0.
  QuitApplication(7);
  Click(*W().PushButton3());
  EXPECT_EQ(P().Count("PushButton3_Action"), 1u);
  EXPECT_EQ(RuntimeExit(), 0);

  QuitApplication(7);
  W().Close();
  EXPECT_EQ(RuntimeExit(), 0);
}

TEST_F(Window1Handlers, QuitButtonEndsTheRunningEventLoop) {
  QTimer::singleShot(0, [this] { Click(*W().PushButton3()); });
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [] { QuitApplication(99); });
  watchdog.start(5000);
  RuntimeRun();
  EXPECT_EQ(RuntimeExit(), 0);
}
