#pragma once
// The main window: the diagram canvas on the left, the view, speed, unit,
// object and time groups on the right, the readout group below.
#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/Controls.h"
#include "toolkit/Window.h"

class Window1 : public Window {
 public:
  Window1();
  ~Window1() override;
  std::string ClassName() const override { return "Window1.Window1"; }
  bool IsEventImplemented(const std::string& eventName) const override;

  // Own operations, in the order of the class's operation table.
  void Layout() override;
  void CreateControls() override;
  virtual void _CreateControls0();
  virtual void _CreateControls1();

  virtual ::Rectangle* Rectangle1();
  virtual ::Canvas* Canvas1();
  virtual ::GroupBox* GroupBox1();
  virtual ::RadioButton* RadioButton1();
  virtual ::RadioButton* RadioButton2();
  virtual ::GroupBox* GroupBox2();
  virtual ::Label* StaticText1();
  virtual ::Slider* SpeedSlider();
  virtual ::TextField* TextField1();
  virtual ::GroupBox* GroupBox3();
  virtual ::Slider* UnitSlider();
  virtual ::GroupBox* GroupBox4();
  virtual ::Label* StaticText2();
  virtual ::Slider* BlackPosSlider();
  virtual ::Label* StaticText4();
  virtual ::Slider* BlackLengthSlider();
  virtual ::CheckBox* CheckBox1();
  virtual ::CheckBox* CheckBox2();
  virtual ::CheckBox* CheckBox3();
  virtual ::GroupBox* GroupBox5();
  virtual ::Label* StaticText3();
  virtual ::Slider* RedPosSlider();
  virtual ::Label* StaticText5();
  virtual ::Slider* RedLengthSlider();
  virtual ::CheckBox* CheckBox4();
  virtual ::CheckBox* CheckBox5();
  virtual ::CheckBox* CheckBox6();
  virtual ::GroupBox* GroupBox6();
  virtual ::Slider* TimeSlider();
  virtual ::PushButton* PushButton1();
  virtual ::PushButton* PushButton2();
  virtual ::Label* Label1();
  virtual ::GroupBox* GroupBox7();
  virtual ::Label* StaticText7();
  virtual ::Label* StaticText8();
  virtual ::Label* StaticText9();
  virtual ::Label* StaticText10();
  virtual ::Label* StaticText11();
  virtual ::TextField* TextField2();
  virtual ::TextField* TextField3();
  virtual ::TextField* TextField4();
  virtual ::TextField* TextField5();
  virtual ::PushButton* PushButton4();
  virtual ::PushButton* PushButton3();

  // Mouse on the diagram and painting.
  virtual void Canvas1_MouseUp(::Canvas& sender, int32_t x, int32_t y);
  virtual bool Canvas1_MouseDown(::Canvas& sender, int32_t x, int32_t y);
  virtual void Canvas1_MouseDrag(::Canvas& sender, int32_t x, int32_t y);
  virtual void Canvas1_MouseMove(::Canvas& sender, int32_t x, int32_t y);
  virtual void Canvas1_Paint(::Canvas& sender, Graphics& g, const std::vector<Rect>& areas);
  // View, speed, unit, object and time controls.
  virtual void RadioButton1_Action(::RadioButton& sender);
  virtual void RadioButton2_Action(::RadioButton& sender);
  virtual void SpeedSlider_ValueChanged(::Slider& sender);
  virtual void TextField1_TextChange(::TextField& sender);
  virtual void UnitSlider_ValueChanged(::Slider& sender);
  virtual void BlackPosSlider_ValueChanged(::Slider& sender);
  virtual void BlackLengthSlider_ValueChanged(::Slider& sender);
  virtual void CheckBox1_Action(::CheckBox& sender);
  virtual void CheckBox2_Action(::CheckBox& sender);
  virtual void CheckBox3_Action(::CheckBox& sender);
  virtual void RedPosSlider_ValueChanged(::Slider& sender);
  virtual void RedLengthSlider_ValueChanged(::Slider& sender);
  virtual void CheckBox4_Action(::CheckBox& sender);
  virtual void CheckBox5_Action(::CheckBox& sender);
  virtual void CheckBox6_Action(::CheckBox& sender);
  virtual void TimeSlider_ValueChanged(::Slider& sender);
  virtual void PushButton1_Action(::PushButton& sender);
  virtual void PushButton2_Action(::PushButton& sender);
  virtual void PushButton4_Action(::PushButton& sender);
  virtual void PushButton3_Action(::PushButton& sender);
  // Menu handlers, window events and menu actions.
  void AddMenuHandlers(Window& w) override;
  void Event_Open() override;
  void Event_Close() override;
  virtual bool _aboutItem_Action();
  virtual bool _FilePageSetup_Action();
  virtual bool _FilePrint_Action();

  // The window's property record (22 entries).
  static const std::string& LayoutRecord();
};

// The main window's single instance, created (built and opened) on first use.
Window1* ImplicitWindow1();
