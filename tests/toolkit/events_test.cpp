// Events of controls, driven with real Qt input on shown windows: program
// writes that report synchronously, typing, slider drags, radio choices,
// clicks, the canvas's and label's mouse protocol, painting, binding checks,
// virtual dispatch and exceptions escaping a handler.
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>

#include "widget_harness.h"

using namespace widgettest;

namespace {

class EventsTest : public WidgetTest {};

void BindSlider(ProbeWindow& w, Slider& s) {
  RuntimeAddEventHandler(s, EventId::ValueChanged, ControlDelegate::Create(&w, &ProbeWindow::SliderChanged));
}

void BindCanvas(ProbeWindow& w, Canvas& c) {
  RuntimeAddEventHandler(c, EventId::MouseDown, MouseDownDelegate::Create(&w, &ProbeWindow::CanvasDown));
  RuntimeAddEventHandler(c, EventId::MouseUp, MouseDelegate::Create(&w, &ProbeWindow::CanvasUp));
  RuntimeAddEventHandler(c, EventId::MouseDrag, MouseDelegate::Create(&w, &ProbeWindow::CanvasDrag));
  RuntimeAddEventHandler(c, EventId::MouseMove, MouseDelegate::Create(&w, &ProbeWindow::CanvasMove));
  RuntimeAddEventHandler(c, EventId::MouseEnter, ControlDelegate::Create(&w, &ProbeWindow::CanvasEnter));
  RuntimeAddEventHandler(c, EventId::MouseExit, ControlDelegate::Create(&w, &ProbeWindow::CanvasExit));
  RuntimeAddEventHandler(c, EventId::Paint, PaintDelegate::Create(&w, &ProbeWindow::CanvasPaint));
}

RecordBuilder SliderRecord(int32_t left, int32_t top, int32_t value, bool live) {
  return Placed("", left, top, 200, 24)
      .Boolean("AllowLiveScrolling", live)
      .Int32("Value", value)
      .Int32("MinimumValue", 0)
      .Int32("MaximumValue", 10)
      .Int32("LineStep", 1)
      .Int32("PageStep", 1);
}

QPoint HandleCenter(QSlider* slider) {
  QStyleOptionSlider opt;
  opt.initFrom(slider);
  opt.orientation = slider->orientation();
  opt.minimum = slider->minimum();
  opt.maximum = slider->maximum();
  opt.sliderPosition = slider->sliderPosition();
  opt.sliderValue = slider->value();
  opt.singleStep = slider->singleStep();
  opt.pageStep = slider->pageStep();
  opt.tickPosition = slider->tickPosition();
  opt.subControls = QStyle::SC_All;
  return slider->style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, slider).center();
}

TEST_F(EventsTest, ProgramWritesReportBeforeReturningAndOnlyRealChanges) {
  Slider* slider = nullptr;
  TextField* field = nullptr;
  ProbeWindow* w = Open([&](ProbeWindow& w) {
    slider = Make<Slider>(w, "S", SliderRecord(10, 10, 5, true));
    field = Make<TextField>(w, "T", Placed("", 10, 50, 100, 22).String("Value", "0.6").Boolean("Enabled", false));
    BindSlider(w, *slider);
    RuntimeAddEventHandler(*field, EventId::TextChange, ControlDelegate::Create(&w, &ProbeWindow::TextChanged));
  });
  slider->SetValue(7);
  ASSERT_EQ(w->calls.size(), 1u);  // before SetValue returned, seeing the new value
  EXPECT_EQ(w->calls[0].x, 7);
  slider->SetValue(7);
  slider->SetValue(99);  // clamped to the maximum
  slider->SetValue(-3);  // and to the minimum
  ASSERT_EQ(w->calls.size(), 3u);
  EXPECT_EQ(w->calls[1].x, 10);
  EXPECT_EQ(w->calls[2].x, 0);
  EXPECT_EQ(static_cast<QSlider*>(WidgetOf(*slider))->value(), 0);

  w->calls.clear();
  field->SetText("0.75");  // a disabled field still reports the program's write
  field->SetText("0.75");
  field->SetText("");
  ASSERT_EQ(w->calls.size(), 2u);
  EXPECT_EQ(w->calls[0].text, "0.75");
  EXPECT_EQ(w->calls[1].text, "");
}

