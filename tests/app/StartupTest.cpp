// The program's life: start-up order, the application object, quitting and
// the releases at exit.
#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>

#include <stdexcept>

#include "AppFixture.h"
#include "app/MenuBar1.h"

namespace {

int VisibleMainWindows() {
  int n = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) n += qobject_cast<QMainWindow*>(w) && w->isVisible();
  return n;
}

void ExpectReleased(const DiagramState& s) {
  EXPECT_EQ(s.blackSys, nullptr);
  EXPECT_EQ(s.blackThing, nullptr);
  EXPECT_EQ(s.pageSetup, nullptr);
  EXPECT_EQ(s.redSys, nullptr);
  EXPECT_EQ(s.redThing, nullptr);
  EXPECT_EQ(s.spaceUnit, "");
  EXPECT_EQ(s.timeUnit, "");
}

enum class QuitWay { QuitMenuItem, QuitShortcut, CloseMainWindow, QuitButton };

class AppMainTest : public testing::TestWithParam<QuitWay> {
 protected:
  void SetUp() override { RuntimeResetForTesting(); }
  void TearDown() override {
    CloseAllWindowsForTesting();
    Settle();
    RuntimeResetForTesting();
  }
};

TEST_P(AppMainTest, RunsUntilTheUserQuitsThenReleasesAndReturnsZero) {
  ExceptionCatcher catcher;
  std::weak_ptr<MenuBar> menuBar;
  bool ran = false;
  QTimer::singleShot(0, [&] {
    ran = true;
    auto* app = dynamic_cast<App*>(CurrentApplication());
    ASSERT_NE(app, nullptr);
    EXPECT_EQ(app->MajorVersion(), 1);
    EXPECT_EQ(app->MinorVersion() + app->BugVersion() + app->NonReleaseVersion() + app->StageCode(), 0);
    EXPECT_EQ(app->LongVersion() + app->ShortVersion() + app->PackageInfo(), "");
    menuBar = app->MenuBar();
    EXPECT_EQ(app->MenuBar(), MenuBar1Instance());
    auto* main = dynamic_cast<Window1*>(FindImplicitWindow("Window1.Window1"));
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(FindImplicitWindow("Window2.Window2"), nullptr);
    EXPECT_EQ(VisibleMainWindows(), 1);
    EXPECT_NE(State().pageSetup, nullptr);
    switch (GetParam()) {
      case QuitWay::QuitMenuItem: MenuAction(*main, "FileQuit")->trigger(); break;
      case QuitWay::QuitShortcut:
        QApplication::setActiveWindow(WidgetOf(*main));
        QTest::keyClick(WidgetOf(*main), Qt::Key_Q, Qt::ControlModifier);
        break;
      case QuitWay::CloseMainWindow: WidgetOf(*main)->close(); break;
      case QuitWay::QuitButton: QTest::mouseClick(WidgetOf(*main->PushButton3()), Qt::LeftButton); break;
    }
  });
  QTimer::singleShot(5000, [] { QuitApplication(99); });  // never hang the suite

  EXPECT_EQ(AppMain(), 0);
  EXPECT_TRUE(ran);
  EXPECT_TRUE(catcher.caught.empty());
  ExpectReleased(State());
  // The holder gave up its reference: the menu bar ends with the application object.
  EXPECT_FALSE(menuBar.expired());
  RuntimeResetForTesting();
  EXPECT_TRUE(menuBar.expired());
}

INSTANTIATE_TEST_SUITE_P(EveryWay, AppMainTest,
                         testing::Values(QuitWay::QuitMenuItem, QuitWay::QuitShortcut, QuitWay::CloseMainWindow,
                                         QuitWay::QuitButton));

TEST_F(AppMainTest, AnExceptionEscapingTheEventLoopIsReportedAndTheReleasesStillRun) {
  ExceptionCatcher catcher;
  QTimer::singleShot(0, [] { throw std::runtime_error("escaped from a handler"); });
  QTimer::singleShot(5000, [] { QuitApplication(99); });

  const int32_t status = AppMain();
  EXPECT_NE(status, 0);
  EXPECT_NE(status, 99);
  EXPECT_EQ(catcher.caught, std::vector<std::string>{"escaped from a handler"});
  ExpectReleased(State());
}

// A main window that notes what stands when its Open event runs.
class OpenProbe : public Window1 {
 public:
  void Event_Open() override {
    const DiagramState& s = State();
    defaultsInPlace = s.speed == 0.6 && s.unitIndex == 3 && s.currentTime == 72 && s.originX == 300 &&
                      s.originY == 400 && s.viewIndex == 0 && !s.meetingPicked && !s.hasPageSetup;
    const MenuItem* bar = CurrentApplication() ? CurrentApplication()->MenuBar().get() : nullptr;
    menuBarInstalled = dynamic_cast<const MenuBar1*>(bar) && bar->Child("FileMenu")->Count() == 5 &&
                       bar->Child("EditMenu")->Count() == 8 && MenuAction(*this, "FilePrint") != nullptr;
    Window1::Event_Open();
  }
  bool defaultsInPlace = false;
  bool menuBarInstalled = false;
};

TEST(StartupOrderTest, DefaultsAndMenuBarStandBeforeTheMainWindowOpens) {
  RuntimeResetForTesting();
  ExceptionCatcher catcher;

  RegisterClassesAndGlobals();
  EXPECT_DOUBLE_EQ(State().speed, 0.6);
  EXPECT_EQ(State().blackSys, nullptr);
  EXPECT_EQ(CurrentApplication(), nullptr);
  EXPECT_EQ(FindImplicitWindow("Window1.Window1"), nullptr);

  CreateAppObject();
  ASSERT_NE(CurrentApplication(), nullptr);
  EXPECT_EQ(CurrentApplication()->GetClassInfo().Name(), "App");
  EXPECT_EQ(CurrentApplication()->GetClassInfo().Super(), &Application::Class());
  for (const char* event : {"Open", "Close", "NewDocument", "OpenDocument", ""}) {
    EXPECT_FALSE(CurrentApplication()->IsEventImplemented(event)) << event;
  }

  OpenProbe* probe = nullptr;
  RunFrameworkInitialization([&probe] {
    probe = new OpenProbe;
    probe->Constructor();
    OpenMainWindow();  // finds the open window and builds no second one
  });
  ASSERT_NE(probe, nullptr);
  EXPECT_TRUE(probe->defaultsInPlace);
  EXPECT_TRUE(probe->menuBarInstalled);
  EXPECT_EQ(ImplicitWindow1(), probe);
  EXPECT_EQ(VisibleMainWindows(), 1);

  QuitApplication(0);
  RuntimeRun();
  ReleaseGlobals();
  EXPECT_EQ(RuntimeExit(), 0);
  ExpectReleased(State());
  EXPECT_TRUE(catcher.caught.empty());
  CloseAllWindowsForTesting();
  Settle();
  RuntimeResetForTesting();
}

}  // namespace
