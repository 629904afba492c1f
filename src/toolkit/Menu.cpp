// Menus: the item tree, its class records, and the QMenuBar built from it for
// each window, with the dispatch of a chosen item.
#include "toolkit/Menu.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>
#include <functional>

#include "toolkit/ControlImpl.h"
#include "toolkit/Runtime.h"
#include "toolkit/Window.h"
#include "toolkit/WindowImpl.h"

using namespace toolkit_detail;

namespace {

template <class F>
PropertyDecl MenuString(const char* name, F apply) {
  return {name, PropType::String, [apply](Object& o, const PropertyValue& v) { apply(dynamic_cast<MenuItem&>(o), v.s); }};
}
template <class F>
PropertyDecl MenuBool(const char* name, F apply) {
  return {name, PropType::Boolean, [apply](Object& o, const PropertyValue& v) { apply(dynamic_cast<MenuItem&>(o), v.b); }};
}

bool Contains(const MenuItem& tree, const MenuItem* item) {
  if (&tree == item) return true;
  for (size_t i = 0; i < tree.Count(); ++i) {
    if (Contains(*tree.Item(i), item)) return true;
  }
  return false;
}

// "Cmd+P" -> Ctrl+P: Cmd is the Control key here, Option the Alt key.
QKeySequence KeySequence(const std::string& shortcut) {
  QString text = QString::fromStdString(shortcut).trimmed();
  QString key;
  if (text.endsWith(QStringLiteral("++"))) {  // the plus key itself
    key = QStringLiteral("+");
    text.chop(2);
  } else {
    const qsizetype plus = text.lastIndexOf('+');
    key = text.mid(plus + 1);
    text = plus >= 0 ? text.left(plus) : QString();
  }
  QStringList parts;
  for (QString modifier : text.split('+', Qt::SkipEmptyParts)) {
    modifier = modifier.trimmed();
    if (modifier.compare(QStringLiteral("Cmd"), Qt::CaseInsensitive) == 0) modifier = QStringLiteral("Ctrl");
    if (modifier.compare(QStringLiteral("Option"), Qt::CaseInsensitive) == 0) modifier = QStringLiteral("Alt");
    parts << modifier;
  }
  parts << key;
  return QKeySequence::fromString(parts.join('+'), QKeySequence::PortableText);
}

// The standard editing commands on the focused text field. A read-only field
// may be copied from and selected, never changed.
void EditFocusedField(const std::string& name) {
  auto* edit = dynamic_cast<QLineEdit*>(QApplication::focusWidget());
  if (edit == nullptr) return;
  if (name == "EditCopy") {
    edit->copy();
  } else if (name == "EditSelectAll") {
    edit->selectAll();
  } else if (edit->isReadOnly()) {
    return;
  } else if (name == "EditUndo") {
    edit->undo();
  } else if (name == "EditCut") {
    edit->cut();
  } else if (name == "EditPaste") {
    edit->paste();
  } else if (name == "EditClear") {
    edit->del();
  }
}

// A chosen item: the handler of the window whose menu bar it is, else of
// another open window (the latest built first), else the item's own standard
// behaviour.
void Choose(Window* source, const std::string& name, bool quitItem) {
  RunGuarded([&] {
    const std::vector<Window*> open = OpenWindows();
    const bool sourceOpen = std::find(open.begin(), open.end(), source) != open.end();
    if (sourceOpen && source->HasMenuHandler(name)) {
      source->InvokeMenuHandler(name);
      return;
    }
    for (auto w = open.rbegin(); w != open.rend(); ++w) {
      if (*w != source && (*w)->HasMenuHandler(name)) {
        (*w)->InvokeMenuHandler(name);
        return;
      }
    }
    if (quitItem) {
      QuitApplication(0);
      return;
    }
    EditFocusedField(name);
  });
}

void Fill(Window& window, QWidget* container, const MenuItem& parent);

void AddEntry(Window& window, QWidget* container, const MenuItem& item) {
  auto* bar = dynamic_cast<QMenuBar*>(container);
  auto* menu = dynamic_cast<QMenu*>(container);
  const QString caption = QString::fromStdString(item.Value());
  QAction* action = nullptr;
  if (item.IsSeparator()) {
    action = bar != nullptr ? bar->addSeparator() : menu->addSeparator();
  } else if (item.Count() > 0) {
    QMenu* sub = bar != nullptr ? bar->addMenu(caption) : menu->addMenu(caption);
    Fill(window, sub, item);
    action = sub->menuAction();
  } else {
    action = bar != nullptr ? bar->addAction(caption) : menu->addAction(caption);
    if (item.ShortcutWasSet() && !item.Shortcut().empty()) action->setShortcut(KeySequence(item.Shortcut()));
    const bool quitItem = dynamic_cast<const QuitMenuItem*>(&item) != nullptr;
    if (quitItem) {
      action->setMenuRole(QAction::QuitRole);
    } else if (dynamic_cast<const PrefsMenuItem*>(&item) != nullptr) {
      action->setMenuRole(QAction::PreferencesRole);
    } else {
      action->setMenuRole(QAction::NoRole);
    }
    Window* source = &window;
    const std::string name = item.Name();
    QObject::connect(action, &QAction::triggered, action, [source, name, quitItem] { Choose(source, name, quitItem); });
  }
  action->setObjectName(QString::fromStdString(item.Name()));
  action->setVisible(item.Visible());
  action->setEnabled(item.AutoEnabled());
}

void Fill(Window& window, QWidget* container, const MenuItem& parent) {
  for (size_t i = 0; i < parent.Count(); ++i) AddEntry(window, container, *parent.Item(i));
}

}  // namespace

MenuItem::MenuItem() = default;
MenuItem::~MenuItem() = default;

const ClassInfo& MenuItem::Class() {
  static const ClassInfo info("MenuItem", &ObjectClass(),
                              {
                                  MenuString("Name", [](MenuItem& m, const std::string& v) { m.SetName(v); }),
                                  MenuString("Value", [](MenuItem& m, const std::string& v) { m.SetValue(v); }),
                                  MenuBool("AutoEnabled", [](MenuItem& m, bool v) { m.SetAutoEnabled(v); }),
                                  MenuBool("Visible", [](MenuItem& m, bool v) { m.SetVisible(v); }),
                                  MenuString("Shortcut", [](MenuItem& m, const std::string& v) { m.SetShortcut(v); }),
                              });
  return info;
}

const ClassInfo& PrefsMenuItem::Class() {
  static const ClassInfo info("PrefsMenuItem", &MenuItem::Class(), {});
  return info;
}

const ClassInfo& QuitMenuItem::Class() {
  static const ClassInfo info("QuitMenuItem", &MenuItem::Class(), {});
  return info;
}

const ClassInfo& MenuBar::Class() {
  static const ClassInfo info("MenuBar", &MenuItem::Class(), {});
  return info;
}

void MenuItem::AddMenu(std::shared_ptr<MenuItem> item) {
  if (item == nullptr) throw NilObjectException("NilObjectException: no menu item to add");
  // A tree, never a cycle: the new child may not hold this item.
  if (Contains(*item, this)) throw ToolkitException("a menu item cannot contain itself");
  children_.push_back(std::move(item));
}

MenuItem* MenuItem::Child(const std::string& name) const {
  for (const auto& child : children_) {
    if (child->Name() == name) return child.get();
  }
  return nullptr;
}

namespace toolkit_detail {

void BuildMenuBar(Window& window, QMainWindow& main, const MenuBar& bar) {
  QMenuBar* menuBar = main.menuBar();
  menuBar->clear();
  Fill(window, menuBar, bar);
}

}  // namespace toolkit_detail
