// Menus: the menu bar built from the application's tree, choosing items by
// mouse or shortcut, handlers of this and of other windows, the standard Edit
// items on the focused text field and the quit item.
#include <QAction>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include <memory>

#include "widget_harness.h"

using namespace widgettest;

namespace {

template <class T = MenuItem>
std::shared_ptr<T> Item(const std::string& name, const std::string& caption, const char* shortcut = "") {
  auto item = std::make_shared<T>();
  item->Constructor();
  item->SetName(name);
  item->SetAutoEnabled(true);
  item->SetValue(caption);
  item->SetVisible(true);
  if (shortcut != nullptr) item->SetShortcut(shortcut);
  return item;
}

class MenuTest : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    auto bar = std::make_shared<MenuBar>();
    auto file = Item("FileMenu", "&File");
    file->AddMenu(Item<PrefsMenuItem>("aboutItem", "About ..."));
    file->AddMenu(Item("UntitledSeparator", "-", nullptr));
    file->AddMenu(Item<QuitMenuItem>("FileQuit", "&Quit", "Cmd+Q"));
    file->AddMenu(Item("FilePrint", "Print ...", "Cmd+P"));
    auto hidden = Item("Hidden", "Hidden");
    hidden->SetVisible(false);
    file->AddMenu(hidden);
    auto edit = Item("EditMenu", "&Edit");
    edit->AddMenu(Item("EditUndo", "&Undo", "Cmd+Z"));
    edit->AddMenu(Item("EditCut", "Cu&t", "Cmd+X"));
    edit->AddMenu(Item("EditCopy", "&Copy", "Cmd+C"));
    edit->AddMenu(Item("EditPaste", "&Paste", "Cmd+V"));
    edit->AddMenu(Item("EditClear", "&Delete"));
    edit->AddMenu(Item("EditSelectAll", "Select &All", "Cmd+A"));
    bar->AddMenu(file);
    bar->AddMenu(edit);
    app = std::make_shared<Application>();
    app->SetMenuBar(bar);
    RuntimeRegisterAppObject(app);
  }

  static QAction* Action(Window& w, const char* name) {
    QAction* a = WidgetOf(w)->menuBar()->findChild<QAction*>(name);
    EXPECT_NE(a, nullptr) << name;
    return a;
  }

  // A window with a text field and, when asked, handlers under item names.
  ProbeWindow* OpenWithField(TextField** field, std::vector<std::string>* log = nullptr,
                             std::vector<std::string> handled = {}) {
    return Open([=](ProbeWindow& w) {
      *field = Make<TextField>(w, "T", Placed("", 10, 10, 150, 22).String("Value", ""));
      RuntimeAddEventHandler(**field, EventId::TextChange, ControlDelegate::Create(&w, &ProbeWindow::TextChanged));
      for (const std::string& name : handled) {
        w._AddMenuHandler(name, [log, name] {
          log->push_back(name);
          return false;
        });
      }
    });
  }

  std::shared_ptr<Application> app;
};

TEST_F(MenuTest, TheMenuBarShowsTheTreeAboveAnUnchangedClientArea) {
  TextField* field = nullptr;
  ProbeWindow* w = OpenWithField(&field);
  QMenuBar* bar = WidgetOf(*w)->menuBar();
  ASSERT_EQ(bar->actions().size(), 2);
  EXPECT_EQ(bar->actions()[0]->text(), QString("&File"));
  EXPECT_EQ(bar->actions()[1]->text(), QString("&Edit"));
  QMenu* file = bar->actions()[0]->menu();
  ASSERT_NE(file, nullptr);
  QStringList captions;
  for (QAction* a : file->actions()) captions << (a->isSeparator() ? QString("-") : a->text());
  EXPECT_EQ(captions, (QStringList{"About ...", "-", "&Quit", "Print ...", "Hidden"}));
  EXPECT_FALSE(file->actions()[4]->isVisible());
  EXPECT_TRUE(file->actions()[0]->shortcut().isEmpty());
  EXPECT_EQ(file->actions()[2]->shortcut(), QKeySequence("Ctrl+Q"));
  EXPECT_EQ(Action(*w, "FilePrint")->shortcut(), QKeySequence("Ctrl+P"));
  EXPECT_EQ(Action(*w, "EditCut")->shortcut(), QKeySequence("Ctrl+X"));
  EXPECT_TRUE(Action(*w, "EditClear")->isEnabled());
  EXPECT_EQ(ClientAreaOf(*w)->size(), QSize(400, 300));
  EXPECT_GE(WidgetOf(*w)->height(), 300 + bar->height());
}

