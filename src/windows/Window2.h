#pragma once
// The about window: version text, author, a link label and a picture.
#include <cstdint>
#include <memory>
#include <string>

#include "toolkit/Controls.h"
#include "toolkit/Window.h"

class Picture;

class Window2 : public Window {
 public:
  Window2();
  ~Window2() override;
  std::string ClassName() const override { return "Window2.Window2"; }

  void Layout() override;
  void CreateControls() override;
  virtual void _CreateControls0();
  virtual ::Rectangle* Rectangle1();
  virtual ::Label* StaticText1();
  virtual ::Label* StaticText2();
  virtual ::Canvas* Canvas1();
  virtual void StaticText2_MouseEnter(::Label& sender);
  virtual void StaticText2_MouseExit(::Label& sender);
  virtual bool StaticText2_MouseDown(::Label& sender, int32_t x, int32_t y);
  virtual void StaticText2_MouseUp(::Label& sender, int32_t x, int32_t y);
  virtual void Canvas1_MouseEnter(::Canvas& sender);
  virtual bool Canvas1_MouseDown(::Canvas& sender, int32_t x, int32_t y);
  virtual void Canvas1_MouseExit(::Canvas& sender);
  virtual void Canvas1_MouseUp(::Canvas& sender, int32_t x, int32_t y);

  static const std::string& LayoutRecord();
};

// The about window's implicit instance: the open one, or a newly built one.
Window2* ImplicitWindow2();
// The about picture, loaded once on first use (nullptr while it is missing).
std::shared_ptr<Picture> AboutPicture();
// Forgets a held picture (tests only).
void ResetAboutPictureForTesting();