TEST_F(EventsTest, RecordsRaiseNothingEvenWithHandlersBound) {
  ProbeWindow* w = Open([](ProbeWindow& w) {
    auto* s = w._New<Slider>();
    w._AddControl(s, "S");
    auto* t = w._New<TextField>();
    w._AddControl(t, "T");
    auto* r = w._New<RadioButton>();
    w._AddControl(r, "R");
    BindSlider(w, *s);
    RuntimeAddEventHandler(*t, EventId::TextChange, ControlDelegate::Create(&w, &ProbeWindow::TextChanged));
    RuntimeAddEventHandler(*r, EventId::Action, ControlDelegate::Create(&w, &ProbeWindow::RadioAction));
    ApplyPropertyBlob(*s, SliderRecord(10, 10, 8, true).Bytes());
    ApplyPropertyBlob(*t, Placed("", 10, 50, 100, 22).String("Value", "typed").Bytes());
    ApplyPropertyBlob(*r, Placed("", 10, 90, 100, 20).String("Caption", "r").Boolean("Value", true).Bytes());
  });
  EXPECT_TRUE(w->calls.empty());
  EXPECT_EQ(RuntimeCheckCast<Slider>(w->_ControlByName("S"))->Value(), 8);
  EXPECT_EQ(RuntimeCheckCast<TextField>(w->_ControlByName("T"))->Text(), "typed");
  EXPECT_TRUE(RuntimeCheckCast<RadioButton>(w->_ControlByName("R"))->Value());
}

TEST_F(EventsTest, TypingReportsEveryKeystroke) {
  TextField* field = nullptr;
  ProbeWindow* w = Open([&](ProbeWindow& w) {
    field = Make<TextField>(w, "T", Placed("", 10, 10, 120, 22).String("Value", ""));
    RuntimeAddEventHandler(*field, EventId::TextChange, ControlDelegate::Create(&w, &ProbeWindow::TextChanged));
  });
  QWidget* edit = WidgetOf(*field);
  edit->setFocus();
  QTest::keyClicks(edit, "0.8");
  EXPECT_EQ(w->Count("TextChange", field), 3u);
  QTest::keyClick(edit, Qt::Key_Backspace);
  EXPECT_EQ(w->Count("TextChange", field), 4u);
  EXPECT_EQ(field->Text(), "0.");
}

TEST_F(EventsTest, LiveSlidersReportWhileDraggedOthersOnRelease) {
  Slider* live = nullptr;
  Slider* still = nullptr;
  ProbeWindow* w = Open([&](ProbeWindow& w) {
    live = Make<Slider>(w, "Live", SliderRecord(10, 20, 0, true));
    still = Make<Slider>(w, "Still", SliderRecord(10, 80, 0, false));
    BindSlider(w, *live);
    BindSlider(w, *still);
  });
  Pointer pointer(*w);
  for (Slider* s : {live, still}) {
    auto* qs = static_cast<QSlider*>(WidgetOf(*s));
    const QPoint start = HandleCenter(qs);
    pointer.Move(qs, start);
    pointer.Press(qs, start);
    for (int dx = 20; dx <= 120; dx += 20) pointer.Move(qs, start + QPoint(dx, 0));
    const size_t whileDragged = w->Count("ValueChanged", s);
    pointer.Release(qs, start + QPoint(120, 0));
    if (s == live) {
      EXPECT_GE(whileDragged, 3u) << "a live slider reports each step of the drag";
      EXPECT_EQ(w->Count("ValueChanged", s), whileDragged);
    } else {
      EXPECT_EQ(whileDragged, 0u) << "without live scrolling nothing comes before the release";
      EXPECT_EQ(w->Count("ValueChanged", s), 1u);
    }
    EXPECT_GT(s->Value(), 0);
    EXPECT_EQ(s->Value(), qs->value());
  }
  const int32_t dragged = live->Value();  // the window fits: the wheel moves a slider without the focus too
  WheelDown(WidgetOf(*live));
  EXPECT_LT(live->Value(), dragged);
}