TEST_F(MenuTest, ChoosingAnItemRunsAHandlerOfThisOrAnotherWindow) {
  std::vector<std::string> log;
  TextField* field = nullptr;
  ProbeWindow* main = OpenWithField(&field, &log, {"FilePrint", "aboutItem"});
  QTest::keyClick(WidgetOf(*main), Qt::Key_P, Qt::ControlModifier);
  EXPECT_EQ(log, (std::vector<std::string>{"FilePrint"}));
  Action(*main, "aboutItem")->trigger();
  EXPECT_EQ(log, (std::vector<std::string>{"FilePrint", "aboutItem"}));

  // A window without its own handler passes the choice to the one that has it.
  TextField* otherField = nullptr;
  ProbeWindow* about = OpenWithField(&otherField);
  Action(*about, "FilePrint")->trigger();
  EXPECT_EQ(log.size(), 3u);
  EXPECT_EQ(log.back(), "FilePrint");

  // An item nobody handles does nothing.
  main->Close();
  Action(*about, "FilePrint")->trigger();
  EXPECT_EQ(log.size(), 3u);
}

TEST_F(MenuTest, EditItemsActOnTheFocusedTextField) {
  TextField* field = nullptr;
  ProbeWindow* w = OpenWithField(&field);
  auto* edit = static_cast<QLineEdit*>(WidgetOf(*field));
  edit->setFocus();
  ASSERT_TRUE(QTest::qWaitFor([&] { return edit->hasFocus(); }));
  QTest::keyClicks(edit, "0.75");
  w->calls.clear();

  Action(*w, "EditSelectAll")->trigger();
  EXPECT_EQ(edit->selectedText(), QString("0.75"));
  Action(*w, "EditCopy")->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(), QString("0.75"));
  Action(*w, "EditCut")->trigger();
  EXPECT_EQ(field->Text(), "");
  Action(*w, "EditPaste")->trigger();
  Action(*w, "EditPaste")->trigger();
  EXPECT_EQ(field->Text(), "0.750.75");
  Action(*w, "EditUndo")->trigger();
  EXPECT_EQ(field->Text(), "0.75");
  edit->setSelection(0, 2);
  Action(*w, "EditClear")->trigger();
  EXPECT_EQ(field->Text(), "75");
  EXPECT_GE(w->Count("TextChange"), 4u) << "menu edits are changes of the text too";

  // A read-only field can be copied from, not changed.
  edit->setReadOnly(true);
  edit->selectAll();
  Action(*w, "EditCut")->trigger();
  Action(*w, "EditClear")->trigger();
  Action(*w, "EditPaste")->trigger();
  EXPECT_EQ(field->Text(), "75");
}

TEST_F(MenuTest, TheQuitItemQuitsWithStatusZeroUnlessAWindowHandlesIt) {
  TextField* field = nullptr;
  ProbeWindow* w = OpenWithField(&field);
  bool stuck = false;
  QTimer::singleShot(0, [&] { QTest::keyClick(WidgetOf(*w), Qt::Key_Q, Qt::ControlModifier); });
  QTimer::singleShot(5000, [&] {
    stuck = true;
    QuitApplication(7);
  });
  RuntimeRun();
  EXPECT_FALSE(stuck);
  EXPECT_EQ(RuntimeExit(), 0);

  RuntimeResetForTesting();
  RuntimeRegisterAppObject(app);
  std::vector<std::string> log;
  TextField* other = nullptr;
  ProbeWindow* handling = OpenWithField(&other, &log, {"FileQuit"});
  Action(*handling, "FileQuit")->trigger();
  EXPECT_EQ(log, (std::vector<std::string>{"FileQuit"}));
}

TEST(MenuTreeTest, ChildrenAreFoundByNameAndTheTreeHasNoCycles) {
  auto bar = std::make_shared<MenuBar>();
  auto file = Item("FileMenu", "&File");
  auto print = Item("FilePrint", "Print ...", "Cmd+P");
  bar->AddMenu(file);
  file->AddMenu(print);
  EXPECT_EQ(bar->Child("FileMenu"), file.get());
  EXPECT_EQ(bar->Child("FilePrint"), nullptr) << "only direct children";
  EXPECT_EQ(file->Child("FilePrint"), print.get());
  EXPECT_THROW(file->AddMenu(nullptr), NilObjectException);
  EXPECT_THROW(print->AddMenu(bar), ToolkitException);
  EXPECT_THROW(file->AddMenu(file), ToolkitException);
  EXPECT_EQ(print->Count(), 0u);
  EXPECT_TRUE(QuitMenuItem::Class().IsA(MenuItem::Class()));
  EXPECT_TRUE(MenuBar::Class().IsA(MenuItem::Class()));
}

}  // namespace
