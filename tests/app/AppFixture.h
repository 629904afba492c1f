#pragma once
// Fixture for the application shell: a clean runtime, the real start-up
// (defaults, application object with menu bar, main window) without its event
// loop, and seams that answer the printing dialogs and catch opened URLs and
// escaping exceptions. Menu entries are chosen through their QActions.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

#include <deque>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "ExceptionCatcher.h"
#include "app/App.h"
#include "diagram/DiagramState.h"
#include "toolkit/QtAccess.h"
#include "toolkit/Runtime.h"
#include "toolkit/Window.h"
#include "windows/Window1.h"
#include "windows/Window2.h"


inline void Settle() {
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

inline QAction* MenuAction(const Window& window, const std::string& itemName) {
  return WidgetOf(window)->menuBar()->findChild<QAction*>(QString::fromStdString(itemName));
}

class AppFixture : public testing::Test {
 protected:
  struct DialogCall {
    DialogKind kind;
    PrinterSetup* setup;
  };

  void SetUp() override {
    RuntimeResetForTesting();
    catcher_ = std::make_unique<ExceptionCatcher>();
    SetShowURLHookForTesting([this](const std::string& url) { urls_.push_back(url); });
    SetShowMessageHookForTesting([this](const std::string& text) { messages_.push_back(text); });
    SetDialogHookForTesting([this](DialogKind kind, PrinterSetup* setup) {
      dialogs_.push_back({kind, setup});
      DialogAnswer answer;  // cancel unless the test queued an answer
      if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
      }
      return answer;
    });
    ResetAboutPictureForTesting();
    RegisterClassesAndGlobals();
    CreateAppObject();
    RunFrameworkInitialization(OpenMainWindow);
    Settle();
  }

  void TearDown() override {
    CloseAllWindowsForTesting();
    Settle();
    ReleaseGlobals();
    SetDialogHookForTesting({});
    SetShowURLHookForTesting({});
    SetShowMessageHookForTesting({});
    SetResourcesFolderForTesting("");
    ResetAboutPictureForTesting();
    RuntimeResetForTesting();
    EXPECT_TRUE(catcher_->caught.empty()) << "exception escaped: " << catcher_->caught.front();
  }

  Window1& Main() { return *RuntimeCheckCast<Window1>(FindImplicitWindow("Window1.Window1")); }
  Window2* About() { return dynamic_cast<Window2*>(FindImplicitWindow("Window2.Window2")); }

  // Chooses an entry of the main window's menu bar as the user would.
  void Choose(const std::string& itemName) {
    QAction* action = MenuAction(Main(), itemName);
    ASSERT_NE(action, nullptr) << itemName;
    action->trigger();
    Settle();
  }
  void Answer(bool confirm, const std::string& pdfPath = "") { answers_.push_back({confirm, pdfPath}); }

  std::unique_ptr<ExceptionCatcher> catcher_;
  std::vector<std::string> urls_;
  std::vector<std::string> messages_;
  std::vector<DialogCall> dialogs_;
  std::deque<DialogAnswer> answers_;
};