TEST_F(EventsTest, RadioButtonActionComesOnlyForTheButtonTheUserChooses) {
  RadioButton *black = nullptr, *red = nullptr, *other = nullptr;
  ProbeWindow* w = Open([&](ProbeWindow& w) {
    Make<GroupBox>(w, "View", Placed("", 10, 10, 200, 60).String("Caption", "view"));
    black = Make<RadioButton>(w, "Black", Placed("View", 20, 35, 80, 20).String("Caption", "black").Boolean("Value", true));
    red = Make<RadioButton>(w, "Red", Placed("View", 110, 35, 80, 20).String("Caption", "red").Boolean("Value", false));
    Make<GroupBox>(w, "Other", Placed("", 10, 100, 200, 60).String("Caption", "other"));
    other = Make<RadioButton>(w, "Lone", Placed("Other", 20, 125, 80, 20).String("Caption", "lone").Boolean("Value", true));
    for (RadioButton* r : {black, red, other}) {
      RuntimeAddEventHandler(*r, EventId::Action, ControlDelegate::Create(&w, &ProbeWindow::RadioAction));
    }
  });
  Pointer pointer(*w);
  pointer.Press(WidgetOf(*red), QPoint(8, 10));
  pointer.Release(WidgetOf(*red), QPoint(8, 10));
  EXPECT_EQ(w->Count("Action", red), 1u);
  EXPECT_EQ(w->Count("Action", black), 0u);  // switched off, not chosen
  EXPECT_TRUE(red->Value());
  EXPECT_FALSE(black->Value());
  EXPECT_TRUE(other->Value()) << "a button in another container is not switched off";

  black->SetValue(true);  // the program's choice raises nothing
  EXPECT_FALSE(red->Value());
  EXPECT_EQ(w->calls.size(), 1u);

  pointer.Press(WidgetOf(*black), QPoint(8, 10));  // already on: no new choice
  pointer.Release(WidgetOf(*black), QPoint(8, 10));
  EXPECT_EQ(w->calls.size(), 1u);
}

TEST_F(EventsTest, CheckBoxesAndButtonsActOnUserClicksOnly) {
  CheckBox* box = nullptr;
  PushButton* button = nullptr;
  ProbeWindow* w = Open([&](ProbeWindow& w) {
    box = Make<CheckBox>(w, "Box", Placed("", 10, 10, 120, 20).String("Caption", "is visible").Boolean("Value", false));
    button = Make<PushButton>(w, "Button", Placed("", 10, 50, 80, 24).String("Caption", "back"));
    RuntimeAddEventHandler(*box, EventId::Action, ControlDelegate::Create(&w, &ProbeWindow::CheckAction));
    RuntimeAddEventHandler(*button, EventId::Action, ControlDelegate::Create(&w, &ProbeWindow::ButtonAction));
  });
  Pointer pointer(*w);
  pointer.Press(WidgetOf(*box), QPoint(8, 10));
  pointer.Release(WidgetOf(*box), QPoint(8, 10));
  ASSERT_EQ(w->Count("Action", box), 1u);
  EXPECT_EQ(w->calls[0].x, 1) << "the handler reads the new value";
  box->SetValue(false);
  EXPECT_EQ(w->Count("Action", box), 1u);

  pointer.Press(WidgetOf(*button), QPoint(40, 12));
  pointer.Release(WidgetOf(*button), QPoint(40, 12));
  EXPECT_EQ(w->Count("Action", button), 1u);
  WidgetOf(*button)->setFocus();
  QTest::keyClick(WidgetOf(*button), Qt::Key_Space);
  EXPECT_EQ(w->Count("Action", button), 2u);
}

