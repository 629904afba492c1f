#pragma once
// The application's menu bar: File and Edit.
#include <memory>

#include "toolkit/Menu.h"

class MenuBar1 : public MenuBar {
 public:
  static const ClassInfo& Class();
  const ClassInfo& GetClassInfo() const override { return Class(); }
  void Constructor() override;
  virtual void Untitled0();  // File menu
  virtual void Untitled1();  // Edit menu
};

std::shared_ptr<MenuBar1> MenuBar1Instance();
void InitMenuBar1Instance();
void ReleaseMenuBar1Instance();
