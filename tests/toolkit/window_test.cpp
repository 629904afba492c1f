// Windows: the order in which one is built and opened, its record, client
// size and frame, closing by the user or the program, deleting it directly,
// cursors and repaints.
#include <QCloseEvent>
#include <QLayout>
#include <QMainWindow>
#include <QPointer>
#include <QScreen>

#include "widget_harness.h"

using namespace widgettest;

namespace {

class WindowTest : public WidgetTest {};

TEST_F(WindowTest, BuildsInOrderAndOpensBeforeTheFirstPaint) {
  struct Watching : ProbeWindow {
    Window* implicitDuringOpen = nullptr;
    bool visibleDuringOpen = true;
    int paintsBeforeOpen = -1;
    size_t controlsAtOpen = 0;
  };
  auto* w = new Watching;
  w->onOpen = [w](ProbeWindow&) {
    w->implicitDuringOpen = FindImplicitWindow("ProbeWindow.ProbeWindow");
    w->visibleDuringOpen = WidgetOf(*w)->isVisible();
    w->paintsBeforeOpen = w->paints;
    w->controlsAtOpen = w->Controls().size();
  };
  Open(
      [](ProbeWindow& w) {
        auto* c = Make<Canvas>(w, "Canvas1", Placed("", 10, 10, 100, 100));
        RuntimeAddEventHandler(*c, EventId::Paint, PaintDelegate::Create(&w, &ProbeWindow::CanvasPaint));
        // Asking for paints while building changes nothing.
        c->Refresh(true);
        w.Refresh(true);
        QApplication::processEvents();
      },
      w);
  EXPECT_EQ(w->hooks, (std::vector<std::string>{"Layout", "CreateControls", "AddMenuHandlers", "Open"}));
  EXPECT_EQ(w->implicitDuringOpen, w);
  EXPECT_FALSE(w->visibleDuringOpen);
  EXPECT_EQ(w->paintsBeforeOpen, 0);
  EXPECT_EQ(w->controlsAtOpen, 1u);
  Settle();
  EXPECT_TRUE(WidgetOf(*w)->isVisible());
  EXPECT_GE(w->paints, 1);
  EXPECT_TRUE(w->IsOpen());
  EXPECT_EQ(FindImplicitWindow("ProbeWindow.ProbeWindow"), w);
}

TEST_F(WindowTest, AFixedWindowKeepsItsClientSizeAndFrameButtons) {
  auto* w = new ProbeWindow;
  w->layoutRecord = RecordBuilder()
                        .Int32("Width", 545)
                        .Int32("Height", 328)
                        .String("Title", "about Kestrane")
                        .Boolean("HasCloseButton", true)
                        .Boolean("HasMaximizeButton", false)
                        .Boolean("HasMinimizeButton", false)
                        .Boolean("Resizeable", false)
                        .Int32("DefaultLocation", 1)
                        .Color("BackgroundColor", 0x00FFFFFF)
                        .Bytes();
  Open([](ProbeWindow&) {}, w);
  QMainWindow* top = WidgetOf(*w);
  EXPECT_EQ(top->windowTitle(), QString("about Kestrane"));
  EXPECT_EQ(ClientAreaOf(*w)->size(), QSize(545, 328));
  EXPECT_EQ(top->minimumSize(), top->maximumSize());
  EXPECT_TRUE(top->windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(top->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(top->windowFlags() & Qt::WindowMinimizeButtonHint);
  top->resize(700, 500);
  Settle();
  EXPECT_EQ(ClientAreaOf(*w)->size(), QSize(545, 328));
  EXPECT_EQ(w->Width(), 545);
}

TEST_F(WindowTest, AResizeableWindowStartsAtItsSizeAndFollowsTheUser) {
  auto* w = new ProbeWindow;
  w->layoutRecord = RecordBuilder()
                        .Int32("Width", 300)
                        .Int32("Height", 200)
                        .Int32("MinimumWidth", 100)
                        .Int32("MinimumHeight", 80)
                        .Boolean("HasMaximizeButton", true)
                        .Boolean("Resizeable", true)
                        .Bytes();
  Open([](ProbeWindow&) {}, w);
  QMainWindow* top = WidgetOf(*w);
  EXPECT_EQ(ClientAreaOf(*w)->size(), QSize(300, 200));
  EXPECT_TRUE(top->windowFlags() & Qt::WindowMaximizeButtonHint);
  top->resize(top->width() + 50, top->height() + 40);
  Settle();
  EXPECT_EQ(w->Width(), 350);
  EXPECT_EQ(w->Height(), 240);
}

TEST_F(WindowTest, AFixedWindowLargerThanTheScreenFitsItAndScrollsToTheFocus) {
  auto* w = new ProbeWindow;  // on the offscreen screen of 800 x 800
  w->layoutRecord = RecordBuilder().Int32("Width", 900).Int32("Height", 900).Boolean("Resizeable", false).Bytes();
  RadioButton *first = nullptr, *last = nullptr;
  Slider* slider = nullptr;
  Open([&](ProbeWindow& w) {
    auto* c = Make<Canvas>(w, "Canvas1", Placed("", 0, 0, 100, 100));
    RuntimeAddEventHandler(*c, EventId::Paint, PaintDelegate::Create(&w, &ProbeWindow::CanvasPaint));
    first = Make<RadioButton>(w, "First", Placed("", 10, 110, 80, 20));
    last = Make<RadioButton>(w, "Last", Placed("", 810, 870, 80, 20));
    slider = Make<Slider>(w, "Slider", Placed("", 10, 140, 200, 24).Int32("Value", 50));
  }, w);
  QMainWindow* top = WidgetOf(*w);
  EXPECT_TRUE(top->screen()->availableGeometry().contains(top->frameGeometry()));
  const int paints = w->paints;
  w->Refresh(true);  // reaches the controls through the scroll area
  Settle();
  EXPECT_GT(w->paints, paints);
  WheelDown(WidgetOf(*slider));  // the wheel scrolls the view, past a slider without the focus
  EXPECT_EQ(slider->Value(), 50);
  EXPECT_LT(ClientAreaOf(*w)->y(), 0);
  WidgetOf(*slider)->setFocus();
  WheelDown(WidgetOf(*slider));
  EXPECT_LT(slider->Value(), 50);
  WidgetOf(*first)->setFocus();
  QTest::keyClick(WidgetOf(*first), Qt::Key_Right);  // moves the focus, not through the tab chain
  ASSERT_EQ(QApplication::focusWidget(), WidgetOf(*last));
  EXPECT_TRUE(top->rect().contains(QRect(WidgetOf(*last)->mapTo(top, QPoint()), WidgetOf(*last)->size())));
}

TEST_F(WindowTest, ClosingRaisesCloseThenDestroysTheWindowLater) {
  ProbeWindow* w = Open([](ProbeWindow& w) { Make<Canvas>(w, "Canvas1", Placed("", 0, 0, 50, 50)); });
  QPointer<QMainWindow> top = WidgetOf(*w);
  QPointer<QWidget> canvas = WidgetOf(*w->_ControlByName("Canvas1"));
  std::vector<std::string>* hooks = &w->hooks;

  top->close();  // as the user's close button does
  EXPECT_EQ(hooks->back(), "Close");
  EXPECT_FALSE(w->IsOpen());
  EXPECT_EQ(FindImplicitWindow("ProbeWindow.ProbeWindow"), nullptr);
  EXPECT_FALSE(top->isVisible());
  w->Close();  // closing again does nothing
  EXPECT_EQ(std::count(hooks->begin(), hooks->end(), "Close"), 1);

  QTest::qWait(0);  // back in the event loop: the window goes
  EXPECT_TRUE(top.isNull());
  EXPECT_TRUE(canvas.isNull());
}

TEST_F(WindowTest, AHandlerMayCloseItsOwnWindow) {
  struct SelfClosing : ProbeWindow {
    bool* usableAfterClose = nullptr;
    void ButtonAction(PushButton& b) override {
      Close();
      // The window and the button stay usable until the handler returns.
      *usableAfterClose = !IsOpen() && hooks.back() == "Close" && b.Caption() == "Quit" &&
                          WidgetOf(b)->parentWidget() != nullptr;
    }
  };
  bool usable = false;
  PushButton* quit = nullptr;
  auto* w = new SelfClosing;
  w->usableAfterClose = &usable;
  Open(
      [&](ProbeWindow& w) {
        quit = Make<PushButton>(w, "Quit", Placed("", 10, 10, 78, 21).String("Caption", "Quit"));
        RuntimeAddEventHandler(*quit, EventId::Action, ControlDelegate::Create(&w, &ProbeWindow::ButtonAction));
      },
      w);
  QPointer<QMainWindow> top = WidgetOf(*w);
  QPointer<QWidget> button = WidgetOf(*quit);
  Pointer pointer(*w);
  pointer.Press(button, QPoint(30, 10));
  pointer.Release(button, QPoint(30, 10));  // the window may be gone once this returns
  EXPECT_TRUE(usable);
  QTest::qWait(0);
  EXPECT_TRUE(top.isNull());
  EXPECT_TRUE(button.isNull());
}

TEST_F(WindowTest, DeletingAWindowDirectlyRaisesNoClose) {
  bool closed = false;
  struct Noting : ProbeWindow {
    bool* closed = nullptr;
    void Event_Close() override { *closed = true; }
  };
  auto* w = new Noting;
  w->closed = &closed;
  Open([](ProbeWindow& w) { Make<Label>(w, "Text", Placed("", 0, 0, 50, 20)); }, w);
  QPointer<QMainWindow> top = WidgetOf(*w);
  QPointer<QWidget> label = WidgetOf(*w->_ControlByName("Text"));
  delete w;
  EXPECT_FALSE(closed);
  EXPECT_TRUE(top.isNull());
  EXPECT_TRUE(label.isNull());
  EXPECT_EQ(FindImplicitWindow("ProbeWindow.ProbeWindow"), nullptr);

  // Also when it was closed and waits to be deleted.
  ProbeWindow* second = Open([](ProbeWindow&) {});
  second->Close();
  delete second;
  QTest::qWait(0);  // the pending deletion must not strike again

  // Another open window of the class takes over as the implicit instance.
  ProbeWindow* first = Open([](ProbeWindow&) {});
  ProbeWindow* third = Open([](ProbeWindow&) {});
  third->Close();
  EXPECT_EQ(FindImplicitWindow("ProbeWindow.ProbeWindow"), first);
  top = WidgetOf(*first);
  CloseAllWindowsForTesting();
  EXPECT_TRUE(top.isNull());
  EXPECT_EQ(FindImplicitWindow("ProbeWindow.ProbeWindow"), nullptr);
}

TEST_F(WindowTest, AWindowThatFailsToBuildIsNobodysImplicitInstance) {
  auto w = std::make_unique<ProbeWindow>();
  w->layoutRecord = RecordBuilder().Int32("Width", 100).Int32("NoSuchProperty", 1).Bytes();
  w->build = [](ProbeWindow&) {};
  EXPECT_THROW(w->Constructor(), PropertyRecordException);
  EXPECT_EQ(FindImplicitWindow("ProbeWindow.ProbeWindow"), nullptr);
  EXPECT_FALSE(w->IsOpen());
  EXPECT_FALSE(WidgetOf(*w)->isVisible());
}

TEST_F(WindowTest, MouseCursorsMapToQtShapes) {
  Canvas* canvas = nullptr;
  Open([&](ProbeWindow& w) { canvas = Make<Canvas>(w, "C", Placed("", 0, 0, 50, 50)); });
  const _Cursors& cursors = GetCursors();
  canvas->SetMouseCursor(cursors.HandOpen);
  EXPECT_EQ(WidgetOf(*canvas)->cursor().shape(), Qt::OpenHandCursor);
  EXPECT_EQ(canvas->GetMouseCursor(), cursors.HandOpen);
  canvas->SetMouseCursor(cursors.FingerPointer);
  EXPECT_EQ(WidgetOf(*canvas)->cursor().shape(), Qt::PointingHandCursor);
  canvas->SetMouseCursor(cursors.StandardPointer);
  EXPECT_EQ(WidgetOf(*canvas)->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(WindowTest, KeyboardFocusFollowsTabIndexWithinContainers) {
  PushButton *a = nullptr, *b = nullptr, *c = nullptr;
  Open([&](ProbeWindow& w) {
    Make<GroupBox>(w, "G", Placed("", 0, 0, 300, 100).Int32("TabIndex", 0));
    c = Make<PushButton>(w, "C", Placed("G", 10, 30, 50, 20).Int32("TabIndex", 2));
    a = Make<PushButton>(w, "A", Placed("G", 70, 30, 50, 20).Int32("TabIndex", 0));
    b = Make<PushButton>(w, "B", Placed("", 10, 150, 50, 20).Int32("TabIndex", 1));
  });
  EXPECT_EQ(WidgetOf(*a)->nextInFocusChain(), WidgetOf(*c));
  EXPECT_EQ(WidgetOf(*c)->nextInFocusChain(), WidgetOf(*b));
}

}  // namespace