class CanvasMouseTest : public EventsTest {
 protected:
  void SetUp() override {
    EventsTest::SetUp();
    w = Open([this](ProbeWindow& w) {
      Make<Rectangle>(w, "Frame", Placed("", 20, 20, 220, 170));
      canvas = Make<Canvas>(w, "Canvas", Placed("Frame", 30, 30, 200, 150));
      other = Make<PushButton>(w, "Other", Placed("", 300, 30, 80, 24).String("Caption", "other"));
      label = Make<Label>(w, "Link", Placed("", 250, 200, 120, 24).String("Value", "example.org"));
      BindCanvas(w, *canvas);
      RuntimeAddEventHandler(*label, EventId::MouseDown, MouseDownDelegate::Create(&w, &ProbeWindow::LabelDown));
      RuntimeAddEventHandler(*label, EventId::MouseUp, MouseDelegate::Create(&w, &ProbeWindow::LabelUp));
    });
    cw = WidgetOf(*canvas);
    pointer = std::make_unique<Pointer>(*w);
    pointer->Move(WidgetOf(*other), QPoint(5, 5));
    w->calls.clear();
  }
  std::vector<Call> Mouse() const {
    std::vector<Call> result;
    for (const Call& c : w->calls) {
      if (c.event != "Paint") result.push_back(c);
    }
    return result;
  }
  ProbeWindow* w = nullptr;
  Canvas* canvas = nullptr;
  PushButton* other = nullptr;
  Label* label = nullptr;
  QWidget* cw = nullptr;
  std::unique_ptr<Pointer> pointer;
};

TEST_F(CanvasMouseTest, ClaimedPressDragsAndEndsWithOneReleaseEvenOutside) {
  pointer->Move(cw, QPoint(10, 10));
  pointer->Press(cw, QPoint(10, 10));
  pointer->Move(cw, QPoint(25, 40));
  pointer->Move(WidgetOf(*other), QPoint(10, 10));  // dragged off the canvas, over another control
  pointer->Release(WidgetOf(*other), QPoint(10, 10));
  const QPoint outside = cw->mapFromGlobal(WidgetOf(*other)->mapToGlobal(QPoint(10, 10)));

  std::vector<Call> calls = Mouse();
  std::vector<std::string> names;
  for (const Call& c : calls) names.push_back(c.event);
  // Enter and the hover before the press, then the claimed press.
  ASSERT_EQ(names, (std::vector<std::string>{"MouseEnter", "MouseMove", "MouseDown", "MouseDrag", "MouseDrag", "MouseUp",
                                             "MouseExit"}));
  EXPECT_EQ(calls[2].x, 10);
  EXPECT_EQ(calls[2].y, 10);
  EXPECT_EQ(calls[3].x, 25);
  EXPECT_EQ(calls[3].y, 40);
  EXPECT_EQ(calls[4].x, outside.x());  // canvas pixels, beyond its right edge
  EXPECT_EQ(calls[5].x, outside.x());
  EXPECT_EQ(calls[5].y, outside.y());
  EXPECT_GT(calls[5].x, cw->width());
  EXPECT_EQ(calls[5].sender, canvas);
}

