// The main window: building it from its records, its controls and their
// bindings, and the accessors through which handlers and the engine reach
// the controls.
#include "windows/Window1.h"

#include <memory>

#include "toolkit/Events.h"
#include "toolkit/PropertyRecord.h"
#include "windows/Window1Records.h"

namespace {

// Creates one control of class T, adds it to the window under its name, then
// looks it up again by that name and applies its property record.
template <class T>
void MakeControl(Window& w, const char* name) {
  T* control = w._New<T>();
  w._AddControl(control, name);
  ApplyPropertyBlob(*RuntimeCheckCast<T>(w._ControlByName(name)), Window1ControlRecord(name));
}

// Binds one event of the named control to a handler of the window. The
// handler is taken through the class's method pointer, so an override in a
// subclass is the one that runs.
template <class C, class R, class... Args>
void Bind(Window1& w, const char* name, EventId event, R (Window1::*handler)(C&, Args...)) {
  RuntimeAddEventHandler(*RuntimeCheckCast<C>(w._ControlByName(name)), event,
                         Delegate<R, Args...>::Create(&w, handler));
}

template <class T>
T* Lookup(const Window& w, const char* name) {
  return RuntimeCheckCast<T>(w._ControlByName(name));
}

}  // namespace

Window1::Window1() = default;
Window1::~Window1() = default;

bool Window1::IsEventImplemented(const std::string& eventName) const {
  return eventName == "Open" || eventName == "Close";
}

void Window1::Layout() { ApplyPropertyBlob(*this, LayoutRecord()); }

void Window1::CreateControls() {
  _CreateControls0();
  _CreateControls1();
}

void Window1::_CreateControls0() {
  MakeControl<::Rectangle>(*this, "Rectangle1");

  MakeControl<::Canvas>(*this, "Canvas1");
  Bind(*this, "Canvas1", EventId::MouseUp, &Window1::Canvas1_MouseUp);
  Bind(*this, "Canvas1", EventId::MouseDown, &Window1::Canvas1_MouseDown);
  Bind(*this, "Canvas1", EventId::MouseDrag, &Window1::Canvas1_MouseDrag);
  Bind(*this, "Canvas1", EventId::MouseMove, &Window1::Canvas1_MouseMove);
  Bind(*this, "Canvas1", EventId::Paint, &Window1::Canvas1_Paint);

  MakeControl<::GroupBox>(*this, "GroupBox1");
  MakeControl<::RadioButton>(*this, "RadioButton1");
  Bind(*this, "RadioButton1", EventId::Action, &Window1::RadioButton1_Action);
  MakeControl<::RadioButton>(*this, "RadioButton2");
  Bind(*this, "RadioButton2", EventId::Action, &Window1::RadioButton2_Action);

  MakeControl<::GroupBox>(*this, "GroupBox2");
  MakeControl<::Label>(*this, "StaticText1");
  MakeControl<::Slider>(*this, "SpeedSlider");
  Bind(*this, "SpeedSlider", EventId::ValueChanged, &Window1::SpeedSlider_ValueChanged);
  MakeControl<::TextField>(*this, "TextField1");
  Bind(*this, "TextField1", EventId::TextChange, &Window1::TextField1_TextChange);

  MakeControl<::GroupBox>(*this, "GroupBox3");
  MakeControl<::Slider>(*this, "UnitSlider");
  Bind(*this, "UnitSlider", EventId::ValueChanged, &Window1::UnitSlider_ValueChanged);

  MakeControl<::GroupBox>(*this, "GroupBox4");
  MakeControl<::Label>(*this, "StaticText2");
  MakeControl<::Slider>(*this, "BlackPosSlider");
  Bind(*this, "BlackPosSlider", EventId::ValueChanged, &Window1::BlackPosSlider_ValueChanged);
  MakeControl<::Label>(*this, "StaticText4");
  MakeControl<::Slider>(*this, "BlackLengthSlider");
  Bind(*this, "BlackLengthSlider", EventId::ValueChanged, &Window1::BlackLengthSlider_ValueChanged);
  MakeControl<::CheckBox>(*this, "CheckBox1");
  Bind(*this, "CheckBox1", EventId::Action, &Window1::CheckBox1_Action);
  MakeControl<::CheckBox>(*this, "CheckBox2");
  Bind(*this, "CheckBox2", EventId::Action, &Window1::CheckBox2_Action);
  MakeControl<::CheckBox>(*this, "CheckBox3");
  Bind(*this, "CheckBox3", EventId::Action, &Window1::CheckBox3_Action);

  MakeControl<::GroupBox>(*this, "GroupBox5");
  MakeControl<::Label>(*this, "StaticText3");
  MakeControl<::Slider>(*this, "RedPosSlider");
  Bind(*this, "RedPosSlider", EventId::ValueChanged, &Window1::RedPosSlider_ValueChanged);
  MakeControl<::Label>(*this, "StaticText5");
  MakeControl<::Slider>(*this, "RedLengthSlider");
  Bind(*this, "RedLengthSlider", EventId::ValueChanged, &Window1::RedLengthSlider_ValueChanged);
  MakeControl<::CheckBox>(*this, "CheckBox4");
  Bind(*this, "CheckBox4", EventId::Action, &Window1::CheckBox4_Action);
  MakeControl<::CheckBox>(*this, "CheckBox5");
  Bind(*this, "CheckBox5", EventId::Action, &Window1::CheckBox5_Action);
  MakeControl<::CheckBox>(*this, "CheckBox6");
  Bind(*this, "CheckBox6", EventId::Action, &Window1::CheckBox6_Action);

  MakeControl<::GroupBox>(*this, "GroupBox6");
  MakeControl<::Slider>(*this, "TimeSlider");
  Bind(*this, "TimeSlider", EventId::ValueChanged, &Window1::TimeSlider_ValueChanged);
  MakeControl<::PushButton>(*this, "PushButton1");
  Bind(*this, "PushButton1", EventId::Action, &Window1::PushButton1_Action);
}

