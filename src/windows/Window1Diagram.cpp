// The main window's side of the diagram: its controls as the engine reads
// and writes them, through the main window's single instance.
#include "windows/Window1Diagram.h"

#include <cstdint>

#include "diagram/Diagram.h"
#include "windows/Window1.h"

namespace {

class Window1Controls final : public DiagramControls {
 public:
  RodControls Rod(int32_t index) override {
    Window1* w = ImplicitWindow1();
    if (index == 0) {
      return {w->CheckBox1()->Value(), w->CheckBox2()->Value(), w->CheckBox3()->Value(),
              w->BlackLengthSlider()->Value(), w->BlackPosSlider()->Value()};
    }
    return {w->CheckBox4()->Value(), w->CheckBox6()->Value(), w->CheckBox5()->Value(),
            w->RedLengthSlider()->Value(), w->RedPosSlider()->Value()};
  }

  void ShowMeeting(const MeetingReadout& r) override {
    Window1* w = ImplicitWindow1();
    w->GroupBox7()->SetCaption(r.caption);
    w->StaticText7()->SetText(r.labels[0]);
    w->StaticText8()->SetText(r.labels[1]);
    w->StaticText9()->SetText(r.labels[2]);
    w->StaticText10()->SetText(r.labels[3]);
    w->TextField2()->SetText(r.values[0]);
    w->TextField3()->SetText(r.values[1]);
    w->TextField4()->SetText(r.values[2]);
    w->TextField5()->SetText(r.values[3]);
    w->GroupBox7()->SetVisible(true);
  }
};

}  // namespace

void SetupDiagram() {
  ::Canvas* canvas = ImplicitWindow1()->Canvas1();
  SetupDiagram(canvas->Width(), canvas->Height());
}

void DrawDiagram(Graphics& g) {
  Window1Controls controls;
  DrawDiagram(g, controls);
}