TEST_F(CanvasMouseTest, OtherButtonsLeaveAClaimAlone) {
  QWindow* window = WidgetOf(*w)->windowHandle();
  const auto click = [&](Qt::MouseButton button, QPoint p, bool press) {
    const QPoint at = cw->mapTo(WidgetOf(*w), p);
    press ? QTest::mousePress(window, button, Qt::NoModifier, at) : QTest::mouseRelease(window, button, Qt::NoModifier, at);
  };
  pointer->Move(cw, QPoint(10, 10));
  pointer->Press(cw, QPoint(10, 10));
  click(Qt::RightButton, QPoint(10, 10), true);
  click(Qt::RightButton, QPoint(10, 10), false);
  click(Qt::MiddleButton, QPoint(10, 10), true);
  pointer->Move(cw, QPoint(30, 30));
  click(Qt::MiddleButton, QPoint(30, 30), false);
  pointer->Release(cw, QPoint(30, 30));

  std::vector<std::string> names;
  for (const Call& c : Mouse()) {
    if (c.event != "MouseEnter" && c.event != "MouseExit") names.push_back(c.event + " " + std::to_string(c.x) + "," + std::to_string(c.y));
  }
  EXPECT_EQ(names, (std::vector<std::string>{"MouseMove 10,10", "MouseDown 10,10", "MouseDrag 30,30", "MouseUp 30,30"}));
}

// Each way a claimed press of a canvas or label can end without its release
// gives one MouseUp at the last position seen, and not as a release: at once
// for a modal dialog, deactivation or hiding, with the next move or press when
// a popup took the release. The next click is a claim of its own again.
TEST_F(CanvasMouseTest, EachWayAClaimEndsGivesOneMouseUp) {
  QMenu menu;
  menu.addAction("item");
  QDialog dialog(WidgetOf(*w));
  dialog.setModal(true);
  QWidget elsewhere;
  const std::vector<std::pair<std::string, std::function<void(RectControl&)>>> ways = {
      {"popup", [&](RectControl&) { menu.popup(WidgetOf(*other)->mapToGlobal(QPoint(0, 40))); }},
      {"dialog", [&](RectControl&) { dialog.show(); }},
      {"deactivated",
       [&](RectControl&) {
         elsewhere.show();
         elsewhere.activateWindow();
         EXPECT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
       }},
      {"hidden", [&](RectControl& c) { c.SetVisible(false); }},
  };
  for (RectControl* control : {static_cast<RectControl*>(canvas), static_cast<RectControl*>(label)}) {
    QWidget* widget = WidgetOf(*control);
    for (const auto& [way, interrupt] : ways) {
      SCOPED_TRACE(control->Name() + " " + way);
      WidgetOf(*w)->activateWindow();
      ASSERT_TRUE(QTest::qWaitForWindowActive(WidgetOf(*w)));
      w->calls.clear();
      pointer->Move(widget, QPoint(10, 10));
      pointer->Press(widget, QPoint(10, 10));
      pointer->Move(widget, QPoint(30, 15));
      interrupt(*control);
      Settle();
      EXPECT_EQ(w->Count("MouseUp"), way == "popup" ? 0u : 1u);
      pointer->Release(WidgetOf(*other), QPoint(5, 5));  // to the popup, or lost
      menu.close();
      dialog.hide();
      elsewhere.hide();
      control->SetVisible(true);
      pointer->Move(widget, QPoint(50, 22));
      pointer->Press(widget, QPoint(50, 22));
      pointer->Release(widget, QPoint(50, 22));
      std::vector<std::string> claims;
      for (const Call& c : w->calls) {
        if (c.event == "MouseDown" || c.event == "MouseUp") {
          claims.push_back(c.event + " " + std::to_string(c.x) + "," + std::to_string(c.y) + (c.text.empty() ? "" : " " + c.text));
        }
      }
      EXPECT_EQ(claims, (std::vector<std::string>{"MouseDown 10,10", "MouseUp 30,15", "MouseDown 50,22", "MouseUp 50,22 released"}));
    }
  }
}