void Window1::_CreateControls1() {
  MakeControl<::PushButton>(*this, "PushButton2");
  Bind(*this, "PushButton2", EventId::Action, &Window1::PushButton2_Action);
  MakeControl<::Label>(*this, "Label1");

  MakeControl<::GroupBox>(*this, "GroupBox7");
  MakeControl<::Label>(*this, "StaticText7");
  MakeControl<::Label>(*this, "StaticText8");
  MakeControl<::Label>(*this, "StaticText9");
  MakeControl<::Label>(*this, "StaticText10");
  MakeControl<::Label>(*this, "StaticText11");
  MakeControl<::TextField>(*this, "TextField2");
  MakeControl<::TextField>(*this, "TextField3");
  MakeControl<::TextField>(*this, "TextField4");
  MakeControl<::TextField>(*this, "TextField5");
  MakeControl<::PushButton>(*this, "PushButton4");
  Bind(*this, "PushButton4", EventId::Action, &Window1::PushButton4_Action);

  MakeControl<::PushButton>(*this, "PushButton3");
  Bind(*this, "PushButton3", EventId::Action, &Window1::PushButton3_Action);
}

// ---------------------------------------------------------------- accessors
::Rectangle* Window1::Rectangle1() { return Lookup<::Rectangle>(*this, "Rectangle1"); }
::Canvas* Window1::Canvas1() { return Lookup<::Canvas>(*this, "Canvas1"); }
::GroupBox* Window1::GroupBox1() { return Lookup<::GroupBox>(*this, "GroupBox1"); }
::RadioButton* Window1::RadioButton1() { return Lookup<::RadioButton>(*this, "RadioButton1"); }
::RadioButton* Window1::RadioButton2() { return Lookup<::RadioButton>(*this, "RadioButton2"); }
::GroupBox* Window1::GroupBox2() { return Lookup<::GroupBox>(*this, "GroupBox2"); }
::Label* Window1::StaticText1() { return Lookup<::Label>(*this, "StaticText1"); }
::Slider* Window1::SpeedSlider() { return Lookup<::Slider>(*this, "SpeedSlider"); }
::TextField* Window1::TextField1() { return Lookup<::TextField>(*this, "TextField1"); }
::GroupBox* Window1::GroupBox3() { return Lookup<::GroupBox>(*this, "GroupBox3"); }
::Slider* Window1::UnitSlider() { return Lookup<::Slider>(*this, "UnitSlider"); }
::GroupBox* Window1::GroupBox4() { return Lookup<::GroupBox>(*this, "GroupBox4"); }
::Label* Window1::StaticText2() { return Lookup<::Label>(*this, "StaticText2"); }
::Slider* Window1::BlackPosSlider() { return Lookup<::Slider>(*this, "BlackPosSlider"); }
::Label* Window1::StaticText4() { return Lookup<::Label>(*this, "StaticText4"); }
::Slider* Window1::BlackLengthSlider() { return Lookup<::Slider>(*this, "BlackLengthSlider"); }
::CheckBox* Window1::CheckBox1() { return Lookup<::CheckBox>(*this, "CheckBox1"); }
::CheckBox* Window1::CheckBox2() { return Lookup<::CheckBox>(*this, "CheckBox2"); }
::CheckBox* Window1::CheckBox3() { return Lookup<::CheckBox>(*this, "CheckBox3"); }
::GroupBox* Window1::GroupBox5() { return Lookup<::GroupBox>(*this, "GroupBox5"); }
::Label* Window1::StaticText3() { return Lookup<::Label>(*this, "StaticText3"); }
::Slider* Window1::RedPosSlider() { return Lookup<::Slider>(*this, "RedPosSlider"); }
::Label* Window1::StaticText5() { return Lookup<::Label>(*this, "StaticText5"); }
::Slider* Window1::RedLengthSlider() { return Lookup<::Slider>(*this, "RedLengthSlider"); }
::CheckBox* Window1::CheckBox4() { return Lookup<::CheckBox>(*this, "CheckBox4"); }
::CheckBox* Window1::CheckBox5() { return Lookup<::CheckBox>(*this, "CheckBox5"); }
::CheckBox* Window1::CheckBox6() { return Lookup<::CheckBox>(*this, "CheckBox6"); }
::GroupBox* Window1::GroupBox6() { return Lookup<::GroupBox>(*this, "GroupBox6"); }
::Slider* Window1::TimeSlider() { return Lookup<::Slider>(*this, "TimeSlider"); }
::PushButton* Window1::PushButton1() { return Lookup<::PushButton>(*this, "PushButton1"); }
::PushButton* Window1::PushButton2() { return Lookup<::PushButton>(*this, "PushButton2"); }
::Label* Window1::Label1() { return Lookup<::Label>(*this, "Label1"); }
::GroupBox* Window1::GroupBox7() { return Lookup<::GroupBox>(*this, "GroupBox7"); }
::Label* Window1::StaticText7() { return Lookup<::Label>(*this, "StaticText7"); }
::Label* Window1::StaticText8() { return Lookup<::Label>(*this, "StaticText8"); }
::Label* Window1::StaticText9() { return Lookup<::Label>(*this, "StaticText9"); }
::Label* Window1::StaticText10() { return Lookup<::Label>(*this, "StaticText10"); }
::Label* Window1::StaticText11() { return Lookup<::Label>(*this, "StaticText11"); }
::TextField* Window1::TextField2() { return Lookup<::TextField>(*this, "TextField2"); }
::TextField* Window1::TextField3() { return Lookup<::TextField>(*this, "TextField3"); }
::TextField* Window1::TextField4() { return Lookup<::TextField>(*this, "TextField4"); }
::TextField* Window1::TextField5() { return Lookup<::TextField>(*this, "TextField5"); }
::PushButton* Window1::PushButton4() { return Lookup<::PushButton>(*this, "PushButton4"); }
::PushButton* Window1::PushButton3() { return Lookup<::PushButton>(*this, "PushButton3"); }

// ------------------------------------------------------------ the instance
Window1* ImplicitWindow1() {
  Window* existing = FindImplicitWindow("Window1.Window1");
  if (existing == nullptr) {
    // The window registers itself as the implicit instance while it is
    // built, so a call from its own Open event finds it and makes no second.
    auto created = std::make_unique<Window1>();
    created->Constructor();
    existing = created.release();
  }
  return RuntimeCheckCast<Window1>(existing);
}
