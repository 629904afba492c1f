#pragma once
// Menus: a MenuBar is the root of a tree of MenuItems. Captions keep "&" as
// the mnemonic marker; "-" is a separator. Shortcuts are texts such as
// "Cmd+Q", where Cmd stands for the Control key here. A QuitMenuItem quits the
// application by itself, and items named EditUndo, EditCut, EditCopy,
// EditPaste, EditClear and EditSelectAll act on the focused text field.
// Other items run the menu handler that the window registered under the
// item's name (Window::_AddMenuHandler).
#include <memory>
#include <string>
#include <vector>

#include "toolkit/Object.h"

class MenuItem : public Object {
 public:
  MenuItem();
  ~MenuItem() override;
  static const ClassInfo& Class();
  const ClassInfo& GetClassInfo() const override { return Class(); }
  virtual void Constructor() {}

  const std::string& Name() const { return name_; }
  void SetName(const std::string& v) { name_ = v; }
  bool AutoEnabled() const { return autoEnabled_; }
  void SetAutoEnabled(bool v) { autoEnabled_ = v; }
  const std::string& Value() const { return value_; }
  void SetValue(const std::string& v) { value_ = v; }
  bool Visible() const { return visible_; }
  void SetVisible(bool v) { visible_ = v; }
  const std::string& Shortcut() const { return shortcut_; }
  void SetShortcut(const std::string& v) { shortcut_ = v; shortcutSet_ = true; }
  bool ShortcutWasSet() const { return shortcutSet_; }

  // Appends a child at the end.
  void AddMenu(std::shared_ptr<MenuItem> item);
  // The direct child of that name, or nullptr.
  MenuItem* Child(const std::string& name) const;
  size_t Count() const { return children_.size(); }
  MenuItem* Item(size_t i) const { return children_.at(i).get(); }
  bool IsSeparator() const { return value_ == "-"; }

 private:
  std::string name_, value_, shortcut_;
  bool autoEnabled_ = false, visible_ = true, shortcutSet_ = false;
  std::vector<std::shared_ptr<MenuItem>> children_;
};

class PrefsMenuItem : public MenuItem {
 public:
  static const ClassInfo& Class();
  const ClassInfo& GetClassInfo() const override { return Class(); }
};

class QuitMenuItem : public MenuItem {
 public:
  static const ClassInfo& Class();
  const ClassInfo& GetClassInfo() const override { return Class(); }
};

class MenuBar : public MenuItem {
 public:
  static const ClassInfo& Class();
  const ClassInfo& GetClassInfo() const override { return Class(); }
};