TEST_F(CanvasMouseTest, UnclaimedPressGetsNoDragAndNoRelease) {
  w->mouseDownAnswer = false;
  pointer->Move(cw, QPoint(50, 50));
  pointer->Press(cw, QPoint(50, 50));
  pointer->Move(cw, QPoint(60, 60));
  pointer->Release(cw, QPoint(60, 60));
  pointer->Move(cw, QPoint(70, 65));  // no button held: a plain move again
  std::vector<std::string> names;
  for (const Call& c : Mouse()) names.push_back(c.event);
  EXPECT_EQ(names, (std::vector<std::string>{"MouseEnter", "MouseMove", "MouseDown", "MouseMove"}));
  EXPECT_EQ(Mouse().back().x, 70);
  EXPECT_EQ(Mouse().back().y, 65);
}

TEST_F(CanvasMouseTest, PaintDrawsOnTheWholeCanvasAndRefreshAsksAgain) {
  Settle();
  const int before = w->paints;
  EXPECT_GE(before, 1);
  EXPECT_EQ(w->paintWidth, 200.0);
  EXPECT_EQ(w->paintHeight, 150.0);
  canvas->Refresh(true);
  Settle();
  EXPECT_GT(w->paints, before);
  const int afterCanvas = w->paints;
  w->Refresh(true);
  Settle();
  EXPECT_GT(w->paints, afterCanvas) << "a window refresh repaints its canvases too";
}

TEST_F(EventsTest, LabelPressClaimedByTrueReleasesOnceAnywhere) {
  Label* link = nullptr;
  PushButton* other = nullptr;
  ProbeWindow* w = Open([&](ProbeWindow& w) {
    link = Make<Label>(w, "Link", Placed("", 20, 20, 120, 24).String("Value", "example.org"));
    other = Make<PushButton>(w, "Other", Placed("", 200, 20, 80, 24).String("Caption", "other"));
    RuntimeAddEventHandler(*link, EventId::MouseEnter, ControlDelegate::Create(&w, &ProbeWindow::LabelEnter));
    RuntimeAddEventHandler(*link, EventId::MouseExit, ControlDelegate::Create(&w, &ProbeWindow::LabelExit));
    RuntimeAddEventHandler(*link, EventId::MouseDown, MouseDownDelegate::Create(&w, &ProbeWindow::LabelDown));
    RuntimeAddEventHandler(*link, EventId::MouseUp, MouseDelegate::Create(&w, &ProbeWindow::LabelUp));
  });
  Pointer pointer(*w);
  pointer.Move(WidgetOf(*other), QPoint(5, 5));
  pointer.Move(WidgetOf(*link), QPoint(10, 10));
  pointer.Press(WidgetOf(*link), QPoint(10, 10));
  pointer.Move(WidgetOf(*other), QPoint(10, 10));
  pointer.Release(WidgetOf(*other), QPoint(10, 10));
  EXPECT_EQ(w->Events(), (std::vector<std::string>{"MouseEnter", "MouseDown", "MouseUp", "MouseExit"}));

  w->calls.clear();
  w->mouseDownAnswer = false;
  pointer.Move(WidgetOf(*link), QPoint(10, 10));
  pointer.Press(WidgetOf(*link), QPoint(10, 10));
  pointer.Release(WidgetOf(*link), QPoint(10, 10));
  EXPECT_EQ(w->Events(), (std::vector<std::string>{"MouseEnter", "MouseDown"}));
}

