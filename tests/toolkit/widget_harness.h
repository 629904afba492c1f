#pragma once
// Shared by the widget tests: a probe window whose handlers note every event,
// helpers that build controls from records, and a pointer that drives a shown
// window through Qt's own event routing (press grab, enter and leave).
#include <gtest/gtest.h>

#include <QApplication>
#include <QMainWindow>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>

#include <exception>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "ExceptionCatcher.h"
#include "toolkit/Controls.h"
#include "toolkit/Events.h"
#include "toolkit/Graphics.h"
#include "toolkit/PropertyRecord.h"
#include "toolkit/QtAccess.h"
#include "toolkit/Runtime.h"
#include "toolkit/Window.h"

namespace widgettest {

struct Call {
  std::string event;
  RectControl* sender = nullptr;
  int32_t x = 0, y = 0;  // the position, or the value the handler read
  std::string text;      // the text the handler read
};

class ProbeWindow : public Window {
 public:
  std::string ClassName() const override { return "ProbeWindow.ProbeWindow"; }

  std::string layoutRecord = RecordBuilder()
                                 .Int32("Width", 400)
                                 .Int32("Height", 300)
                                 .String("Title", "Probe")
                                 .Boolean("Resizeable", false)
                                 .Boolean("Visible", true)
                                 .Bytes();
  std::function<void(ProbeWindow&)> build;  // the controls, made in CreateControls
  std::function<void(ProbeWindow&)> onOpen;
  std::vector<std::string> hooks;           // Layout, CreateControls, ... in call order
  std::vector<Call> calls;
  bool mouseDownAnswer = true;
  int paints = 0;
  double paintWidth = 0, paintHeight = 0;

  void Layout() override {
    hooks.push_back("Layout");
    ApplyPropertyBlob(*this, layoutRecord);
  }
  void CreateControls() override {
    hooks.push_back("CreateControls");
    if (build) build(*this);
  }
  void AddMenuHandlers(Window&) override { hooks.push_back("AddMenuHandlers"); }
  void Event_Open() override {
    hooks.push_back("Open");
    if (onOpen) onOpen(*this);
  }
  void Event_Close() override { hooks.push_back("Close"); }

  virtual void SliderChanged(Slider& s) { Note("ValueChanged", s, s.Value()); }
  virtual void TextChanged(TextField& t) { calls.push_back({"TextChange", &t, 0, 0, t.Text()}); }
  virtual void RadioAction(RadioButton& r) { Note("Action", r); }
  virtual void CheckAction(CheckBox& c) { Note("Action", c, c.Value()); }
  virtual void ButtonAction(PushButton& b) { Note("Action", b); }
  virtual bool CanvasDown(Canvas& c, int32_t x, int32_t y) {
    Note("MouseDown", c, x, y);
    return mouseDownAnswer;
  }
  virtual void CanvasUp(Canvas& c, int32_t x, int32_t y) { NoteUp(c, x, y); }
  virtual void CanvasDrag(Canvas& c, int32_t x, int32_t y) { Note("MouseDrag", c, x, y); }
  virtual void CanvasMove(Canvas& c, int32_t x, int32_t y) { Note("MouseMove", c, x, y); }
  virtual void CanvasEnter(Canvas& c) { Note("MouseEnter", c); }
  virtual void CanvasExit(Canvas& c) { Note("MouseExit", c); }
  virtual void CanvasPaint(Canvas& c, Graphics& g, const std::vector<Rect>&) {
    ++paints;
    paintWidth = g.Width();
    paintHeight = g.Height();
    Note("Paint", c);
  }
  virtual bool LabelDown(Label& l, int32_t x, int32_t y) {
    Note("MouseDown", l, x, y);
    return mouseDownAnswer;
  }
  virtual void LabelUp(Label& l, int32_t x, int32_t y) { NoteUp(l, x, y); }
  virtual void LabelEnter(Label& l) { Note("MouseEnter", l); }
  virtual void LabelExit(Label& l) { Note("MouseExit", l); }

  size_t Count(const std::string& event, const RectControl* sender = nullptr) const {
    size_t n = 0;
    for (const Call& c : calls) n += (c.event == event && (sender == nullptr || c.sender == sender)) ? 1 : 0;
    return n;
  }
  std::vector<std::string> Events() const {
    std::vector<std::string> names;
    for (const Call& c : calls) names.push_back(c.event);
    return names;
  }

  void Note(const char* event, RectControl& sender, int32_t x = 0, int32_t y = 0) {
    calls.push_back({event, &sender, x, y, {}});
  }
  void NoteUp(RectControl& sender, int32_t x, int32_t y) {
    calls.push_back({"MouseUp", &sender, x, y, MouseUpIsRelease() ? "released" : ""});
  }
};

// The entries that place a control: its container first, as in every record.
inline RecordBuilder Placed(const std::string& parent, int32_t left, int32_t top, int32_t width, int32_t height) {
  RecordBuilder b;
  b.String("InitialParent", parent).Int32("Left", left).Int32("Top", top).Int32("Width", width).Int32("Height", height);
  return b;
}

// Creates, adds and records a control as a window's CreateControls does.
template <class T>
T* Make(Window& w, const std::string& name, const RecordBuilder& record) {
  T* control = w._New<T>();
  w._AddControl(control, name);
  ApplyPropertyBlob(*RuntimeCheckCast<T>(w._ControlByName(name)), record.Bytes());
  return control;
}

// A probe window built and shown (offscreen), ready for input.
inline ProbeWindow* Open(const std::function<void(ProbeWindow&)>& build, ProbeWindow* w = nullptr) {
  if (w == nullptr) w = new ProbeWindow;
  w->build = build;
  w->Constructor();
  QMainWindow* top = WidgetOf(*w);
  if (top->isVisible()) {
    EXPECT_TRUE(QTest::qWaitForWindowExposed(top));
    top->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(top));
  }
  return w;
}

inline void Settle() {
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
}
inline void WheelDown(QWidget* w) {  // one notch of a mouse's wheel over the widget
  QWheelEvent e({5, 5}, w->mapToGlobal(QPointF(5, 5)), {}, {0, -120}, {}, {}, Qt::NoScrollPhase, false);
  QApplication::sendEvent(w, &e);
}

// The pointer over a shown window, routed by Qt as a real one would be.
class Pointer {
 public:
  explicit Pointer(Window& w) : top_(WidgetOf(w)), window_(WidgetOf(w)->windowHandle()) {}
  void Move(QWidget* over, QPoint p) { QTest::mouseMove(window_, At(over, p)); }
  void Press(QWidget* over, QPoint p) { QTest::mousePress(window_, Qt::LeftButton, Qt::NoModifier, At(over, p)); }
  void Release(QWidget* over, QPoint p) {
    QTest::mouseRelease(window_, Qt::LeftButton, Qt::NoModifier, At(over, p));
  }

 private:
  QPoint At(QWidget* over, QPoint p) const { return over->mapTo(top_, p); }
  QWidget* top_;
  QWindow* window_;
};

// Per test: a clean runtime, escaped exceptions collected, every window gone
// at the end.
class WidgetTest : public testing::Test {
 protected:
  void SetUp() override {
    RuntimeResetForTesting();
    CollectUnhandledExceptions(unhandled);
  }
  void TearDown() override {
    CloseAllWindowsForTesting();
    QApplication::processEvents();
    SetUnhandledExceptionHandlerForTesting({});
    RuntimeResetForTesting();
    EXPECT_TRUE(unhandled.empty()) << "unexpected unhandled exception: " << unhandled.front();
  }
  std::vector<std::string> unhandled;
};

}  // namespace widgettest
