// The main window's handlers: the mouse on the diagram and its painting, the
// view, speed, unit, object and time controls, "clear", "Quit" and the
// window's own Open and Close events.
#include <algorithm>
#include <cstdint>
#include <string>

#include "diagram/DiagramState.h"
#include "toolkit/Numeric.h"
#include "toolkit/Runtime.h"
#include "windows/Window1.h"
#include "windows/Window1Diagram.h"

namespace {

// Half the side of the square around the origin that grabs it: a press is
// close enough when it is less than this far off on each axis.
constexpr double kGrabDistance = 8.0;
// The origin is dragged only while the pointer stays more than this many
// pixels inside every edge of the canvas.
constexpr int32_t kDragMargin = 20;

bool NearOrigin(int32_t x, int32_t y) {
  const DiagramState& s = State();
  const int32_t dx = SatSub(x, s.originX);
  if (!(Abs(static_cast<double>(dx)) < kGrabDistance)) return false;
  const int32_t dy = SatSub(y, s.originY);
  return Abs(static_cast<double>(dy)) < kGrabDistance;
}

// Keeps the speed controls from answering each other's writes. The guard is
// raised for the lifetime of the object and lowered again even when a write
// throws, so that it never stays set between events.
class SpeedUpdate {
 public:
  SpeedUpdate() { State().updatingSpeed = true; }
  ~SpeedUpdate() { State().updatingSpeed = false; }
  SpeedUpdate(const SpeedUpdate&) = delete;
  SpeedUpdate& operator=(const SpeedUpdate&) = delete;
};

// The slider position nearest a typed speed (the factor 19 keeps every
// accepted speed on a position from 1 to 39).
int32_t SliderPositionOfSpeed(double v) { return DoubleToInt32(Round(19.0 * v + 20.0)); }

// The present time in the current time unit, e.g. "10.00 ns".
std::string TimeLabelText() {
  const DiagramState& s = State();
  const double value = (static_cast<double>(s.currentTime) / static_cast<double>(kGridStep)) * static_cast<double>(s.timeScale);
  return FormatNumber(value, "-###.00") + s.timeUnit;
}

// Switches to the view `to` (0 black's, 1 red's) from the other one.
void ChangeView(Window1& w, int32_t to) {
  DiagramState& s = State();
  if (s.viewIndex != 1 - to) return;
  s.viewIndex = to;
  s.speed = -s.speed;
  w.GroupBox7()->SetVisible(false);
  {
    SpeedUpdate guard;
    w.TextField1()->SetText(DoubleToText(s.speed, ""));
    ::Slider* slider = w.SpeedSlider();
    slider->SetValue(SatSub(40, slider->Value()));
  }
  w.Canvas1()->Refresh(true);
}

}  // namespace

// ------------------------------------------------------- mouse and painting
bool Window1::Canvas1_MouseDown(::Canvas& sender, int32_t x, int32_t y) {
  (void)sender;
  DiagramState& s = State();
  if (NearOrigin(x, y)) {
    s.draggingOrigin = true;
  } else {
    s.meetingPicked = true;
    GroupBox7()->SetEnabled(true);
    s.meetingX = x;
    s.meetingY = y;
    Canvas1()->Refresh(true);
  }
  return true;
}

void Window1::Canvas1_MouseDrag(::Canvas& sender, int32_t x, int32_t y) {
  (void)sender;
  DiagramState& s = State();
  if (!s.draggingOrigin) return;
  if (kDragMargin < x && x < SatSub(s.canvasWidth, kDragMargin) && kDragMargin < y &&
      y < SatSub(s.canvasHeight, kDragMargin)) {
    s.originX = x;
    s.originY = y;
    ImplicitWindow1()->Refresh(true);
  }
}

void Window1::Canvas1_MouseUp(::Canvas& sender, int32_t x, int32_t y) {
  (void)sender;
  (void)x;
  (void)y;
  State().draggingOrigin = false;
}

void Window1::Canvas1_MouseMove(::Canvas& sender, int32_t x, int32_t y) {
  const _Cursors& cursors = GetCursors();
  sender.SetMouseCursor(NearOrigin(x, y) ? cursors.HandOpen : cursors.StandardPointer);
}

void Window1::Canvas1_Paint(::Canvas& sender, Graphics& g, const std::vector<Rect>& areas) {
  (void)sender;
  (void)areas;  // the whole diagram is drawn every time
  DrawDiagram(g);
}

// ------------------------------------------------------------------- view
void Window1::RadioButton1_Action(::RadioButton& sender) {
  (void)sender;
  ChangeView(*this, 0);
}

void Window1::RadioButton2_Action(::RadioButton& sender) {
  (void)sender;
  ChangeView(*this, 1);
}