TEST_F(EventsTest, BindingChecksTheEventAndTheDelegatesSignature) {
  ProbeWindow* w = Open([](ProbeWindow&) {});
  auto* label = w->_New<Label>();
  auto* slider = w->_New<Slider>();
  auto* canvas = w->_New<Canvas>();
  auto* rect = w->_New<Rectangle>();
  auto sliderDelegate = ControlDelegate::Create(w, &ProbeWindow::SliderChanged);
  EXPECT_THROW(RuntimeAddEventHandler(*label, EventId::ValueChanged, sliderDelegate), ToolkitException);
  EXPECT_THROW(RuntimeAddEventHandler(*rect, EventId::Action, sliderDelegate), ToolkitException);
  EXPECT_THROW(RuntimeAddEventHandler(*slider, EventId::MouseDown, MouseDownDelegate::Create(w, &ProbeWindow::CanvasDown)),
               ToolkitException);
  // A label has no drag; a canvas's release takes no Boolean answer.
  EXPECT_THROW(RuntimeAddEventHandler(*label, EventId::MouseDrag, MouseDelegate::Create(w, &ProbeWindow::LabelUp)),
               ToolkitException);
  EXPECT_THROW(RuntimeAddEventHandler(*canvas, EventId::MouseUp, MouseDownDelegate::Create(w, &ProbeWindow::CanvasDown)),
               ToolkitException);
  EXPECT_THROW(RuntimeAddEventHandler(*canvas, EventId::Paint, MouseDelegate::Create(w, &ProbeWindow::CanvasUp)),
               ToolkitException);
  EXPECT_NO_THROW(RuntimeAddEventHandler(*slider, EventId::ValueChanged, sliderDelegate));
}

TEST_F(EventsTest, DelegatesRunTheOverrideOfADerivedWindow) {
  struct Derived : ProbeWindow {
    void SliderChanged(Slider& s) override { Note("Override", s); }
  };
  Slider* slider = nullptr;
  ProbeWindow* w = Open(
      [&](ProbeWindow& w) {
        slider = Make<Slider>(w, "S", SliderRecord(10, 10, 0, true));
        BindSlider(w, *slider);  // bound through the base class's handler
      },
      new Derived);
  slider->SetValue(4);
  EXPECT_EQ(w->Events(), (std::vector<std::string>{"Override"}));
}

TEST_F(EventsTest, AnExceptionInAHandlerIsReportedAndGoesNoFurther) {
  struct Throwing : ProbeWindow {
    void ButtonAction(PushButton&) override { throw std::runtime_error("handler failed"); }
    bool CanvasDown(Canvas& c, int32_t x, int32_t y) override {
      Note("MouseDown", c, x, y);
      throw std::runtime_error("press failed");
    }
  };
  PushButton* button = nullptr;
  Canvas* canvas = nullptr;
  Slider* slider = nullptr;
  ProbeWindow* w = Open(
      [&](ProbeWindow& w) {
        button = Make<PushButton>(w, "B", Placed("", 10, 10, 80, 24).String("Caption", "go"));
        canvas = Make<Canvas>(w, "C", Placed("", 10, 50, 100, 100));
        slider = Make<Slider>(w, "S", SliderRecord(150, 10, 0, true));
        RuntimeAddEventHandler(*button, EventId::Action, ControlDelegate::Create(&w, &ProbeWindow::ButtonAction));
        BindCanvas(w, *canvas);
        RuntimeAddEventHandler(*slider, EventId::ValueChanged, ControlDelegate());  // no target
      },
      new Throwing);
  Pointer pointer(*w);
  pointer.Press(WidgetOf(*button), QPoint(40, 12));
  pointer.Release(WidgetOf(*button), QPoint(40, 12));
  ASSERT_EQ(unhandled.size(), 1u);
  EXPECT_EQ(unhandled[0], "handler failed");

  // A press whose handler failed claims nothing: no release follows.
  pointer.Press(WidgetOf(*canvas), QPoint(20, 20));
  pointer.Release(WidgetOf(*canvas), QPoint(20, 20));
  EXPECT_EQ(w->Count("MouseUp"), 0u);
  ASSERT_EQ(unhandled.size(), 2u);
  EXPECT_EQ(unhandled[1], "press failed");

  EXPECT_NO_THROW(slider->SetValue(3));
  ASSERT_EQ(unhandled.size(), 3u);
  EXPECT_NE(unhandled[2].find("NilObjectException"), std::string::npos);
  EXPECT_EQ(slider->Value(), 3);
  unhandled.clear();
}

}  // namespace
