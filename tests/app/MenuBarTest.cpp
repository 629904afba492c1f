// The menu bar's tree, its single instance and its release.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/MenuBar1.h"
#include "toolkit/Menu.h"

namespace {

struct Expected {
  std::string name;
  std::string cls;
  std::string caption;
  bool shortcutSet;
  std::string shortcut;
};

void ExpectEntries(const MenuItem& root, const MenuItem& menu, const std::vector<Expected>& expected) {
  ASSERT_EQ(menu.Count(), expected.size()) << menu.Name();
  for (size_t i = 0; i < expected.size(); ++i) {
    const MenuItem& item = *menu.Item(i);
    const Expected& e = expected[i];
    SCOPED_TRACE(menu.Name() + " entry " + std::to_string(i + 1) + " " + e.name);
    EXPECT_EQ(item.Name(), e.name);
    EXPECT_EQ(item.GetClassInfo().Name(), e.cls);
    EXPECT_EQ(item.Value(), e.caption);
    EXPECT_EQ(item.IsSeparator(), e.caption == "-");
    EXPECT_EQ(item.ShortcutWasSet(), e.shortcutSet);
    EXPECT_EQ(item.Shortcut(), e.shortcut);
    EXPECT_TRUE(item.AutoEnabled());
    EXPECT_TRUE(item.Visible());
    if (&menu != &root) {
      EXPECT_EQ(item.Count(), 0u);
    }
  }
}

class MenuBarTest : public testing::Test {
 protected:
  void SetUp() override { ReleaseMenuBar1Instance(); }
  void TearDown() override { ReleaseMenuBar1Instance(); }
};

TEST_F(MenuBarTest, TreeHoldsFileThenEditWithTheirEntriesInOrder) {
  std::shared_ptr<MenuBar1> bar = MenuBar1Instance();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->GetClassInfo().Name(), "MenuBar1.MenuBar1");
  EXPECT_TRUE(bar->GetClassInfo().IsA(MenuBar::Class()));

  ExpectEntries(*bar, *bar, {
                          {"FileMenu", "MenuItem", "&File", true, ""},
                          {"EditMenu", "MenuItem", "&Edit", true, ""},
                      });
  ExpectEntries(*bar, *bar->Child("FileMenu"), {
                                             {"aboutItem", "PrefsMenuItem", "About ...", true, ""},
                                             {"UntitledSeparator", "MenuItem", "-", false, ""},
                                             {"FileQuit", "QuitMenuItem", "&Quit", true, "Cmd+Q"},
                                             {"FilePageSetup", "MenuItem", "Page Setup ...", true, ""},
                                             {"FilePrint", "MenuItem", "Print ...", true, "Cmd+P"},
                                         });
  ExpectEntries(*bar, *bar->Child("EditMenu"), {
                                             {"EditUndo", "MenuItem", "&Undo", true, "Cmd+Z"},
                                             {"UntitledMenu1", "MenuItem", "-", false, ""},
                                             {"EditCut", "MenuItem", "Cu&t", true, "Cmd+X"},
                                             {"EditCopy", "MenuItem", "&Copy", true, "Cmd+C"},
                                             {"EditPaste", "MenuItem", "&Paste", true, "Cmd+V"},
                                             {"EditClear", "MenuItem", "&Delete", true, ""},
                                             {"UntitledMenu0", "MenuItem", "-", false, ""},
                                             {"EditSelectAll", "MenuItem", "Select &All", true, "Cmd+A"},
                                         });
}

TEST_F(MenuBarTest, SingleInstanceIsBuiltOnceAndReleasedAtExit) {
  std::weak_ptr<MenuBar1> first = MenuBar1Instance();
  ASSERT_FALSE(first.expired());
  std::shared_ptr<MenuBar1> again = MenuBar1Instance();
  EXPECT_EQ(again, first.lock());
  EXPECT_EQ(again->Count(), 2u);
  EXPECT_EQ(again->Child("FileMenu")->Count(), 5u);
  EXPECT_EQ(again->Child("EditMenu")->Count(), 8u);
  again.reset();

  // The holder's reference was the last one: releasing it ends the object,
  // and releasing twice is harmless.
  ReleaseMenuBar1Instance();
  EXPECT_TRUE(first.expired());
  ReleaseMenuBar1Instance();

  // Initialising the holder creates nothing; the next use builds a new bar.
  InitMenuBar1Instance();
  std::shared_ptr<MenuBar1> fresh = MenuBar1Instance();
  ASSERT_NE(fresh, nullptr);
  EXPECT_EQ(fresh->Child("FileMenu")->Count(), 5u);
}

}  // namespace
