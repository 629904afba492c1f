// Application life: quitting before and during the event loop, unhandled
// exceptions, the start-up callback, URLs and the resources folder.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTimer>
#include <stdexcept>
#include <string>
#include <vector>

#include "toolkit/Graphics.h"
#include "toolkit/Runtime.h"

namespace {

class RuntimeTest : public testing::Test {
 protected:
  void SetUp() override { RuntimeResetForTesting(); }
  void TearDown() override {
    SetUnhandledExceptionHandlerForTesting({});
    SetShowURLHookForTesting({});
    SetResourcesFolderForTesting("");
    RuntimeResetForTesting();
  }

  // Runs the event loop with `step` queued as its first event. A loop that
  // does not end within five seconds is ended from outside and reported.
  void RunLoopWith(const std::function<void()>& step) {
    QTimer first;
    first.setSingleShot(true);
    QObject::connect(&first, &QTimer::timeout, step);
    first.start(0);
    QTimer watchdog;
    watchdog.setSingleShot(true);
    bool stuck = false;
    QObject::connect(&watchdog, &QTimer::timeout, [&stuck] {
      stuck = true;
      QCoreApplication::exit(99);
    });
    watchdog.start(5000);
    RuntimeRun();
    EXPECT_FALSE(stuck) << "the event loop did not end";
  }
};

TEST_F(RuntimeTest, QuitBeforeTheLoopEndsItAtOnceWithThatStatus) {
  QuitApplication(3);
  bool loopRan = false;
  RunLoopWith([&loopRan] { loopRan = true; });
  EXPECT_FALSE(loopRan);
  EXPECT_EQ(RuntimeExit(), 3);
}

TEST_F(RuntimeTest, QuitDuringTheLoopEndsItAndTheLastCodeWins) {
  RunLoopWith([] {
    QuitApplication(7);
    QuitApplication(0);
  });
  EXPECT_EQ(RuntimeExit(), 0);

  RuntimeResetForTesting();
  RunLoopWith([] { QuitApplication(5); });
  EXPECT_EQ(RuntimeExit(), 5);
}

TEST_F(RuntimeTest, ExceptionEscapingAnEventIsReportedAndEndsTheLoop) {
  testing::internal::CaptureStderr();
  RunLoopWith([] { throw std::runtime_error("boom in a handler"); });
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("Unhandled exception: boom in a handler"), std::string::npos) << err;
  EXPECT_NE(RuntimeExit(), 0);

  // A later quit with 0 does not hide the failure.
  QuitApplication(0);
  EXPECT_EQ(RuntimeExit(), 1);
  // Once failed, a new loop does not start.
  bool loopRan = false;
  RunLoopWith([&loopRan] { loopRan = true; });
  EXPECT_FALSE(loopRan);
}

TEST_F(RuntimeTest, ReportNamesTheTypeWhenThereIsNoMessage) {
  testing::internal::CaptureStderr();
  RunLoopWith([] { throw 42; });
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("Unhandled exception: int"), std::string::npos) << err;
  EXPECT_EQ(RuntimeExit(), 1);

  // A null exception object is reported, not rethrown.
  RuntimeResetForTesting();
  testing::internal::CaptureStderr();
  RuntimeUnhandledException(nullptr);
  err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("Unhandled exception:"), std::string::npos) << err;
  EXPECT_EQ(RuntimeExit(), 1);
}

TEST_F(RuntimeTest, TestSeamReplacesTheReportButNotTheStatus) {
  std::vector<std::string> seen;
  SetUnhandledExceptionHandlerForTesting([&seen](std::exception_ptr e) {
    try {
      std::rethrow_exception(e);
    } catch (const std::exception& ex) {
      seen.push_back(ex.what());
    }
  });
  testing::internal::CaptureStderr();
  RunLoopWith([] { throw std::logic_error("caught by the seam"); });
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(seen, std::vector<std::string>{"caught by the seam"});
  EXPECT_EQ(err.find("Unhandled exception"), std::string::npos) << err;
  EXPECT_EQ(RuntimeExit(), 1);
}

TEST_F(RuntimeTest, FrameworkInitializationCallsBackOnceWithTheApplicationRegistered) {
  auto app = std::make_shared<Application>();
  RuntimeRegisterAppObject(app);
  int calls = 0;
  Application* seen = nullptr;
  RunFrameworkInitialization([&] {
    ++calls;
    seen = CurrentApplication();
  });
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(seen, app.get());

  EXPECT_THROW(RunFrameworkInitialization([] { throw std::runtime_error("start-up failed"); }),
               std::runtime_error);
  EXPECT_NO_THROW(RunFrameworkInitialization({}));

  RuntimeResetForTesting();
  EXPECT_EQ(CurrentApplication(), nullptr);
  EXPECT_EQ(app.use_count(), 1) << "the toolkit still holds the dropped application";
}

TEST_F(RuntimeTest, ShowURLGoesToTheSeamUnchanged) {
  std::vector<std::string> urls;
  SetShowURLHookForTesting([&urls](const std::string& url) { urls.push_back(url); });
  ShowURL("https://example.org/kestrane");
  ShowURL("mailto:autor@example.org?subject=Gr%C3%BC%C3%9Fe Zürich");
  ShowURL("");
  ASSERT_EQ(urls.size(), 3u);
  EXPECT_EQ(urls[1], "mailto:autor@example.org?subject=Gr%C3%BC%C3%9Fe Zürich");
}

TEST_F(RuntimeTest, ResourcesFolderAndItsOverride) {
  const std::string beside = QDir::cleanPath(QCoreApplication::applicationDirPath() + "/resources").toStdString();
  EXPECT_EQ(ResourcesFolder(), beside);  // the build tree copies the pictures there

  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QImage dot(3, 2, QImage::Format_RGB32);
  dot.fill(Qt::red);
  ASSERT_TRUE(dot.save(dir.filePath("dot.png")));

  SetResourcesFolderForTesting(dir.path().toStdString());
  EXPECT_EQ(ResourcesFolder(), dir.path().toStdString());
  // Pictures stored with the application are looked up there.
  auto picture = Picture::_OpenFromApp("dot.png");
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->Width(), 3);
  EXPECT_EQ(Picture::_OpenFromApp("Odra2020.jpg"), nullptr);

  SetResourcesFolderForTesting("");
  EXPECT_EQ(ResourcesFolder(), beside);
  EXPECT_NE(Picture::_OpenFromApp("Odra2020.jpg"), nullptr);
}

}  // namespace
