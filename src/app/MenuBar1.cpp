// The application's menu bar, built from a table of its entries.
#include "app/MenuBar1.h"

#include <memory>
#include <span>

namespace {

enum class EntryClass { Item, Prefs, Quit };

struct MenuEntry {
  const char* name;
  EntryClass cls;
  const char* caption;
  const char* shortcut;  // nullptr: left unset (separators)
  const char* menu;      // the menu it goes into; nullptr: the bar itself
};

constexpr MenuEntry kFileMenu[] = {
    {"FileMenu", EntryClass::Item, "&File", "", nullptr},
    {"aboutItem", EntryClass::Prefs, "About ...", "", "FileMenu"},
    {"UntitledSeparator", EntryClass::Item, "-", nullptr, "FileMenu"},
    {"FileQuit", EntryClass::Quit, "&Quit", "Cmd+Q", "FileMenu"},
    {"FilePageSetup", EntryClass::Item, "Page Setup ...", "", "FileMenu"},
    {"FilePrint", EntryClass::Item, "Print ...", "Cmd+P", "FileMenu"},
};

constexpr MenuEntry kEditMenu[] = {
    {"EditMenu", EntryClass::Item, "&Edit", "", nullptr},
    {"EditUndo", EntryClass::Item, "&Undo", "Cmd+Z", "EditMenu"},
    {"UntitledMenu1", EntryClass::Item, "-", nullptr, "EditMenu"},
    {"EditCut", EntryClass::Item, "Cu&t", "Cmd+X", "EditMenu"},
    {"EditCopy", EntryClass::Item, "&Copy", "Cmd+C", "EditMenu"},
    {"EditPaste", EntryClass::Item, "&Paste", "Cmd+V", "EditMenu"},
    {"EditClear", EntryClass::Item, "&Delete", "", "EditMenu"},
    {"UntitledMenu0", EntryClass::Item, "-", nullptr, "EditMenu"},
    {"EditSelectAll", EntryClass::Item, "Select &All", "Cmd+A", "EditMenu"},
};

std::shared_ptr<MenuItem> NewEntry(EntryClass cls) {
  switch (cls) {
    case EntryClass::Prefs:
      return std::make_shared<PrefsMenuItem>();
    case EntryClass::Quit:
      return std::make_shared<QuitMenuItem>();
    case EntryClass::Item:
      break;
  }
  return std::make_shared<MenuItem>();
}

void BuildEntries(MenuBar& bar, std::span<const MenuEntry> entries) {
  for (const MenuEntry& entry : entries) {
    std::shared_ptr<MenuItem> item = NewEntry(entry.cls);
    item->Constructor();
    item->SetName(entry.name);
    item->SetAutoEnabled(true);
    item->SetValue(entry.caption);
    item->SetVisible(true);
    if (entry.shortcut != nullptr) item->SetShortcut(entry.shortcut);
    if (entry.menu == nullptr) {
      bar.AddMenu(item);
    } else {
      MenuItem* menu = bar.Child(entry.menu);
      if (menu == nullptr) throw NilObjectException();
      menu->AddMenu(item);
    }
  }
}

std::shared_ptr<MenuBar1> holder;

}  // namespace

const ClassInfo& MenuBar1::Class() {
  static const ClassInfo info("MenuBar1.MenuBar1", &MenuBar::Class(), {});
  return info;
}

void MenuBar1::Constructor() {
  Untitled0();
  Untitled1();
}

void MenuBar1::Untitled0() { BuildEntries(*this, kFileMenu); }

void MenuBar1::Untitled1() { BuildEntries(*this, kEditMenu); }

std::shared_ptr<MenuBar1> MenuBar1Instance() {
  if (holder == nullptr) {
    auto bar = std::make_shared<MenuBar1>();
    bar->Constructor();
    holder = bar;
  }
  return holder;
}

void InitMenuBar1Instance() {}

void ReleaseMenuBar1Instance() {
  std::shared_ptr<MenuBar1> held = std::move(holder);
  holder = nullptr;
  held.reset();
}
