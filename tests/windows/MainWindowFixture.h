#pragma once
// Shared fixture for tests of the main window: per test a clean runtime and
// diagram state and a freshly built main window (offscreen), plus helpers
// that drive the window with real Qt mouse and key events.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

#include <algorithm>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include "ExceptionCatcher.h"
#include "diagram/DiagramState.h"
#include "ExceptionCatcher.h"
#include "toolkit/Graphics.h"
#include "toolkit/QtAccess.h"
#include "toolkit/Runtime.h"
#include "windows/Window1.h"
#include "windows/Window1Diagram.h"

class MainWindowFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    RuntimeResetForTesting();
    CollectUnhandledExceptions(unhandled_);
    InitDiagramDefaults();
    window_ = MakeWindow();
    ASSERT_NE(window_, nullptr);
    Settle();
  }

  void TearDown() override {
    // Deleting the window does not raise its Close event. A window that the
    // test closed is deleted here too, as long as the event loop has not run
    // since (after that the toolkit has deleted it: set window_ to nullptr).
    delete window_;
    window_ = nullptr;
    QApplication::processEvents();
    ReleaseDiagramGlobals();
    SetUnhandledExceptionHandlerForTesting({});
    RuntimeResetForTesting();
    EXPECT_TRUE(unhandled_.empty()) << "exception escaped a handler: " << unhandled_.front();
  }

  // The window under test; a fixture may build a subclass of Window1 instead
  // (new + Constructor(); it becomes the implicit main window).
  virtual Window1* MakeWindow() { return ImplicitWindow1(); }

  Window1& W() { return *window_; }
  DiagramState& S() { return State(); }

  // Runs pending events, so that requested repaints happen.
  static void Settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
  }

  // A left click on a button, radio button or check box: near its left edge,
  // where a check box or radio button has its mark.
  static void Click(RectControl& control) {
    QWidget* w = WidgetOf(control);
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(std::min(8, w->width() / 2), w->height() / 2));
  }

  // Mouse on the diagram canvas, at canvas pixels.
  void PressCanvas(int x, int y) { QTest::mousePress(CanvasWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(x, y)); }
  void ReleaseCanvas(int x, int y) {
    QTest::mouseRelease(CanvasWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
  }
  // A move with the button held (after PressCanvas).
  void DragCanvas(int x, int y) { QTest::mouseMove(CanvasWidget(), QPoint(x, y)); }
  // A move with no button held.
  void HoverCanvas(int x, int y) {
    QWidget* w = CanvasWidget();
    const QPointF local(x, y);
    QMouseEvent move(QEvent::MouseMove, local, w->mapToGlobal(local), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(w, &move);
  }
  QWidget* CanvasWidget() { return WidgetOf(*W().Canvas1()); }

  // Keystrokes into the speed field; replace selects the old text first, so
  // that the first keystroke replaces it.
  void TypeIntoTextField1(const std::string& text, bool replace = true) {
    QWidget* w = WidgetOf(*W().TextField1());
    if (replace) QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(w, QString::fromStdString(text));
  }

  // The diagram as the canvas would show it now, drawn onto a recording surface.
  RecordingGraphics PaintCanvas() {
    RecordingGraphics g(S().canvasWidth, S().canvasHeight);
    DrawDiagram(g);
    return g;
  }

  Window1* window_ = nullptr;
  std::vector<std::string> unhandled_;
};

// A main window that notes every handler call (name and raising control)
// before running the window's own handler; being a subclass, it also shows
// that the bindings dispatch to overrides.
class ProbeWindow1 : public Window1 {
 public:
  struct Call {
    std::string handler;
    RectControl* sender;
  };
  std::vector<Call> calls;
  size_t callsBeforeOpen = 0;
  bool opened = false;
  bool paintedBeforeOpen = false;
  Window1* implicitDuringOpen = nullptr;

  size_t Count(const std::string& handler) const {
    size_t n = 0;
    for (const Call& c : calls) n += c.handler == handler ? 1 : 0;
    return n;
  }

  void Event_Open() override {
    callsBeforeOpen = calls.size();
    opened = true;
    implicitDuringOpen = ImplicitWindow1();
    Window1::Event_Open();
  }
  void Canvas1_Paint(::Canvas& c, Graphics& g, const std::vector<Rect>& a) override {
    if (!opened) paintedBeforeOpen = true;
    Note("Canvas1_Paint", c);
    Window1::Canvas1_Paint(c, g, a);
  }
  void Canvas1_MouseUp(::Canvas& c, int32_t x, int32_t y) override {
    Note("Canvas1_MouseUp", c);
    Window1::Canvas1_MouseUp(c, x, y);
  }
  bool Canvas1_MouseDown(::Canvas& c, int32_t x, int32_t y) override {
    Note("Canvas1_MouseDown", c);
    return Window1::Canvas1_MouseDown(c, x, y);
  }
  void Canvas1_MouseDrag(::Canvas& c, int32_t x, int32_t y) override {
    Note("Canvas1_MouseDrag", c);
    Window1::Canvas1_MouseDrag(c, x, y);
  }
  void Canvas1_MouseMove(::Canvas& c, int32_t x, int32_t y) override {
    Note("Canvas1_MouseMove", c);
    Window1::Canvas1_MouseMove(c, x, y);
  }
#define KESTRANE_PROBE(handler, Class)       \
  void handler(::Class& c) override {        \
    Note(#handler, c);                       \
    Window1::handler(c);                     \
  }
  KESTRANE_PROBE(RadioButton1_Action, RadioButton)
  KESTRANE_PROBE(RadioButton2_Action, RadioButton)
  KESTRANE_PROBE(SpeedSlider_ValueChanged, Slider)
  KESTRANE_PROBE(TextField1_TextChange, TextField)
  KESTRANE_PROBE(UnitSlider_ValueChanged, Slider)
  KESTRANE_PROBE(BlackPosSlider_ValueChanged, Slider)
  KESTRANE_PROBE(BlackLengthSlider_ValueChanged, Slider)
  KESTRANE_PROBE(CheckBox1_Action, CheckBox)
  KESTRANE_PROBE(CheckBox2_Action, CheckBox)
  KESTRANE_PROBE(CheckBox3_Action, CheckBox)
  KESTRANE_PROBE(RedPosSlider_ValueChanged, Slider)
  KESTRANE_PROBE(RedLengthSlider_ValueChanged, Slider)
  KESTRANE_PROBE(CheckBox4_Action, CheckBox)
  KESTRANE_PROBE(CheckBox5_Action, CheckBox)
  KESTRANE_PROBE(CheckBox6_Action, CheckBox)
  KESTRANE_PROBE(TimeSlider_ValueChanged, Slider)
  KESTRANE_PROBE(PushButton1_Action, PushButton)
  KESTRANE_PROBE(PushButton2_Action, PushButton)
  KESTRANE_PROBE(PushButton4_Action, PushButton)
  KESTRANE_PROBE(PushButton3_Action, PushButton)
#undef KESTRANE_PROBE

 private:
  void Note(const char* handler, RectControl& sender) { calls.push_back({handler, &sender}); }
};

// The fixture with a ProbeWindow1 as the main window.
class ProbeWindowFixture : public MainWindowFixture {
 protected:
  Window1* MakeWindow() override {
    auto* w = new ProbeWindow1;
    w->Constructor();
    return w;
  }
  ProbeWindow1& P() { return static_cast<ProbeWindow1&>(W()); }
};