// ------------------------------------------------------------------ speed
void Window1::SpeedSlider_ValueChanged(::Slider& sender) {
  (void)sender;
  DiagramState& s = State();
  if (s.updatingSpeed) return;
  s.speed = static_cast<double>(SpeedSlider()->Value()) / 20.0 - 1.0;
  {
    SpeedUpdate guard;
    TextField1()->SetText(DoubleToText(s.speed, ""));
  }
  Canvas1()->Refresh(true);
}

namespace {

// The typed speed: a decimal comma, as most of Europe writes it, reads as a
// decimal point, so "0,5" and "0.5" are both one half.
double SpeedOfText(std::string text) {
  std::replace(text.begin(), text.end(), ',', '.');
  return TextToDouble(text);
}

}  // namespace

void Window1::TextField1_TextChange(::TextField& sender) {
  (void)sender;
  DiagramState& s = State();
  if (s.updatingSpeed) return;
  const double v = SpeedOfText(TextField1()->Text());
  // Written so that NaN fails as well as anything outside the open interval.
  if (!(-1.0 < v && v < 1.0)) {
    // Show the current speed again. The write raises this event once more,
    // and that run accepts the restored text.
    TextField1()->SetText(DoubleToText(s.speed, ""));
    return;
  }
  s.speed = v;
  {
    SpeedUpdate guard;
    SpeedSlider()->SetValue(SliderPositionOfSpeed(v));
  }
  Canvas1()->Refresh(true);
}

// ------------------------------------------------------------ unit, time
void Window1::UnitSlider_ValueChanged(::Slider& sender) {
  (void)sender;
  State().unitIndex = UnitSlider()->Value();
  SetUnits();
  ImplicitWindow1()->Label1()->SetText(TimeLabelText());
  Canvas1()->Refresh(true);
}

void Window1::TimeSlider_ValueChanged(::Slider& sender) {
  (void)sender;
  State().currentTime = SatSub(TimeSlider()->Value(), 500);
  ImplicitWindow1()->Label1()->SetText(TimeLabelText());
  Canvas1()->Refresh(true);
}

void Window1::PushButton1_Action(::PushButton& sender) {
  (void)sender;
  ::Slider* slider = TimeSlider();
  slider->SetValue(SatSub(slider->Value(), 1));
}

void Window1::PushButton2_Action(::PushButton& sender) {
  (void)sender;
  ::Slider* slider = TimeSlider();
  slider->SetValue(SatAdd(slider->Value(), 1));
}

// ---------------------------------------------------------------- objects
// The drawing reads the object controls itself on every paint.
void Window1::BlackPosSlider_ValueChanged(::Slider& sender) {
  (void)sender;
  Canvas1()->Refresh(true);
}

void Window1::BlackLengthSlider_ValueChanged(::Slider& sender) {
  (void)sender;
  Canvas1()->Refresh(true);
}

void Window1::CheckBox1_Action(::CheckBox& sender) {
  (void)sender;
  Canvas1()->Refresh(true);
}

void Window1::CheckBox2_Action(::CheckBox& sender) {
  (void)sender;
  Canvas1()->Refresh(true);
}

void Window1::CheckBox3_Action(::CheckBox& sender) {
  (void)sender;
  Canvas1()->Refresh(true);
}

void Window1::RedPosSlider_ValueChanged(::Slider& sender) {
  (void)sender;
  Canvas1()->Refresh(true);
}

void Window1::RedLengthSlider_ValueChanged(::Slider& sender) {
  (void)sender;
  Canvas1()->Refresh(true);
}

void Window1::CheckBox4_Action(::CheckBox& sender) {
  (void)sender;
  Canvas1()->Refresh(true);
}

void Window1::CheckBox5_Action(::CheckBox& sender) {
  (void)sender;
  Canvas1()->Refresh(true);
}

void Window1::CheckBox6_Action(::CheckBox& sender) {
  (void)sender;
  Canvas1()->Refresh(true);
}

// ------------------------------------------------------------------ clear
void Window1::PushButton4_Action(::PushButton& sender) {
  (void)sender;
  TextField2()->SetText("");
  TextField3()->SetText("");
  TextField4()->SetText("");
  TextField5()->SetText("");
  GroupBox7()->SetEnabled(false);
  State().meetingPicked = false;
  ImplicitWindow1()->Refresh(true);
}

// ------------------------------------------------------- window life, quit
void Window1::PushButton3_Action(::PushButton& sender) {
  (void)sender;
  QuitApplication(0);
}

void Window1::Event_Open() { SetupDiagram(); }

void Window1::Event_Close() { QuitApplication(0); }
